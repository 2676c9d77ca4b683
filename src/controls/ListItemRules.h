#pragma once

#include <string>
#include <string_view>

namespace solvane {

// What a transparent list shows and how its in-place edit treats the texts.
enum class ListMode : int {
    Plain = 0,        // macro names
    MacroEvents = 1,  // "%s dn", "%s up", "%d ms" items
    Profiles = 3,     // profile names; the background is what lies behind the list
};

enum class ListItemIcon { None, KeyDown, KeyUp, Delay };

struct ShownListItem {
    std::u16string text;
    ListItemIcon icon = ListItemIcon::None;
};

// Every occurrence of `needle` removed from `text`.
std::u16string RemoveAll(std::u16string_view text, std::u16string_view needle);

// The text and icon a row shows: in the macro event mode "dn" and "up" items lose those
// letters and get an arrow, delay items keep their text and get a clock.
ShownListItem ShowListItem(ListMode mode, std::u16string_view text);

// Key events of a macro cannot be edited in place; everything else can.
bool OpensInPlaceEdit(ListMode mode, std::u16string_view text);

// The text the in-place edit starts with: a delay item loses its " ms".
std::u16string EditTextOf(ListMode mode, std::u16string_view itemText);

// Delay limits of an accepted macro event edit, in milliseconds.
inline constexpr int kMinDelayMs = 2;
inline constexpr int kMaxDelayMs = 60000;

// The decimal number at the start of the edit's text (0 when there is none), held to
// kMinDelayMs..kMaxDelayMs.
int DelayFromEditText(std::u16string_view text);

// "%d ms"
std::u16string DelayItemText(int milliseconds);

}  // namespace solvane
