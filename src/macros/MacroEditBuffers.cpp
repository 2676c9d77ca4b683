#include "macros/MacroEditBuffers.h"

#include <algorithm>
#include <span>
#include <string>

#include "keys/KeyNameTable.h"
#include "macros/MacroEvents.h"

namespace solvane {
namespace {

using Bytes = std::array<std::uint8_t, kMacroEventBytes>;

// Opens `count` bytes at `position`; what passes the end falls off (the caller checked that
// only bytes past the last event do).
void OpenGap(Bytes& bytes, std::size_t position, std::size_t count) {
    std::copy_backward(bytes.begin() + static_cast<std::ptrdiff_t>(position),
                       bytes.end() - static_cast<std::ptrdiff_t>(count), bytes.end());
}

void CloseGap(Bytes& bytes, std::size_t position, std::size_t count) {
    std::copy(bytes.begin() + static_cast<std::ptrdiff_t>(position + count), bytes.end(),
              bytes.begin() + static_cast<std::ptrdiff_t>(position));
    std::fill(bytes.end() - static_cast<std::ptrdiff_t>(count), bytes.end(), 0);
}

std::uint8_t Head(bool release, std::uint16_t delayMs) {
    const std::uint8_t bits = delayMs > macro_event::kMaxShortDelay
                                  ? macro_event::kLongForm
                                  : static_cast<std::uint8_t>(delayMs);
    return static_cast<std::uint8_t>((release ? macro_event::kReleaseBit : 0) | bits);
}

Status Full(std::size_t needed) {
    return {ErrorCode::InvalidArgument, "the macro is full: " + std::to_string(needed) +
                                            " more bytes do not fit in " +
                                            std::to_string(kMacroEventBytes)};
}

}  // namespace

std::vector<BufferedEvent> BufferedEvents(const MacroEditBuffers& buffers) {
    std::vector<BufferedEvent> events;
    std::size_t position = 0;
    while (auto decoded = DecodeMacroEvent(buffers.deviceEvents, position)) {
        events.push_back({position, decoded->size, decoded->event.release, decoded->event.delayMs,
                          buffers.keyEvents[position + 1], decoded->event.code});
        position += decoded->size;
    }
    return events;
}

std::size_t EventsEnd(const MacroEditBuffers& buffers) {
    const auto events = BufferedEvents(buffers);
    return events.empty() ? 0 : events.back().position + events.back().size;
}

Status InsertBufferedEvent(MacroEditBuffers& buffers, std::size_t position, std::uint8_t key,
                           std::uint16_t delayMs, bool release) {
    const std::uint8_t deviceCode = DeviceCodeOf(key);
    if (deviceCode == 0) {
        return {ErrorCode::InvalidArgument,
                "the keyboard cannot play virtual key " + std::to_string(key) + " in a macro"};
    }
    const std::size_t end = EventsEnd(buffers);
    const MacroEvent event{release, std::min(delayMs, macro_event::kMaxDelay), deviceCode};
    const auto encoded = EncodeMacroEvent(event);
    if (end + encoded.size > kMacroEventBytes) {
        return Full(encoded.size);
    }
    position = std::min(position, end);
    for (Bytes* bytes : {&buffers.deviceEvents, &buffers.keyEvents}) {
        OpenGap(*bytes, position, encoded.size);
        std::copy_n(encoded.bytes.begin(), encoded.size,
                    bytes->begin() + static_cast<std::ptrdiff_t>(position));
    }
    buffers.keyEvents[position + 1] = key;
    return Status::Ok();
}

void RemoveBufferedEvent(MacroEditBuffers& buffers, const BufferedEvent& event) {
    CloseGap(buffers.deviceEvents, event.position, event.size);
    CloseGap(buffers.keyEvents, event.position, event.size);
}

Status SetBufferedEventDelay(MacroEditBuffers& buffers, const BufferedEvent& event,
                             std::uint16_t delayMs) {
    delayMs = std::min(delayMs, macro_event::kMaxDelay);
    const bool longForm = delayMs > macro_event::kMaxShortDelay;
    const std::size_t delayBytes = event.position + macro_event::kShortSize;
    if (longForm && event.size == macro_event::kShortSize) {
        if (EventsEnd(buffers) + 2 > kMacroEventBytes) {
            return Full(2);
        }
        OpenGap(buffers.deviceEvents, delayBytes, 2);
        OpenGap(buffers.keyEvents, delayBytes, 2);
    } else if (!longForm && event.size == macro_event::kLongSize) {
        CloseGap(buffers.deviceEvents, delayBytes, 2);
        CloseGap(buffers.keyEvents, delayBytes, 2);
    }
    for (Bytes* bytes : {&buffers.deviceEvents, &buffers.keyEvents}) {
        (*bytes)[event.position] = Head(event.release, delayMs);
        if (longForm) {
            (*bytes)[delayBytes] = static_cast<std::uint8_t>(delayMs >> 8);
            (*bytes)[delayBytes + 1] = static_cast<std::uint8_t>(delayMs & 0xFF);
        }
    }
    return Status::Ok();
}

void ApplyFirstDelayRule(MacroEditBuffers& buffers) {
    const auto events = BufferedEvents(buffers);
    if (!events.empty() && events.front().delayMs != 1) {
        SetBufferedEventDelay(buffers, events.front(), 1);  // never grows, so never refused
    }
}

}  // namespace solvane
