#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "common/ListOrder.h"

namespace solvane {

// What a sorted list box holds: items in `CompareListText` order and at most one selected item.
// `Text` is std::string (UTF-8) or std::u16string.
template <class Text>
class SortedList {
public:
    using View = std::basic_string_view<typename Text::value_type>;

    std::size_t size() const { return m_items.size(); }
    bool empty() const { return m_items.empty(); }
    const Text& at(std::size_t index) const { return m_items.at(index); }
    const std::vector<Text>& items() const { return m_items; }

    // Adds `text` in sorted position, after items that compare equal; returns its index.
    std::size_t Add(Text text) {
        const auto place = std::upper_bound(m_items.begin(), m_items.end(), text,
                                            [](const Text& a, const Text& b) { return CompareListText(a, b) < 0; });
        const auto index = static_cast<std::size_t>(place - m_items.begin());
        m_items.insert(place, std::move(text));
        if (m_selection && *m_selection >= index) {
            ++*m_selection;
        }
        return index;
    }

    // Takes items that are already in list order, replacing the list and its selection.
    void Assign(std::vector<Text> items) {
        m_items = std::move(items);
        m_selection.reset();
    }

    // Removes item `index`; the selection follows its item and is lost with it.
    void Remove(std::size_t index) {
        if (index >= m_items.size()) {
            return;
        }
        m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(index));
        if (m_selection && *m_selection == index) {
            m_selection.reset();
        } else if (m_selection && *m_selection > index) {
            --*m_selection;
        }
    }

    // Removes every item (and so the selection).
    void Clear() {
        m_items.clear();
        m_selection.reset();
    }

    std::optional<std::size_t> selection() const { return m_selection; }
    // Selects item `index`; an index beyond the list selects nothing.
    void Select(std::optional<std::size_t> index) {
        m_selection = (index && *index < m_items.size()) ? index : std::nullopt;
    }
    // Selects the first item whose text is exactly `text`; nothing when there is none.
    void SelectText(View text) { Select(IndexOf(text)); }
    // Text of the selected item, if any.
    std::optional<Text> selectedText() const {
        return m_selection ? std::optional<Text>(m_items[*m_selection]) : std::nullopt;
    }

    // Index of the first item whose text is exactly `text`.
    std::optional<std::size_t> IndexOf(View text) const {
        const auto found = std::find(m_items.begin(), m_items.end(), text);
        return found == m_items.end() ? std::nullopt
                                      : std::optional<std::size_t>(found - m_items.begin());
    }
    bool Contains(View text) const { return IndexOf(text).has_value(); }

    // The in-place edit of item `index` was accepted with `text`. A changed text replaces the
    // item, which moves to its sorted place and is selected; returns whether anything changed.
    bool AcceptEdit(std::size_t index, Text text) {
        if (index >= m_items.size() || m_items[index] == text) {
            return false;
        }
        m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(index));
        m_selection.reset();
        m_selection = Add(std::move(text));
        return true;
    }

private:
    std::vector<Text> m_items;
    std::optional<std::size_t> m_selection;
};

}  // namespace solvane
