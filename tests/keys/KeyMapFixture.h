#pragma once

#include <algorithm>
#include <initializer_list>
#include <string_view>

#include "common/Geometry.h"
#include "keys/AssignmentDraft.h"
#include "keys/Configuration.h"
#include "keys/KeyMapEntry.h"
#include "keys/KeyMapLayout.h"
#include "keys/KeySlotTable.h"
#include "macros/MacroNames.h"
#include "macros/MacroRecord.h"

namespace solvane::testing {

// Points of the key assignment dialog's picture.
inline Point Centre(const Rect& rect) {
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}
inline Point AreaPoint(std::uint8_t area) {
    return Centre(keymap::kHotAreas[area].rect);
}
inline Point MarkerPoint(std::size_t row) {
    return Centre(keymap::GridCell(keymap::kGridColumns * row + keymap::kMarkerColumn));
}
inline Point BrowsePoint(std::size_t row) {
    return Centre(keymap::GridCell(keymap::kGridColumns * row + keymap::kBrowseColumn));
}
// Inside a key row and beside its edit.
inline Point KeyRowPoint(std::uint8_t row) {
    return {keymap::kKeyRows[row].right - 2, keymap::kKeyRows[row].bottom - 2};
}

// A keyboard as it ships, with `macroCount` named macros, and a draft that the main window
// has prepared for a slot.
struct KeyMapConfiguration {
    explicit KeyMapConfiguration(std::size_t macroCount = 3) {
        std::ranges::copy(FactoryKeyMap, configuration.image.keyMapBlock().begin());
        std::ranges::fill(configuration.image.keyEnableBitmap(), 0xFF);
        ClearRecords(configuration.records);
        for (std::size_t i = 0; i < macroCount; ++i) {
            SetMacroName(macros[i], DefaultMacroName(static_cast<unsigned>(i + 1)));
        }
    }

    void PrepareDraft(std::uint8_t slot) {
        draft.CurrentSlot = slot;
        draft.DefaultCode = KeySlotTable[slot].defaultCode;
    }

    KeyAssignment& Record(std::uint8_t slot) { return configuration.records[slot]; }
    void SetKeys(std::uint8_t slot, std::uint8_t kind, std::initializer_list<std::uint8_t> keys) {
        KeyAssignment& record = Record(slot);
        record.kind = kind;
        std::ranges::copy(keys, record.keys.begin());
        record.keyCount = static_cast<std::uint8_t>(keys.size());
    }
    void SetEntryCode(std::uint8_t slot, std::uint8_t kind, KeyMapEntry entry) {
        Record(slot).kind = kind;
        solvane::SetEntryCode(Record(slot), entry);
    }
    void SetLaunch(std::uint8_t slot, std::uint8_t kind, std::u16string_view path) {
        Record(slot).kind = kind;
        SetRecordPath(Record(slot), path);
    }

    Configuration configuration;
    MacroStore macros{};
    AssignmentDraft draft;
};

}  // namespace solvane::testing
