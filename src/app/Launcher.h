#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "common/Result.h"
#include "keys/KeyAssignment.h"

namespace solvane {

// What a launch key asks of the desktop: run a program in its own folder, or open a sound,
// a file or a folder with the desktop's default application.
struct LaunchRequest {
    AssignmentKind kind = KIND_PLAY_SOUND;
    std::filesystem::path target;
    std::filesystem::path folder;  // the folder that holds the target
};

// Carries a request out, never through a shell, and does not wait for what it started.
class LaunchService {
public:
    virtual ~LaunchService() = default;
    virtual Status Launch(const LaunchRequest& request) = 0;
};

// The first record, in index order, of a launch kind whose key code is `virtualKey`.
std::optional<std::size_t> FindLaunchRecord(const RecordTable& records, std::uint8_t virtualKey);

// The record's path as a request. A path that is empty, not absolute or that does not exist is
// refused: launching it could only fail, or worse, open something the user did not choose.
Result<LaunchRequest> MakeLaunchRequest(const KeyAssignment& record);

enum class LaunchOutcome {
    NoLaunchKey,  // the key has no launch assignment
    Refused,      // it has one, but its path cannot be launched
    Launched,     // handed to the launch service
    Failed,       // the launch service could not start it
};

// What the main window does when the key monitor reports a freshly pressed key.
LaunchOutcome LaunchFromKey(const RecordTable& records, std::uint8_t virtualKey, LaunchService& launcher);

}  // namespace solvane
