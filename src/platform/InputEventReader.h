#pragma once

#include <cstdint>
#include <vector>

namespace solvane {

// Turns the byte stream of a Linux input event node into the virtual-key codes of freshly
// pressed keys: presses only, no auto-repeat, no releases. Reads may end inside an event; the
// rest is kept for the next read.
class InputEventReader {
public:
    // Reads what `fd` (non-blocking) has now. Returns false when the node is gone or failed.
    bool ReadAvailable(int fd, std::vector<std::uint8_t>& pressedKeys);

private:
    void Consume(std::vector<std::uint8_t>& pressedKeys);

    std::vector<std::uint8_t> m_pending;
};

}  // namespace solvane
