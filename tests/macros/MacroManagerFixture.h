#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/Utf16.h"
#include "keys/KeyNameTable.h"
#include "macros/MacroEvents.h"
#include "macros/MacroManager.h"

namespace solvane::testing {

using Bytes = std::vector<std::uint8_t>;

// Answers the manager's requests and remembers them.
class FakeMacroHost : public MacroManagerHost {
public:
    void ShowMessage(std::string_view caption, std::string_view text) override {
        EXPECT_EQ(caption, "宏管理");
        messages.emplace_back(text);
    }
    bool AskOkCancel(std::string_view caption, std::string_view text) override {
        EXPECT_EQ(caption, "宏管理");
        questions.emplace_back(text);
        return answerOk;
    }
    bool InstallKeyHook() override {
        ++installs;
        hooked = hookWorks;
        return hookWorks;
    }
    void RemoveKeyHook() override {
        EXPECT_TRUE(hooked) << "the hook was removed without being installed";
        hooked = false;
    }

    std::vector<std::string> messages;
    std::vector<std::string> questions;
    bool answerOk = true;
    bool hookWorks = true;
    bool hooked = false;
    int installs = 0;
};

// A macro event by virtual key, as a test writes it.
struct KeyEvent {
    bool release;
    std::uint16_t delayMs;
    std::uint8_t key;
};

inline MacroRecord MakeRecord(std::u16string_view name, std::vector<KeyEvent> events = {},
                              std::uint16_t loopCount = 1, std::uint8_t flags = 0) {
    MacroRecord record;
    std::memset(static_cast<void*>(&record), 0, sizeof record);
    EXPECT_TRUE(SetMacroName(record, name));
    SetLoopCount(record, loopCount);
    record.flags = flags;
    std::vector<MacroEvent> device;
    std::vector<MacroEvent> keys;
    for (const auto& event : events) {
        device.push_back({event.release, event.delayMs, DeviceCodeOf(event.key)});
        keys.push_back({event.release, event.delayMs, event.key});
    }
    EXPECT_TRUE(EncodeMacroEvents(device, record.deviceEvents));
    EXPECT_TRUE(EncodeMacroEvents(keys, record.keyEvents));
    return record;
}

inline std::unique_ptr<MacroStore> MakeStore(std::vector<MacroRecord> records) {
    auto store = std::make_unique<MacroStore>();
    std::memset(static_cast<void*>(store->data()), 0, sizeof(MacroStore));
    for (std::size_t i = 0; i < records.size(); ++i) {
        (*store)[i] = records[i];
    }
    return store;
}

inline Bytes Head(const std::array<std::uint8_t, kMacroEventBytes>& events, std::size_t count) {
    return Bytes(events.begin(), events.begin() + static_cast<std::ptrdiff_t>(count));
}

// A manager over a fake host and a clock the test moves.
class MacroManagerTest : public ::testing::Test {
protected:
    void Open(std::vector<MacroRecord> records) {
        store = MakeStore(std::move(records));
        manager.Open(*store);
    }
    void Advance(int ms) { now += std::chrono::milliseconds(ms); }
    HookKeyOutcome Press(std::uint8_t key) { return manager.OnHookKey(key, false); }
    HookKeyOutcome Release(std::uint8_t key) { return manager.OnHookKey(key, true); }

    std::vector<std::string> Items() const {
        std::vector<std::string> texts;
        for (const auto& item : manager.eventItems()) {
            texts.push_back(Utf16ToUtf8(item.text));
        }
        return texts;
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& name : manager.macroNames()) {
            names.push_back(Utf16ToUtf8(name));
        }
        return names;
    }
    Bytes DeviceBytes(std::size_t count) const { return Head(manager.editBuffers().deviceEvents, count); }
    Bytes KeyBytes(std::size_t count) const { return Head(manager.editBuffers().keyEvents, count); }
    const MacroRecord& Working(std::size_t index) const { return manager.workingCopy()[index]; }
    std::string WorkingName(std::size_t index) const { return Utf16ToUtf8(MacroName(Working(index))); }

    // The selected macro's events start afresh from the record button.
    void StartRecording(bool withDelays) {
        if (manager.delayBoxTicked() != withDelays) {
            manager.ToggleRecordDelays();
        }
        manager.ToggleRecording();
        ASSERT_TRUE(manager.recording());
    }

    FakeMacroHost host;
    std::chrono::steady_clock::time_point now{std::chrono::hours(1)};
    MacroManager manager{host, [this] { return now; }};
    std::unique_ptr<MacroStore> store;
};

}  // namespace solvane::testing
