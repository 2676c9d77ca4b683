#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/Result.h"
#include "macros/MacroRecord.h"

namespace solvane {

// The macro being edited: its events with device codes and, at the same positions, with
// virtual-key codes. Every change touches both arrays alike.
struct MacroEditBuffers {
    std::array<std::uint8_t, kMacroEventBytes> deviceEvents{};
    std::array<std::uint8_t, kMacroEventBytes> keyEvents{};

    friend bool operator==(const MacroEditBuffers&, const MacroEditBuffers&) = default;
};

// One event of the edit buffers, as the keyboard will play it.
struct BufferedEvent {
    std::size_t position = 0;  // of its first byte, in both arrays
    std::size_t size = 0;      // 2 (short form) or 4 (long form)
    bool release = false;
    std::uint16_t delayMs = 1;
    std::uint8_t key = 0;         // virtual-key code, from keyEvents
    std::uint8_t deviceCode = 0;  // from deviceEvents
};

// The events from position 0, walked as the keyboard walks them: by the device form, up to the
// first zero device code, the end of the arrays, or a long form cut off by that end.
std::vector<BufferedEvent> BufferedEvents(const MacroEditBuffers& buffers);

// Byte position after the last event (0 for an empty macro).
std::size_t EventsEnd(const MacroEditBuffers& buffers);

// Inserts the event (`key` is a virtual-key code) at `position`, moving later bytes up. Refused
// when it would not fit whole behind the events, or when the key has no device code (a zero
// would end the keyboard's list there).
Status InsertBufferedEvent(MacroEditBuffers& buffers, std::size_t position, std::uint8_t key,
                           std::uint16_t delayMs, bool release);

// Removes the event, moving later bytes down; the freed bytes at the end become 0.
void RemoveBufferedEvent(MacroEditBuffers& buffers, const BufferedEvent& event);

// Gives the event another delay, turning it into the long or the short form as the delay needs.
// Refused when the long form needs two bytes the buffers no longer have.
Status SetBufferedEventDelay(MacroEditBuffers& buffers, const BufferedEvent& event,
                             std::uint16_t delayMs);

// The first event always waits 1 ms: the keyboard starts a macro at once.
void ApplyFirstDelayRule(MacroEditBuffers& buffers);

}  // namespace solvane
