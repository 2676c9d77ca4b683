#include "macros/MacroEvents.h"

#include <algorithm>
#include <string>

namespace solvane {

using namespace macro_event;

EncodedMacroEvent EncodeMacroEvent(const MacroEvent& event) {
    EncodedMacroEvent encoded;
    const std::uint8_t release = event.release ? kReleaseBit : 0;
    if (event.delayMs <= kMaxShortDelay) {
        encoded.bytes = {static_cast<std::uint8_t>(release | event.delayMs), event.code, 0, 0};
        encoded.size = kShortSize;
    } else {
        encoded.bytes = {static_cast<std::uint8_t>(release | kLongForm), event.code,
                         static_cast<std::uint8_t>(event.delayMs >> 8),
                         static_cast<std::uint8_t>(event.delayMs & 0xFF)};
        encoded.size = kLongSize;
    }
    return encoded;
}

std::optional<DecodedMacroEvent> DecodeMacroEvent(std::span<const std::uint8_t> events,
                                                  std::size_t position) {
    if (position + kShortSize > events.size() || events[position + 1] == 0) {
        return std::nullopt;
    }
    const std::uint8_t head = events[position];
    DecodedMacroEvent decoded;
    decoded.event.release = (head & kReleaseBit) != 0;
    decoded.event.code = events[position + 1];
    if ((head & kDelayMask) != kLongForm) {
        decoded.event.delayMs = head & kDelayMask;
        decoded.size = kShortSize;
        return decoded;
    }
    if (position + kLongSize > events.size()) {
        return std::nullopt;
    }
    decoded.event.delayMs =
        static_cast<std::uint16_t>(events[position + 2] << 8 | events[position + 3]);
    decoded.size = kLongSize;
    return decoded;
}

std::vector<MacroEvent> DecodeMacroEvents(std::span<const std::uint8_t, kMacroEventBytes> events) {
    std::vector<MacroEvent> list;
    std::size_t position = 0;
    while (auto decoded = DecodeMacroEvent(events, position)) {
        list.push_back(decoded->event);
        position += decoded->size;
    }
    return list;
}

Status EncodeMacroEvents(std::span<const MacroEvent> events,
                         std::span<std::uint8_t, kMacroEventBytes> out) {
    std::array<std::uint8_t, kMacroEventBytes> bytes{};
    std::size_t position = 0;
    for (std::size_t i = 0; i < events.size(); ++i) {
        const auto& event = events[i];
        if (event.code == 0) {
            return {ErrorCode::InvalidArgument, "event " + std::to_string(i + 1) + " has no key"};
        }
        if (event.delayMs > kMaxDelay) {
            return {ErrorCode::InvalidArgument, "event " + std::to_string(i + 1) +
                                                    " waits longer than " +
                                                    std::to_string(kMaxDelay) + " ms"};
        }
        const auto encoded = EncodeMacroEvent(event);
        if (position + encoded.size > bytes.size()) {
            return {ErrorCode::InvalidArgument, "the macro's events do not fit in " +
                                                    std::to_string(kMacroEventBytes) + " bytes"};
        }
        std::copy(encoded.bytes.begin(), encoded.bytes.begin() + encoded.size,
                  bytes.begin() + position);
        position += encoded.size;
    }
    std::copy(bytes.begin(), bytes.end(), out.begin());
    return Status::Ok();
}

}  // namespace solvane
