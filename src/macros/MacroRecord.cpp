#include "macros/MacroRecord.h"

#include <algorithm>

#include "common/Utf16.h"

namespace solvane {

std::uint16_t LoopCountOf(const MacroRecord& record) {
    return static_cast<std::uint16_t>(record.loopCount[0] | record.loopCount[1] << 8);
}

void SetLoopCount(MacroRecord& record, std::uint16_t count) {
    record.loopCount = {static_cast<std::uint8_t>(count & 0xFF), static_cast<std::uint8_t>(count >> 8)};
}

std::u16string MacroName(const MacroRecord& record) { return TerminatedText(record.name); }

bool HasMacroName(const MacroRecord& record) { return record.name[0] != u'\0'; }

Status SetMacroName(MacroRecord& record, std::u16string_view name) {
    if (name.size() > macro_record::kMaxNameLength) {
        return {ErrorCode::InvalidArgument, "a macro name has at most " +
                                                std::to_string(macro_record::kMaxNameLength) +
                                                " characters"};
    }
    record.name.fill(u'\0');
    std::copy(name.begin(), name.end(), record.name.begin());
    return Status::Ok();
}

std::size_t MacroCount(const MacroStore& store) {
    const auto end = std::find_if(store.begin(), store.end(),
                                  [](const MacroRecord& record) { return !HasMacroName(record); });
    return static_cast<std::size_t>(end - store.begin());
}

}  // namespace solvane
