#include "profiles/ProfileList.h"

#include <algorithm>
#include <utility>

#include "profiles/ProfileNames.h"

namespace solvane {

std::size_t ProfileList::Add(std::string text) {
    const auto place = std::upper_bound(
        m_items.begin(), m_items.end(), text,
        [](const std::string& a, const std::string& b) { return CompareProfileNames(a, b) < 0; });
    const auto index = static_cast<std::size_t>(place - m_items.begin());
    m_items.insert(place, std::move(text));
    if (m_selection && *m_selection >= index) {
        ++*m_selection;
    }
    return index;
}

void ProfileList::Clear() {
    m_items.clear();
    m_selection.reset();
}

void ProfileList::Select(std::optional<std::size_t> index) {
    m_selection = (index && *index < m_items.size()) ? index : std::nullopt;
}

void ProfileList::SelectText(std::string_view text) {
    const auto found = std::find(m_items.begin(), m_items.end(), text);
    Select(found == m_items.end() ? std::nullopt
                                  : std::optional<std::size_t>(found - m_items.begin()));
}

std::optional<std::string> ProfileList::selectedText() const {
    if (!m_selection) {
        return std::nullopt;
    }
    return m_items[*m_selection];
}

bool ProfileList::Contains(std::string_view text) const {
    return std::find(m_items.begin(), m_items.end(), text) != m_items.end();
}

bool ProfileList::AcceptEdit(std::size_t index, std::string text) {
    if (index >= m_items.size() || m_items[index] == text) {
        return false;
    }
    m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(index));
    m_selection.reset();
    m_selection = Add(std::move(text));
    return true;
}

}  // namespace solvane
