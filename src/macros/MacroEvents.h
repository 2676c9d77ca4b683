#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "common/Result.h"
#include "macros/MacroRecord.h"

namespace solvane {

// One key action of a macro: wait `delayMs` after the previous event, then press or release.
struct MacroEvent {
    bool release = false;
    std::uint16_t delayMs = 1;  // 1 = no explicit delay (always so for the first event)
    std::uint8_t code = 0;      // device code or virtual-key code, by the array it lives in

    friend bool operator==(const MacroEvent&, const MacroEvent&) = default;
};

namespace macro_event {
inline constexpr std::uint8_t kReleaseBit = 0x80;
inline constexpr std::uint8_t kDelayMask = 0x7F;
inline constexpr std::uint8_t kLongForm = 0x7F;        // delay bits of a 4-byte event
inline constexpr std::uint16_t kMaxShortDelay = 126;  // longer delays take the long form
inline constexpr std::uint16_t kMaxDelay = 60000;
inline constexpr std::size_t kShortSize = 2;
inline constexpr std::size_t kLongSize = 4;
}  // namespace macro_event

// Short form: release bit | delay, code. Long form: release bit | 0x7F, code, delay big-endian.
struct EncodedMacroEvent {
    std::array<std::uint8_t, macro_event::kLongSize> bytes{};
    std::size_t size = 0;

    std::span<const std::uint8_t> view() const& { return std::span(bytes).first(size); }
    std::span<const std::uint8_t> view() const&& = delete;  // would outlive the bytes
};

EncodedMacroEvent EncodeMacroEvent(const MacroEvent& event);

struct DecodedMacroEvent {
    MacroEvent event;
    std::size_t size = 0;  // bytes the event takes
};

// The event at `position`; nothing where the list ends there (a key-code byte of 0, the end of
// the array, or a long form cut off by the end of the array).
std::optional<DecodedMacroEvent> DecodeMacroEvent(std::span<const std::uint8_t> events,
                                                  std::size_t position);

// Every event of an event array, in order.
std::vector<MacroEvent> DecodeMacroEvents(std::span<const std::uint8_t, kMacroEventBytes> events);

// Fills an event array with `events` from position 0 and zeros after them. Refuses, leaving
// `out` as it was, events that do not fit in 190 bytes, a key code of 0 (it would end the list)
// and delays above 60,000 ms.
Status EncodeMacroEvents(std::span<const MacroEvent> events,
                         std::span<std::uint8_t, kMacroEventBytes> out);

}  // namespace solvane
