#include "keys/KeyMapModel.h"

#include <algorithm>

#include "keys/FunctionCodeTable.h"
#include "keys/KeyMapEntry.h"
#include "keys/KeyNameTable.h"
#include "keys/KeySlotTable.h"
#include "macros/MacroBlock.h"
#include "macros/MacroNames.h"

namespace solvane {

using namespace keymap;

namespace {

// Paths shorter than this are shown whole.
constexpr std::size_t kShortPathUnits = 14;
// A combination has at most this many keys; the next key begins a new one.
constexpr std::uint32_t kCombinationKeys = 3;

std::uint8_t RowOfCell(std::uint8_t cell) {
    return static_cast<std::uint8_t>(cell / kGridColumns);
}

}  // namespace

bool IsFunctionGroup(std::u16string_view text) {
    return std::any_of(kFunctionTree.begin(), kFunctionTree.end(), [&](const FunctionTreeItem& item) {
        return !item.children.empty() && item.text == text;
    });
}

std::u16string CombinationText(std::span<const std::uint8_t> keys) {
    std::u16string text;
    const std::size_t count = std::min<std::size_t>(keys.size(), kCombinationKeys);
    for (std::size_t i = 0; i < count; ++i) {
        if (keys[i] == 0) {
            continue;
        }
        if (i > 0) {
            text += u"+ ";
        }
        text += KeyName(keys[i]);
    }
    return text;
}

std::u16string ShownPath(std::u16string_view path, char16_t separator) {
    if (path.size() < kShortPathUnits) {
        return std::u16string(path);
    }
    for (std::size_t i = path.size() - 2; i > 0; --i) {
        if (path[i] == separator) {
            return u".." + std::u16string(path.substr(i));
        }
    }
    return std::u16string(path);
}

KeyMapModel::KeyMapModel(AssignmentDraft& draft, KeySeen launcherSeesKey)
    : m_draft(draft), m_launcherSeesKey(std::move(launcherSeesKey)) {
    ResetHotAreas();
}

void KeyMapModel::ResetHotAreas() {
    for (std::size_t i = 0; i < kHotAreaCount; ++i) {
        const HotAreaLook& look = kHotAreas[i];
        m_hotAreas[i] = HotArea{look.rect, std::string(look.normalImage),
                                std::string(look.activeImage), 0};
    }
}

void KeyMapModel::Open(const Configuration& configuration, const MacroStore& macros) {
    const std::uint8_t slot = m_draft.CurrentSlot;
    const KeyAssignment record =
        slot < configuration.records.size() ? configuration.records[slot] : KeyAssignment{};

    ResetHotAreas();
    m_category = CATEGORY_KEYS;
    m_singleKeyText.clear();
    m_combinationText.clear();
    m_selectedFunction.clear();
    m_message.clear();
    m_selectedMacro = -1;
    m_macroToSelect = -1;
    m_focusMacroList = false;
    m_chooserRow = kNone;
    m_browseHover = kNone;
    m_hookActive = false;

    const KeyMapEntry entryCode = EntryCodeOf(record);
    if (record.kind == KIND_FUNCTION) {
        const FunctionCode* function = FindFunctionByEntry(entryCode);
        m_draft.FunctionName = function != nullptr ? std::u16string(function->name) : u"";
    }
    m_macroNames = solvane::MacroNames(macros);

    m_draft.CapturedKeys.fill(0);
    m_draft.CapturedCount = 0;
    m_advancedRow = kNone;
    m_markedRow = kNone;

    m_draft.kind = record.kind;
    m_draft.CapturedCount = record.keyCount;
    switch (record.kind) {
        case KIND_SINGLE_KEY:
            m_draft.CapturedKeys[0] = record.keys[0];
            m_draft.CapturedCount = 1;
            m_singleKeyText = KeyName(record.keys[0]);
            m_initialFocusPending = true;
            break;
        case KIND_COMBINATION:
            m_draft.CapturedKeys = record.keys;
            m_combinationText = CombinationText(m_draft.CapturedKeys);
            m_initialFocusPending = true;
            break;
        case KIND_MACRO:
            if (entryCode.kind() == ENTRY_MACRO) {
                m_category = CATEGORY_MACRO;
                m_focusMacroList = true;
                const int number = entryCode.bytes[2];
                m_macroToSelect = number < static_cast<int>(m_macroNames.size()) ? number : -1;
            }
            break;
        case KIND_FUNCTION:
            m_category = CATEGORY_FUNCTION;
            break;
        case KIND_PLAY_SOUND:
        case KIND_LAUNCH_PROGRAM:
        case KIND_OPEN_FILE:
        case KIND_OPEN_FOLDER:
            m_category = CATEGORY_ADVANCED;
            m_draft.TargetPath = RecordPath(record);
            m_advancedRow = static_cast<std::uint8_t>(record.kind - KIND_PLAY_SOUND);
            break;
        default:
            break;
    }

    const bool enabled = slot >= kKeySlotCount || IsKeyEnabled(configuration.image, slot);
    m_disableToggle = enabled ? 0 : 1;
    m_draft.KeyEnabled = enabled ? 1 : 0;
    m_hotAreas[kDisableToggle].state = m_disableToggle;
}

std::uint8_t KeyMapModel::HitTestArea(int x, int y) const {
    const Rect toggle = m_hotAreas[kDisableToggle].rect;
    const Rect widened{toggle.left - kToggleMargin, toggle.top - kToggleMargin,
                       toggle.right + kToggleMargin, toggle.bottom + kToggleMargin};
    if (widened.Contains(x, y)) {
        return kDisableToggle;
    }
    const auto hit = HitTest(std::span<const HotArea>(m_hotAreas), x, y);
    return hit ? static_cast<std::uint8_t>(*hit) : kNone;
}

std::uint8_t KeyMapModel::HitTestGrid(int x, int y) {
    for (std::size_t cell = 0; cell < kAdvancedRows * kGridColumns; ++cell) {
        if (GridCell(cell).Contains(x, y)) {
            return static_cast<std::uint8_t>(cell);
        }
    }
    return kNone;
}

std::uint8_t KeyMapModel::HitTestKeyRow(int x, int y) {
    const auto hit = HitTest(std::span<const Rect>(kKeyRows), x, y);
    return hit ? static_cast<std::uint8_t>(*hit) : kNone;
}

KeyMapMove KeyMapModel::MouseMove(int x, int y) {
    KeyMapMove move;
    const std::uint8_t hit = HitTestArea(x, y);
    move.startDrag = hit == kNone;
    if (hit != m_hover) {
        if (hit == kNone) {
            for (std::size_t i = 0; i < kHotAreaCount; ++i) {
                if (i != kDisableToggle) {
                    m_hotAreas[i].state = 0;
                }
            }
        }
        m_hover = hit;
        if (hit != kDisableToggle && hit != kNone) {
            m_hotAreas[hit].state = 1;
        }
        move.repaint = true;
    }
    if (m_category == CATEGORY_ADVANCED) {
        const std::uint8_t cell = HitTestGrid(x, y);
        const std::uint8_t browse =
            cell != kNone && cell % kGridColumns == kBrowseColumn ? RowOfCell(cell) : kNone;
        if (browse != m_browseHover) {
            m_browseHover = browse;
            move.repaint = true;
        }
    }
    return move;
}

KeyMapAction KeyMapModel::LeftButtonUp(int x, int y) {
    KeyMapAction action = KeyMapAction::None;
    const std::uint8_t hit = HitTestArea(x, y);
    switch (hit) {
        case kClose:
            return KeyMapAction::Reject;
        case kTabKeys:
        case kTabMacro:
        case kTabFunction:
        case kTabAdvanced:
            m_category = hit - kTabKeys;
            m_draft.kind = static_cast<std::uint8_t>(m_category);
            m_advancedRow = kNone;
            action = KeyMapAction::RedrawCategory;
            break;
        case kDisableToggle:
            m_disableToggle = 1 - m_disableToggle;
            m_hotAreas[kDisableToggle].state = m_disableToggle;
            action = KeyMapAction::Repaint;
            break;
        case kRestoreDefault:
            m_draft.CapturedCount = RESTORE_DEFAULT_COUNT;
            return KeyMapAction::Accept;
        case kCancel:
            m_draft.CapturedCount = 0;
            m_draft.CapturedKeys.fill(0);
            return KeyMapAction::Reject;
        case kSave:
            return Save();
        default:
            break;
    }

    if (m_category == CATEGORY_ADVANCED) {
        const std::uint8_t cell = HitTestGrid(x, y);
        if (cell != kNone && cell % kGridColumns == kMarkerColumn) {
            m_markedRow = static_cast<std::uint8_t>(kGridColumns * RowOfCell(cell));
            return KeyMapAction::Repaint;
        }
        if (cell != kNone && cell % kGridColumns == kBrowseColumn) {
            m_markedRow = static_cast<std::uint8_t>(kGridColumns * RowOfCell(cell));
            m_chooserRow = RowOfCell(cell);
            return KeyMapAction::Choose;
        }
    } else if (m_category == CATEGORY_KEYS) {
        const std::uint8_t row = HitTestKeyRow(x, y);
        if (row != kNone) {
            m_draft.kind = row == kSingleKeyRow ? KIND_SINGLE_KEY : KIND_COMBINATION;
            m_draft.CapturedCount = 0;
        }
    }
    return action;
}

KeyMapAction KeyMapModel::ChooserFinished(std::optional<std::u16string> chosen) {
    const std::uint8_t row = m_chooserRow;
    m_chooserRow = kNone;
    if (row >= kAdvancedRows) {
        return KeyMapAction::None;
    }
    KeyMapAction action = KeyMapAction::Repaint;
    if (chosen) {
        // The record holds 255 units; a longer path would be cut and open something else.
        if (chosen->size() > kAssignmentPathMaxLength) {
            m_message = kPathTooLong;
            action = KeyMapAction::ShowMessage;
        } else {
            m_draft.TargetPath = std::move(*chosen);
        }
    } else if (row == ROW_OPEN_FOLDER) {
        m_draft.TargetPath.clear();
    }
    m_advancedRow = row;
    m_draft.kind = static_cast<std::uint8_t>(KIND_PLAY_SOUND + row);
    return action;
}

KeyMapAction KeyMapModel::Refuse(std::u16string_view message) {
    m_message = message;
    return KeyMapAction::ShowMessage;
}

KeyMapAction KeyMapModel::Save() {
    switch (m_category) {
        case CATEGORY_KEYS: {
            const auto& keys = m_draft.CapturedKeys;
            m_draft.CapturedCount =
                static_cast<std::uint32_t>(std::find(keys.begin(), keys.end(), 0) - keys.begin());
            break;
        }
        case CATEGORY_ADVANCED:
            if (!IsLaunchKind(m_draft.kind)) {
                // No row was chosen: the function name left by an earlier opening is no choice.
                return Refuse(kChooseAdvancedRow);
            }
            if (m_launcherSeesKey && !m_launcherSeesKey(m_draft.DefaultCode)) {
                return Refuse(kKeyNotForAdvanced);
            }
            if (m_draft.TargetPath.size() > kAssignmentPathMaxLength) {
                return Refuse(kPathTooLong);
            }
            break;
        case CATEGORY_MACRO:
            m_draft.kind = KIND_MACRO;
            m_draft.MacroIndex = m_selectedMacro;
            if (m_selectedMacro >= static_cast<int>(image::kMacroBlockCount)) {
                return Refuse(kMacroOutOfReach);
            }
            break;
        case CATEGORY_FUNCTION:
            m_draft.kind = KIND_FUNCTION;
            if (IsFunctionGroup(m_selectedFunction)) {
                return Refuse(kChooseSubItem);
            }
            m_draft.FunctionName = m_selectedFunction;
            break;
        default:
            break;
    }
    m_draft.KeyEnabled = KeyEnabledFromToggle();
    return KeyMapAction::Accept;
}

bool KeyMapModel::HookKey(std::uint8_t virtualKey) {
    if (!m_hookActive) {
        return false;
    }
    auto& keys = m_draft.CapturedKeys;
    std::uint32_t& count = m_draft.CapturedCount;
    if (m_draft.kind == KIND_SINGLE_KEY) {
        // The edit shows this key alone, so nothing of an earlier capture stays behind it.
        keys.fill(0);
        keys[0] = virtualKey;
        count = 1;
        m_singleKeyText = KeyName(virtualKey);
        return true;
    }
    if (m_draft.kind != KIND_COMBINATION) {
        return false;
    }
    if (count >= kCombinationKeys) {
        count = 0;
        m_combinationText.clear();
    }
    if (count == 0) {
        keys.fill(0);  // a new combination: only the keys it shows are saved
    }
    keys[count] = virtualKey;
    m_combinationText = count == 0 ? std::u16string(KeyName(virtualKey))
                                   : CombinationText(std::span(keys).first(count + 1));
    ++count;
    return true;
}

void KeyMapModel::SingleKeyEditFocused() {
    EditFocused(KIND_SINGLE_KEY, m_combinationText);
}

void KeyMapModel::CombinationEditFocused() {
    EditFocused(KIND_COMBINATION, m_singleKeyText);
}

void KeyMapModel::EditFocused(std::uint8_t kind, std::u16string& otherEditText) {
    if (m_initialFocusPending && m_draft.kind == kind) {
        m_initialFocusPending = false;  // the edit the opening filled
        return;
    }
    m_draft.kind = kind;
    m_draft.CapturedCount = 0;
    otherEditText.clear();
}

KeyMapControls KeyMapModel::ShownControls() const {
    KeyMapControls shown;
    shown.singleKeyEdit = m_category == CATEGORY_KEYS;
    shown.combinationEdit = m_category == CATEGORY_KEYS;
    shown.macroList = m_category == CATEGORY_MACRO;
    shown.functionTree = m_category == CATEGORY_FUNCTION;
    return shown;
}

std::u16string KeyMapModel::Title() const {
    return std::u16string(kTitlePrefix) + std::u16string(KeyName(m_draft.DefaultCode));
}

}  // namespace solvane
