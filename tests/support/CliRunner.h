#pragma once

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "sim/VirtualKeyboard.h"

namespace solvane::testing {

struct CliOutcome {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs solvane-cli in-process with pauses and time-outs recorded instead of slept. Without
// --simulate the "hardware" is a virtual keyboard that is not plugged in.
inline CliOutcome RunCliForTest(std::vector<std::string> arguments) {
    CliEnvironment environment;
    environment.pause = nullptr;
    environment.readTimeoutWait = nullptr;
    environment.hardware = [] {
        VirtualKeyboardOptions options;
        options.waitForTimeout = nullptr;
        auto keyboard = std::make_unique<VirtualKeyboard>(std::move(options));
        keyboard->setUnplugged(true);
        return keyboard;
    };
    std::ostringstream out;
    std::ostringstream err;
    CliOutcome outcome;
    outcome.status = RunCli(arguments, out, err, environment);
    outcome.out = out.str();
    outcome.err = err.str();
    return outcome;
}

// Runs solvane-cli on the data folder `folder` with a virtual keyboard that keeps its flash in
// `folder`/kb.state across runs.
inline CliOutcome RunCliInFolder(const std::filesystem::path& folder, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(),
                     {"--data-dir", folder.string(), "--simulate=" + (folder / "kb.state").string()});
    return RunCliForTest(std::move(arguments));
}

}  // namespace solvane::testing
