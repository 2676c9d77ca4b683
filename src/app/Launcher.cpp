#include "app/Launcher.h"

#include <system_error>

#include "common/Utf16.h"

namespace solvane {

std::optional<std::size_t> FindLaunchRecord(const RecordTable& records, std::uint8_t virtualKey) {
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (IsLaunchKind(records[i].kind) && records[i].defaultCode == virtualKey) {
            return i;
        }
    }
    return std::nullopt;
}

Result<LaunchRequest> MakeLaunchRequest(const KeyAssignment& record) {
    const std::filesystem::path target(Utf16ToUtf8(TerminatedText(record.path)));
    if (target.empty() || !target.is_absolute()) {
        return Status{ErrorCode::InvalidArgument, "launch path is not absolute: " + target.string()};
    }
    std::error_code error;
    if (!std::filesystem::exists(target, error)) {
        return Status{ErrorCode::FileError, "launch path does not exist: " + target.string()};
    }
    return LaunchRequest{static_cast<AssignmentKind>(record.kind), target, target.parent_path()};
}

LaunchOutcome LaunchFromKey(const RecordTable& records, std::uint8_t virtualKey, LaunchService& launcher) {
    const auto index = FindLaunchRecord(records, virtualKey);
    if (!index) {
        return LaunchOutcome::NoLaunchKey;
    }
    const auto request = MakeLaunchRequest(records[*index]);
    if (!request) {
        return LaunchOutcome::Refused;
    }
    return launcher.Launch(request.value()) ? LaunchOutcome::Launched : LaunchOutcome::Failed;
}

}  // namespace solvane
