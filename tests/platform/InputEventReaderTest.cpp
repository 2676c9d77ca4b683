#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/input.h>
#include <unistd.h>

#include "platform/InputEventReader.h"
#include "platform/InputKeyCodes.h"

namespace solvane {
namespace {

input_event Event(std::uint16_t type, std::uint16_t code, std::int32_t value) {
    input_event event{};
    event.type = type;
    event.code = code;
    event.value = value;
    return event;
}

class Pipe {
public:
    Pipe() {
        int fds[2];
        EXPECT_EQ(::pipe2(fds, O_NONBLOCK | O_CLOEXEC), 0);
        readEnd = fds[0];
        writeEnd = fds[1];
    }
    ~Pipe() {
        ::close(readEnd);
        if (writeEnd >= 0) ::close(writeEnd);
    }
    void Write(const void* data, std::size_t size) {
        ASSERT_EQ(::write(writeEnd, data, size), static_cast<ssize_t>(size));
    }
    void Write(const input_event& event) { Write(&event, sizeof event); }
    void CloseWriter() {
        ::close(writeEnd);
        writeEnd = -1;
    }
    int readEnd = -1;
    int writeEnd = -1;
};

TEST(InputEventReaderTest, ReportsPressesButNotRepeatsOrReleases) {
    Pipe pipe;
    InputEventReader reader;
    pipe.Write(Event(EV_MSC, MSC_SCAN, 0x70004));
    pipe.Write(Event(EV_KEY, KEY_A, 1));
    pipe.Write(Event(EV_SYN, SYN_REPORT, 0));
    pipe.Write(Event(EV_KEY, KEY_A, 2));
    pipe.Write(Event(EV_KEY, KEY_A, 0));
    pipe.Write(Event(EV_KEY, KEY_F5, 1));
    pipe.Write(Event(EV_KEY, BTN_LEFT, 1));  // no code for it
    std::vector<std::uint8_t> pressed;
    EXPECT_TRUE(reader.ReadAvailable(pipe.readEnd, pressed));
    EXPECT_EQ(pressed, (std::vector<std::uint8_t>{0x41, 0x74}));
}

TEST(InputEventReaderTest, AnEventSplitAcrossReadsIsKept) {
    Pipe pipe;
    InputEventReader reader;
    const input_event event = Event(EV_KEY, KEY_ESC, 1);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&event);
    std::vector<std::uint8_t> pressed;
    pipe.Write(bytes, 10);
    EXPECT_TRUE(reader.ReadAvailable(pipe.readEnd, pressed));
    EXPECT_TRUE(pressed.empty());
    pipe.Write(bytes + 10, sizeof event - 10);
    EXPECT_TRUE(reader.ReadAvailable(pipe.readEnd, pressed));
    EXPECT_EQ(pressed, (std::vector<std::uint8_t>{0x1B}));
}

TEST(InputEventReaderTest, TheEndOfTheStreamMeansTheNodeIsGone) {
    Pipe pipe;
    InputEventReader reader;
    pipe.CloseWriter();
    std::vector<std::uint8_t> pressed;
    EXPECT_FALSE(reader.ReadAvailable(pipe.readEnd, pressed));
}

TEST(InputKeyCodesTest, KeysMapToTheirVirtualKeyCodes) {
    struct Case {
        std::uint16_t input;
        int virtualKey;  // -1: none
    };
    const Case cases[] = {
        {KEY_A, 0x41},         {KEY_Z, 0x5A},        {KEY_0, 0x30},         {KEY_9, 0x39},
        {KEY_F1, 0x70},        {KEY_F12, 0x7B},      {KEY_LEFTSHIFT, 0xA0}, {KEY_RIGHTSHIFT, 0xA1},
        {KEY_LEFTCTRL, 0xA2},  {KEY_RIGHTCTRL, 0xA3}, {KEY_LEFTALT, 0xA4},  {KEY_RIGHTALT, 0xA5},
        {KEY_LEFTMETA, 0x5B},  {KEY_RIGHTMETA, 0x5C}, {KEY_COMPOSE, 0x5D},  {KEY_KPENTER, 0x6C},
        {KEY_ENTER, 0x0D},     {KEY_KP0, 0x60},      {KEY_KPSLASH, 0x6F},   {KEY_MINUS, 0xBD},
        {KEY_KPMINUS, 0x6D},   {KEY_BACKSLASH, 0xDC}, {KEY_SYSRQ, 0x2C},    {KEY_PAUSE, 0x13},
        {KEY_VOLUMEUP, 0xAF},  {KEY_VOLUMEDOWN, 0xAE}, {KEY_PLAYPAUSE, 0xB3}, {KEY_CONFIG, 0xB5},
        {BTN_LEFT, -1},        {KEY_RESERVED, -1},
    };
    for (const auto& c : cases) {
        const auto virtualKey = VirtualKeyFromInputCode(c.input);
        EXPECT_EQ(virtualKey ? int{*virtualKey} : -1, c.virtualKey) << c.input;
    }
}

}  // namespace
}  // namespace solvane
