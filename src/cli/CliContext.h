#pragma once

#include <filesystem>
#include <iosfwd>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "cli/Cli.h"
#include "common/Result.h"
#include "keys/Configuration.h"
#include "link/KeyboardLink.h"
#include "link/Trace.h"
#include "sim/VirtualKeyboard.h"

namespace solvane {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Said when keymap.bin was made before any keyboard was read.
inline constexpr const char* kNothingReadYet =
    "keymap.bin holds no settings read from the keyboard yet; run `solvane-cli read` first";

// What loading does without a keymap.bin. Only commands that read the keyboard create it: one
// made otherwise holds no settings of the keyboard, and writing it would leave every key dead.
enum class MissingKeymap { Create, Refuse };

struct GlobalOptions {
    std::optional<std::string> dataDir;
    bool simulate = false;
    std::optional<std::string> stateFile;
    bool trace = false;
};

// What a command works with: its output streams, the data folder and the keyboard, opened on
// first use.
class CliContext {
public:
    CliContext(const GlobalOptions& options, const CliEnvironment& environment, std::ostream& out,
               std::ostream& err);
    ~CliContext();

    std::ostream& out() { return m_out; }
    std::ostream& err() { return m_err; }

    // Prints "solvane-cli: MESSAGE" on standard error; returns the failure exit status.
    int Fail(const std::string& message);
    int Fail(const Status& status) { return Fail(status.message()); }
    // Prints the usage complaint; returns the usage exit status.
    int UsageError(const std::string& message);

    // The data folder, created when missing; reports the failure itself.
    std::optional<std::filesystem::path> DataFolder();
    // keymap.bin in the data folder.
    std::optional<std::filesystem::path> KeymapPath();
    // MacroDefine.bin in the data folder.
    std::optional<std::filesystem::path> MacroPath();
    // keymap.bin loaded as at start-up; reports failures itself and returns the file's path on
    // success.
    std::optional<std::filesystem::path> LoadKeymap(Configuration& configuration,
                                                    MissingKeymap whenMissing);

    // Finds and opens the keyboard; reports "no keyboard found" itself.
    KeyboardLink* ConnectKeyboard();
    // Failures of the virtual keyboard's state file, as a status (Ok when there is none).
    Status VirtualKeyboardSaveStatus() const;

private:
    std::optional<std::filesystem::path> DataFile(const char* name);

    const GlobalOptions& m_options;
    const CliEnvironment& m_environment;
    std::ostream& m_out;
    std::ostream& m_err;
    std::unique_ptr<HidTransport> m_device;
    VirtualKeyboard* m_virtual = nullptr;
    std::unique_ptr<TracingTransport> m_tracer;
    std::unique_ptr<KeyboardLink> m_link;
};

// One command of solvane-cli: its name, its help text and what it runs with the arguments that
// follow its name.
struct CliCommand {
    const char* name;
    const char* summary;
    const char* help;
    int (*run)(CliContext& context, std::span<const std::string> arguments);
};

// The command groups; each lives in its own file.
std::span<const CliCommand> LinkCommands();
std::span<const CliCommand> KeyCommands();
std::span<const CliCommand> ProfileCommands();
std::span<const CliCommand> MacroCommands();

}  // namespace solvane
