#include "cli/Cli.h"

#include <ostream>
#include <vector>

#include "cli/CliContext.h"

namespace solvane {
namespace {

std::vector<CliCommand> AllCommands() {
    std::vector<CliCommand> commands;
    for (auto group : {LinkCommands(), KeyCommands(), MacroCommands(), ProfileCommands()}) {
        commands.insert(commands.end(), group.begin(), group.end());
    }
    return commands;
}

void PrintUsage(std::ostream& out, const std::vector<CliCommand>& commands) {
    out << "Usage: solvane-cli [OPTIONS] COMMAND [ARGUMENTS]\n"
           "Configure the keyboard from the command line.\n"
           "\n"
           "Commands:\n";
    for (const auto& command : commands) {
        std::string name = command.name;
        name.resize(std::max<std::size_t>(name.size() + 2, 10), ' ');
        out << "  " << name << command.summary << '\n';
    }
    out << "\n"
           "Options:\n"
           "  --data-dir DIR          folder of keymap.bin (default $SOLVANE_DATA_DIR,\n"
           "                          else $XDG_DATA_HOME/solvane)\n"
           "  --simulate[=STATE_FILE] use the built-in virtual keyboard; with STATE_FILE its\n"
           "                          settings persist across runs\n"
           "  --trace                 print every report and pause exchanged with the keyboard\n"
           "  --help                  show this help (COMMAND --help: that command's help)\n";
}

}  // namespace

int RunCli(std::span<const std::string> arguments, std::ostream& out, std::ostream& err,
           const CliEnvironment& environment) {
    const auto commands = AllCommands();
    GlobalOptions options;
    bool help = false;
    const CliCommand* command = nullptr;
    std::vector<std::string> commandArguments;
    auto usage = [&](const std::string& message) {
        err << "solvane-cli: " << message << " (see solvane-cli --help)\n";
        return kExitUsage;
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            help = true;
        } else if (argument == "--trace") {
            options.trace = true;
        } else if (argument == "--simulate") {
            options.simulate = true;
        } else if (argument.starts_with("--simulate=")) {
            options.simulate = true;
            options.stateFile = argument.substr(std::string_view("--simulate=").size());
            if (options.stateFile->empty()) {
                return usage("--simulate= needs a state file");
            }
        } else if (argument == "--data-dir" || argument.starts_with("--data-dir=")) {
            std::string value;
            if (argument == "--data-dir") {
                if (i + 1 < arguments.size()) {
                    value = arguments[++i];
                }
            } else {
                value = argument.substr(std::string_view("--data-dir=").size());
            }
            if (value.empty()) {
                return usage("--data-dir needs a folder");
            }
            options.dataDir = value;
        } else if (command != nullptr) {
            // Everything else after the command belongs to it.
            commandArguments.push_back(argument);
        } else if (argument.starts_with("-")) {
            return usage("unknown option " + argument);
        } else {
            for (const auto& candidate : commands) {
                if (argument == candidate.name) {
                    command = &candidate;
                }
            }
            if (command == nullptr) {
                return usage("unknown command " + argument);
            }
        }
    }
    if (help) {
        if (command != nullptr) {
            out << command->help;
        } else {
            PrintUsage(out, commands);
        }
        return kExitOk;
    }
    if (command == nullptr) {
        return usage("no command given");
    }
    CliContext context(options, environment, out, err);
    return command->run(context, commandArguments);
}

}  // namespace solvane
