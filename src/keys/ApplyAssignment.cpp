#include "keys/ApplyAssignment.h"

#include <algorithm>
#include <string>

#include "keys/FunctionCodeTable.h"
#include "keys/KeyMapEntry.h"
#include "keys/KeymapFile.h"
#include "macros/MacroBlock.h"

namespace solvane {
namespace {

// The launcher-kind records carry this where other kinds keep their entry; nothing reads it.
constexpr KeyMapEntry kLaunchEntryCode{{0x03, 0x00, 0x23, 0x02}};

std::u16string_view PathOf(const AssignmentDraft& draft) {
    const std::u16string_view path = draft.TargetPath;
    return path.substr(0, path.find(u'\0'));
}

// Changes memory only; tells whether keymap.bin is to be saved.
bool ApplyInMemory(const AssignmentDraft& draft, Configuration& configuration,
                   const MacroStore& macros) {
    const std::uint8_t slot = draft.CurrentSlot;
    const KeySlot& key = KeySlotTable[slot];
    const std::size_t entryIndex = key.entry();
    auto keyMap = configuration.image.keyMapBlock();
    KeyAssignment& record = configuration.records[slot];
    std::uint8_t& mark = configuration.marks[slot];
    auto setEntry = [&](const KeyMapEntry& entry) { WriteKeyMapEntry(keyMap, entryIndex, entry); };

    if (draft.CapturedCount == RESTORE_DEFAULT_COUNT) {
        record.kind = KIND_SINGLE_KEY;
        record.keyCount = 0;
        record.keys.fill(0);
        setEntry(FactoryEntryOf(slot));
        return false;
    }
    if (draft.kind <= KIND_OPEN_FOLDER) {
        record.kind = draft.kind;
    }
    switch (draft.kind) {
        case KIND_SINGLE_KEY:
            record.keys = draft.CapturedKeys;
            record.keyCount = static_cast<std::uint8_t>(draft.CapturedCount);
            if (draft.CapturedCount == 1) {
                const std::uint8_t code = draft.CapturedKeys[0];
                if (code == key.defaultCode) {
                    record.kind = KIND_SINGLE_KEY;
                    record.keyCount = 0;
                    record.keys.fill(0);
                    mark = 0;
                } else {
                    mark = 1;
                }
                setEntry(SingleKeyEntry(code));
            }
            break;
        case KIND_COMBINATION: {
            record.keys = draft.CapturedKeys;
            record.keyCount = static_cast<std::uint8_t>(draft.CapturedCount);
            KeyMapEntry entry{{ENTRY_KEYS, 0, 0, 0}};
            const std::size_t used = std::min<std::size_t>(draft.CapturedCount, 3);
            for (std::size_t i = 0; i < used; ++i) {
                entry.bytes[1 + i] = DeviceCodeOf(draft.CapturedKeys[i]);
            }
            setEntry(entry);
            if (draft.CapturedCount > 1) {
                mark = 1;
            }
            break;
        }
        case KIND_MACRO: {
            const auto number = static_cast<std::uint8_t>(draft.MacroIndex & 0xFF);
            const KeyMapEntry entry{{ENTRY_MACRO, 0x01, number, 0x00}};
            SetEntryCode(record, entry);
            if (draft.MacroIndex != -1) {
                setEntry(entry);
                mark = 1;
                // The keyboard plays block n for macro n: bring the blocks in line with the store.
                EncodeMacroBlocks(macros, configuration.image);
            }
            break;
        }
        case KIND_FUNCTION:
            mark = 1;
            if (const auto* function = FindFunctionByName(draft.FunctionName)) {
                setEntry(function->entry);
                SetEntryCode(record, function->entry);
            }
            break;
        case KIND_PLAY_SOUND:
        case KIND_LAUNCH_PROGRAM:
        case KIND_OPEN_FILE:
        case KIND_OPEN_FOLDER:
            // The key keeps working as the plain factory key; the program acts on its press.
            setEntry(FactoryEntryOf(slot));
            mark = 1;
            record.defaultCode = key.defaultCode;
            SetEntryCode(record, kLaunchEntryCode);
            SetRecordPath(record, PathOf(draft));  // the length was checked
            break;
        default:
            break;
    }
    return true;
}

}  // namespace

Status CheckAssignment(const AssignmentDraft& draft, const MacroStore& macros) {
    if (draft.CurrentSlot >= kKeySlotCount) {
        return {ErrorCode::InvalidArgument, "no key is chosen"};
    }
    if (draft.CapturedCount == RESTORE_DEFAULT_COUNT) {
        return Status::Ok();
    }
    if (draft.CapturedCount > kAssignmentKeysSize) {
        return {ErrorCode::InvalidArgument, "too many keys: " + std::to_string(draft.CapturedCount)};
    }
    if (draft.kind == KIND_MACRO && draft.MacroIndex != -1) {
        const std::int32_t number = draft.MacroIndex;
        if (number < 0 || static_cast<std::size_t>(number) >= MacroCount(macros)) {
            return {ErrorCode::InvalidArgument, "there is no macro " + std::to_string(number)};
        }
        if (static_cast<std::size_t>(number) >= image::kMacroBlockCount) {
            return {ErrorCode::InvalidArgument,
                    "macro " + std::to_string(number) +
                        " cannot be played by the keyboard, which holds macros 0 to " +
                        std::to_string(image::kMacroBlockCount - 1)};
        }
    }
    if (IsLaunchKind(draft.kind) && PathOf(draft).size() > kAssignmentPathMaxLength) {
        return {ErrorCode::InvalidArgument, "the path is longer than " +
                                                std::to_string(kAssignmentPathMaxLength) +
                                                " characters"};
    }
    return Status::Ok();
}

Status ApplyAssignment(const AssignmentDraft& draft, Configuration& configuration,
                       const MacroStore& macros, const std::filesystem::path& keymapPath) {
    if (auto accepted = CheckAssignment(draft, macros); !accepted) {
        return accepted;
    }
    if (!ApplyInMemory(draft, configuration, macros)) {
        return Status::Ok();
    }
    return SaveKeymapFile(keymapPath, configuration.image, configuration.records);
}

Status PrepareAssignment(AssignmentDraft& draft, Configuration& configuration, std::uint8_t slot,
                         const std::filesystem::path& keymapPath) {
    if (slot >= kKeySlotCount) {
        return {ErrorCode::InvalidArgument, "no key is chosen"};
    }
    draft.CurrentSlot = slot;
    draft.DefaultCode = KeySlotTable[slot].defaultCode;
    return LoadKeymapFile(keymapPath, KeymapLoadMode::RecordsOnly, configuration.image,
                          configuration.records);
}

Status CompleteAssignment(const AssignmentDraft& draft, Configuration& configuration,
                          const MacroStore& macros, const std::filesystem::path& keymapPath) {
    if (auto accepted = CheckAssignment(draft, macros); !accepted) {
        return accepted;
    }
    const std::uint8_t slot = draft.CurrentSlot;
    configuration.marks[slot] = 0;
    // A failed first save is made good by the second, which writes everything again.
    (void)ApplyAssignment(draft, configuration, macros, keymapPath);
    if (draft.KeyEnabled == 1) {
        SetKeyEnabled(configuration.image, slot, true);
    } else {
        SetKeyEnabled(configuration.image, slot, false);
        configuration.marks[slot] = 1;
    }
    return SaveKeymapFile(keymapPath, configuration.image, configuration.records);
}

}  // namespace solvane
