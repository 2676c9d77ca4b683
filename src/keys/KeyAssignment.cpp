#include "keys/KeyAssignment.h"

#include <algorithm>
#include <cstring>

#include "common/Utf16.h"

namespace solvane {

std::u16string RecordPath(const KeyAssignment& record) { return TerminatedText(record.path); }

Status SetRecordPath(KeyAssignment& record, std::u16string_view path) {
    if (path.size() > kAssignmentPathMaxLength) {
        return {ErrorCode::InvalidArgument, "the path is longer than " +
                                                std::to_string(kAssignmentPathMaxLength) +
                                                " characters"};
    }
    std::copy(path.begin(), path.end(), record.path.begin());
    record.path[path.size()] = u'\0';
    return Status::Ok();
}

KeyMapEntry EntryCodeOf(const KeyAssignment& record) {
    KeyMapEntry entry;
    std::copy_n(record.keys.begin(), entry.bytes.size(), entry.bytes.begin());
    return entry;
}

void SetEntryCode(KeyAssignment& record, const KeyMapEntry& entry) {
    std::copy(entry.bytes.begin(), entry.bytes.end(), record.keys.begin());
}

void SetDefaultCodes(RecordTable& records) {
    for (std::size_t slot = 0; slot < kKeySlotCount; ++slot) {
        records[slot].defaultCode = KeySlotTable[slot].defaultCode;
    }
}

void ZeroRecords(RecordTable& records) {
    std::memset(static_cast<void*>(records.data()), 0, sizeof(RecordTable));
}

void ClearRecords(RecordTable& records) {
    ZeroRecords(records);
    SetDefaultCodes(records);
}

}  // namespace solvane
