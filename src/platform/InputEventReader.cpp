#include "platform/InputEventReader.h"

#include <linux/input.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/InputKeyCodes.h"

namespace solvane {
namespace {

constexpr int kKeyPress = 1;  // 0 is a release, 2 an auto-repeat

}  // namespace

bool InputEventReader::ReadAvailable(int fd, std::vector<std::uint8_t>& pressedKeys) {
    std::uint8_t buffer[sizeof(input_event) * 64];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            m_pending.insert(m_pending.end(), buffer, buffer + n);
            Consume(pressedKeys);
            continue;
        }
        if (n == 0) {
            return false;  // end of the stream: the node is gone
        }
        if (errno == EINTR) {
            continue;
        }
        return errno == EAGAIN || errno == EWOULDBLOCK;
    }
}

void InputEventReader::Consume(std::vector<std::uint8_t>& pressedKeys) {
    std::size_t offset = 0;
    while (m_pending.size() - offset >= sizeof(input_event)) {
        input_event event;
        std::memcpy(&event, m_pending.data() + offset, sizeof event);
        offset += sizeof event;
        if (event.type == EV_KEY && event.value == kKeyPress) {
            if (const auto virtualKey = VirtualKeyFromInputCode(event.code)) {
                pressedKeys.push_back(*virtualKey);
            }
        }
    }
    m_pending.erase(m_pending.begin(), m_pending.begin() + static_cast<std::ptrdiff_t>(offset));
}

}  // namespace solvane
