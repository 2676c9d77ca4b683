#include "macros/MacroEventItems.h"

#include <algorithm>

#include "keys/KeyNameTable.h"

namespace solvane {

bool HasDelayItem(const BufferedEvent& event, bool first) {
    return event.delayMs != 1 && !(first && !event.release);
}

std::u16string DelayItemText(std::uint16_t delayMs) {
    const std::string digits = std::to_string(delayMs);
    return std::u16string(digits.begin(), digits.end()) + u" ms";
}

std::u16string KeyItemText(std::uint8_t key, bool release) {
    return std::u16string(KeyName(key)) + (release ? u" up" : u" dn");
}

std::vector<EventItem> EventItemsOf(std::span<const BufferedEvent> events) {
    std::vector<EventItem> items;
    items.reserve(events.size() * 2);
    for (std::size_t i = 0; i < events.size(); ++i) {
        const BufferedEvent& event = events[i];
        if (HasDelayItem(event, i == 0)) {
            items.push_back({i, true, DelayItemText(event.delayMs)});
        }
        items.push_back({i, false, KeyItemText(event.key, event.release)});
    }
    return items;
}

std::size_t FirstItemOf(std::span<const EventItem> items, std::size_t event) {
    const auto found = std::find_if(items.begin(), items.end(),
                                    [event](const EventItem& item) { return item.event >= event; });
    return static_cast<std::size_t>(found - items.begin());
}

}  // namespace solvane
