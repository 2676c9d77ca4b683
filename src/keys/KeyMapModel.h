#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "controls/HotArea.h"
#include "keys/AssignmentDraft.h"
#include "keys/Configuration.h"
#include "keys/KeyMapLayout.h"
#include "macros/MacroRecord.h"

namespace solvane {

// One entry of the function tree: a function of the FunctionCodeTable, or a parent that only
// groups its children.
struct FunctionTreeItem {
    std::u16string_view text;
    std::span<const std::u16string_view> children;
};

namespace keymap_detail {
inline constexpr std::array<std::u16string_view, 8> kMultimedia{
    u"多媒体播放器", u"上一曲", u"下一曲", u"停止-播放", u"暂停", u"音量+", u"音量-", u"静音"};
inline constexpr std::array<std::u16string_view, 7> kShortcuts{
    u"新建", u"剪切", u"复制", u"粘贴", u"保存", u"打印", u"全选"};
inline constexpr std::array<std::u16string_view, 2> kWindows{u"最大化", u"最小化"};
}  // namespace keymap_detail

// The function tree, top-level items in order.
inline constexpr std::array<FunctionTreeItem, 9> kFunctionTree{{
    {u"搜索", {}},
    {u"运行", {}},
    {u"多媒体", keymap_detail::kMultimedia},
    {u"快捷键", keymap_detail::kShortcuts},
    {u"Windows", keymap_detail::kWindows},
    {u"我的电脑", {}},
    {u"任务管理器", {}},
    {u"浏览器-主页", {}},
    {u"关闭窗口", {}},
}};

// Whether the text is one of the tree's parents, which are no functions.
bool IsFunctionGroup(std::u16string_view text);

// What a combination edit shows for the codes k0, k1, k2: the name of k0, then "+ " and the
// name of each of k1 and k2 that is not zero ("LCtrl + C " with the names' own blanks).
std::u16string CombinationText(std::span<const std::uint8_t> keys);

// The path as its box shows it: a path of fewer than 14 units whole; a longer one as ".."
// followed by the path from its last separator that is neither its first nor its last unit
// (a file shows "..\name", a folder ending in a separator "..\name\"); a longer path with no
// such separator whole.
std::u16string ShownPath(std::u16string_view path, char16_t separator);

// What the view does after the model has handled an event.
enum class KeyMapAction {
    None,
    RedrawCategory,  // a tab was chosen: show and hide the controls and repaint
    Repaint,
    Choose,          // run the chooser of ChooserRow(), then hand its outcome to ChooserFinished
    ShowMessage,     // tell the user Message(); the dialog stays open
    Accept,          // end with OK
    Reject,          // end with Cancel
};

struct KeyMapMove {
    bool repaint = false;    // a hover image changed
    bool startDrag = false;  // the pointer is over no hot area: the window may be dragged
};

// Which of the four controls the category shows.
struct KeyMapControls {
    bool functionTree = false;
    bool singleKeyEdit = false;
    bool combinationEdit = false;
    bool macroList = false;
};

// The key assignment dialog without its window: it reads the slot's record and enable bit when
// it opens, follows the user's clicks, captured keys and choices, and writes its result into
// the assignment draft it was given. It never changes the configuration itself.
class KeyMapModel {
public:
    // Whether the program sees presses of the key with this virtual-key code, which launch
    // assignments rely on. Without one, every key counts as seen.
    using KeySeen = std::function<bool(std::uint8_t virtualKey)>;

    explicit KeyMapModel(AssignmentDraft& draft, KeySeen launcherSeesKey = {});

    // The start of every opening, for the draft's CurrentSlot (set by the caller beforehand).
    void Open(const Configuration& configuration, const MacroStore& macros);
    // The result of installing the key hook; captured keys count only while it is set.
    void SetHookActive(bool active) { m_hookActive = active; }

    // Hit tests: a hot area (the toggle with its margin), a cell of the advanced grid, a key
    // row; keymap::kNone for none.
    std::uint8_t HitTestArea(int x, int y) const;
    static std::uint8_t HitTestGrid(int x, int y);
    static std::uint8_t HitTestKeyRow(int x, int y);

    KeyMapMove MouseMove(int x, int y);
    KeyMapAction LeftButtonUp(int x, int y);
    // The chooser of ChooserRow() ended: the chosen path, or none when the user cancelled.
    KeyMapAction ChooserFinished(std::optional<std::u16string> chosen);

    // WM_HOOK_KEY: a key pressed. Tells whether an edit's text changed.
    bool HookKey(std::uint8_t virtualKey);
    // The user moved the focus into an edit.
    void SingleKeyEditFocused();
    void CombinationEditFocused();
    // The selections of the macro list (-1 none) and of the function tree ("" none).
    void SetSelectedMacro(int row) { m_selectedMacro = row; }
    void SetSelectedFunction(std::u16string text) { m_selectedFunction = std::move(text); }

    const AssignmentDraft& Draft() const { return m_draft; }
    int category() const { return m_category; }
    std::uint8_t advancedRow() const { return m_advancedRow; }
    std::uint8_t markedRow() const { return m_markedRow; }
    bool hookActive() const { return m_hookActive; }
    bool initialFocusPending() const { return m_initialFocusPending; }
    int disableToggle() const { return m_disableToggle; }
    std::uint8_t hover() const { return m_hover; }
    std::uint8_t browseHover() const { return m_browseHover; }
    const std::array<HotArea, keymap::kHotAreaCount>& hotAreas() const { return m_hotAreas; }

    KeyMapControls ShownControls() const;
    std::u16string Title() const;
    const std::u16string& SingleKeyEditText() const { return m_singleKeyText; }
    const std::u16string& CombinationEditText() const { return m_combinationText; }
    const std::vector<std::u16string>& MacroNames() const { return m_macroNames; }
    // The macro list's row selected by the opening (-1 none), and whether it takes the focus.
    int MacroToSelect() const { return m_macroToSelect; }
    bool FocusMacroList() const { return m_focusMacroList; }
    // The tree item the opening selects (and expands to): the draft's function name.
    const std::u16string& FunctionToSelect() const { return m_draft.FunctionName; }
    std::uint8_t ChooserRow() const { return m_chooserRow; }
    const std::u16string& Message() const { return m_message; }

private:
    KeyMapAction Save();
    KeyMapAction Refuse(std::u16string_view message);
    void EditFocused(std::uint8_t kind, std::u16string& otherEditText);
    void ResetHotAreas();
    std::uint8_t KeyEnabledFromToggle() const { return m_disableToggle == 0 ? 1 : 0; }

    AssignmentDraft& m_draft;
    KeySeen m_launcherSeesKey;
    std::array<HotArea, keymap::kHotAreaCount> m_hotAreas;
    std::vector<std::u16string> m_macroNames;
    std::u16string m_singleKeyText;
    std::u16string m_combinationText;
    std::u16string m_selectedFunction;
    std::u16string m_message;
    int m_category = keymap::CATEGORY_KEYS;
    int m_disableToggle = 0;
    int m_selectedMacro = -1;
    int m_macroToSelect = -1;
    std::uint8_t m_advancedRow = keymap::kNone;
    std::uint8_t m_markedRow = keymap::kNone;
    std::uint8_t m_chooserRow = keymap::kNone;
    std::uint8_t m_hover = keymap::kNone;  // kept between openings
    std::uint8_t m_browseHover = keymap::kNone;
    bool m_hookActive = false;
    bool m_initialFocusPending = false;  // kept between openings
    bool m_focusMacroList = false;
};

}  // namespace solvane
