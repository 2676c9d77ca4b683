#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <span>
#include <string>

#include "common/DataFolder.h"
#include "link/HidTransport.h"
#include "link/Pause.h"

namespace solvane {

// What the command line needs from the outside world, so tests can supply their own.
struct CliEnvironment {
    DataFolderSources dataFolder;                             // the environment's folders
    std::function<std::unique_ptr<HidTransport>()> hardware;  // the real keyboard's transport
    PauseFunction pause = SleepPause;                         // the protocol's pauses
    PauseFunction readTimeoutWait = SleepPause;               // the virtual keyboard's time-outs
};

// Runs solvane-cli with `arguments` (without the program name). Returns the exit status.
int RunCli(std::span<const std::string> arguments, std::ostream& out, std::ostream& err,
           const CliEnvironment& environment);

}  // namespace solvane
