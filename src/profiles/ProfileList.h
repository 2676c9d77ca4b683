#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace solvane {

// The profile list as its sorted list box holds it: items kept in profile-name order
// (`CompareProfileNames`), and at most one selected item.
class ProfileList {
public:
    std::size_t size() const { return m_items.size(); }
    bool empty() const { return m_items.empty(); }
    const std::string& at(std::size_t index) const { return m_items.at(index); }
    const std::vector<std::string>& items() const { return m_items; }

    // Adds `text` in sorted position, after items that compare equal; returns its index.
    std::size_t Add(std::string text);
    // Removes every item (and so the selection).
    void Clear();

    std::optional<std::size_t> selection() const { return m_selection; }
    // Selects item `index`; an index beyond the list selects nothing.
    void Select(std::optional<std::size_t> index);
    // Selects the first item whose text is exactly `text`; nothing when there is none.
    void SelectText(std::string_view text);
    // Text of the selected item, if any.
    std::optional<std::string> selectedText() const;

    bool Contains(std::string_view text) const;

    // The in-place edit of item `index` was accepted with `text`. A changed text replaces the
    // item, which moves to its sorted place and is selected; returns whether anything changed.
    bool AcceptEdit(std::size_t index, std::string text);

private:
    std::vector<std::string> m_items;
    std::optional<std::size_t> m_selection;
};

}  // namespace solvane
