#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "macros/MacroEditBuffers.h"

namespace solvane {

// One line of the macro manager's event list. Every event shows as an optional delay item
// ("%d ms") followed by its key item ("%s dn" or "%s up").
struct EventItem {
    std::size_t event = 0;  // index of the event the item belongs to
    bool delay = false;     // the delay item, else the key item
    std::u16string text;

    friend bool operator==(const EventItem&, const EventItem&) = default;
};

// Whether the event shows a delay item: whenever it waits other than 1 ms, except for a first
// event that is a press (the keyboard starts a macro at once). The one rule both for showing
// the list and for finding an item's bytes, so the two always agree.
bool HasDelayItem(const BufferedEvent& event, bool first);

std::u16string DelayItemText(std::uint16_t delayMs);
// The key's display name followed by " dn" or " up".
std::u16string KeyItemText(std::uint8_t key, bool release);

std::vector<EventItem> EventItemsOf(std::span<const BufferedEvent> events);

// The index of the first item of event `event`; the item count for the position after the
// last event.
std::size_t FirstItemOf(std::span<const EventItem> items, std::size_t event);

}  // namespace solvane
