#include "cli/Cli.h"

#include <cstdio>
#include <map>
#include <optional>
#include <variant>
#include <ostream>
#include <vector>

#include "keys/KeymapFile.h"
#include "link/CommandSet.h"
#include "link/KeyboardLink.h"
#include "link/Sequences.h"
#include "link/Trace.h"
#include "sim/VirtualKeyboard.h"

namespace solvane {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

constexpr const char* kUsage =
    "Usage: solvane-cli [OPTIONS] COMMAND\n"
    "Configure the keyboard from the command line.\n"
    "\n"
    "Commands:\n"
    "  info    show whether the keyboard is there, its firmware and its settings\n"
    "  read    read everything the keyboard stores into keymap.bin\n"
    "  write   write keymap.bin to the keyboard\n"
    "  reset   restore the keyboard's factory settings and read them into keymap.bin\n"
    "\n"
    "Options:\n"
    "  --data-dir DIR          folder of keymap.bin (default $SOLVANE_DATA_DIR,\n"
    "                          else $XDG_DATA_HOME/solvane)\n"
    "  --simulate[=STATE_FILE] use the built-in virtual keyboard; with STATE_FILE its\n"
    "                          settings persist across runs\n"
    "  --trace                 print every report and pause exchanged with the keyboard\n"
    "  --help                  show this help (COMMAND --help: that command's help)\n";

const std::map<std::string, std::string>& CommandHelp() {
    static const std::map<std::string, std::string> help{
        {"info",
         "Usage: solvane-cli [OPTIONS] info\n"
         "Shows whether the keyboard is connected, its device path, its firmware version\n"
         "and the lighting, game mode, report rate and key response stored in it.\n"},
        {"read",
         "Usage: solvane-cli [OPTIONS] read\n"
         "Reads the firmware version and everything the keyboard stores, then rewrites\n"
         "keymap.bin in the data folder (created when missing) with what was read. Key\n"
         "assignments and launch paths already in keymap.bin are kept.\n"},
        {"write",
         "Usage: solvane-cli [OPTIONS] write\n"
         "Loads keymap.bin from the data folder and writes its lighting, game mode,\n"
         "report rate, key response, key map, key enable bits and all 32 macro blocks to\n"
         "the keyboard (about 2.6 seconds).\n"},
        {"reset",
         "Usage: solvane-cli [OPTIONS] reset\n"
         "Restores the keyboard's factory settings, reads them back and rewrites\n"
         "keymap.bin in the data folder.\n"},
    };
    return help;
}

struct Options {
    std::optional<std::string> dataDir;
    bool simulate = false;
    std::optional<std::string> stateFile;
    bool trace = false;
    bool help = false;
    std::string command;
};

struct UsageError {
    std::string message;
};

std::variant<Options, UsageError> Parse(std::span<const std::string> arguments) {
    Options options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--trace") {
            options.trace = true;
        } else if (argument == "--simulate") {
            options.simulate = true;
        } else if (argument.starts_with("--simulate=")) {
            options.simulate = true;
            options.stateFile = argument.substr(std::string("--simulate=").size());
            if (options.stateFile->empty()) {
                return UsageError{"--simulate= needs a state file"};
            }
        } else if (argument == "--data-dir") {
            if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
                return UsageError{"--data-dir needs a folder"};
            }
            options.dataDir = arguments[++i];
        } else if (argument.starts_with("--data-dir=")) {
            options.dataDir = argument.substr(std::string("--data-dir=").size());
            if (options.dataDir->empty()) {
                return UsageError{"--data-dir needs a folder"};
            }
        } else if (argument.starts_with("-")) {
            return UsageError{"unknown option " + argument};
        } else if (options.command.empty()) {
            if (!CommandHelp().contains(argument)) {
                return UsageError{"unknown command " + argument};
            }
            options.command = argument;
        } else {
            return UsageError{"unexpected argument " + argument};
        }
    }
    if (options.command.empty() && !options.help) {
        return UsageError{"no command given"};
    }
    return options;
}

// The keyboard the command talks to: the virtual one or the hardware, traced when asked.
class Session {
public:
    Session(const Options& options, const CliEnvironment& environment, std::ostream& out) {
        if (options.simulate) {
            VirtualKeyboardOptions sim;
            if (options.stateFile) {
                sim.stateFile = *options.stateFile;
            }
            sim.waitForTimeout = environment.readTimeoutWait;
            auto keyboard = std::make_unique<VirtualKeyboard>(std::move(sim));
            m_virtual = keyboard.get();
            m_device = std::move(keyboard);
        } else if (environment.hardware) {
            m_device = environment.hardware();
        }
        HidTransport* transport = m_device.get();
        PauseFunction pause = environment.pause;
        if (options.trace && transport != nullptr) {
            auto sink = [&out](std::string_view line) { out << line << '\n'; };
            m_tracer = std::make_unique<TracingTransport>(*transport, sink);
            transport = m_tracer.get();
            pause = TracingPause(std::move(pause), sink);
        }
        if (transport != nullptr) {
            m_link = std::make_unique<KeyboardLink>(*transport, std::move(pause));
        }
    }

    // Finds and opens the keyboard; false when there is none.
    bool Connect() {
        return m_link && m_link->FindKeyboardPath() && m_link->OpenKeyboard();
    }

    KeyboardLink& link() { return *m_link; }
    const VirtualKeyboard* virtualKeyboard() const { return m_virtual; }

private:
    std::unique_ptr<HidTransport> m_device;
    VirtualKeyboard* m_virtual = nullptr;
    std::unique_ptr<TracingTransport> m_tracer;
    std::unique_ptr<KeyboardLink> m_link;
};

class Command {
public:
    Command(const Options& options, const CliEnvironment& environment, std::ostream& out,
            std::ostream& err)
        : m_options(options), m_environment(environment), m_out(out), m_err(err),
          m_session(options, environment, out) {}

    int Run() {
        if (const auto* sim = m_session.virtualKeyboard(); sim && !sim->stateFileStatus().ok()) {
            m_err << "solvane-cli: warning: " << sim->stateFileStatus().message()
                  << "; starting from the factory state\n";
        }
        if (!m_session.Connect()) {
            return Fail("no keyboard found");
        }
        int status = kExitOk;
        if (m_options.command == "info") {
            status = Info();
        } else if (m_options.command == "read") {
            status = Read();
        } else if (m_options.command == "write") {
            status = Write();
        } else {
            status = Reset();
        }
        if (const auto* sim = m_session.virtualKeyboard(); sim && !sim->lastSaveStatus().ok()) {
            return Fail("virtual keyboard state not saved: " + sim->lastSaveStatus().message());
        }
        return status;
    }

private:
    int Fail(const std::string& message) {
        m_err << "solvane-cli: " << message << '\n';
        return kExitFailure;
    }

    int Fail(const Status& status) { return Fail(status.message()); }

    std::optional<std::filesystem::path> KeymapPath() {
        DataFolderSources sources = m_environment.dataFolder;
        sources.option = m_options.dataDir;
        auto folder = PrepareDataFolder(sources);
        if (!folder) {
            Fail(folder.status());
            return std::nullopt;
        }
        return folder.value() / keymap_file::kFileName;
    }

    int Info() {
        KeyboardLink& link = m_session.link();
        DeviceImage image;
        auto version = GetVersion(link);
        if (!version) {
            return Fail(version.status());
        }
        for (auto read : {GetLighting, GetGameMode, GetReportRate, GetKeyResponse}) {
            if (auto status = read(link, image); !status) {
                return Fail(status);
            }
        }
        const LightingValues lighting = image.lighting();
        char text[512];
        std::snprintf(text, sizeof text,
                      "keyboard: found\n"
                      "path: %s\n"
                      "firmware: %u.%u\n"
                      "lighting: effect 0x%02x, speed %u, brightness %u, direction %u, aux 0x%02x\n"
                      "game mode: %s\n"
                      "report rate: step %u\n"
                      "key response: %u (%u ms)\n",
                      link.keyboardPath().c_str(), version->major, version->minor, lighting.effect,
                      lighting.speed, lighting.brightness, lighting.direction, lighting.aux,
                      image.gameMode() != 0 ? "on" : "off", image.reportRateStep(),
                      image.keyResponse(), image.keyResponse() * 2u);
        m_out << text;
        return kExitOk;
    }

    int Read() {
        const auto path = KeymapPath();
        if (!path) {
            return kExitFailure;
        }
        DeviceImage image;
        RecordTable records{};
        if (auto loaded = LoadKeymapFile(*path, KeymapLoadMode::Full, image, records); !loaded) {
            return Fail(loaded);
        }
        KeyboardLink& link = m_session.link();
        DeviceImage readBack = image;
        FirmwareVersion firmware;
        if (auto status = ReadBackWorker(link, readBack, firmware); !status) {
            return Fail(status);
        }
        link.setFirmwareVersion(firmware);
        image.TakeTransferableFields(readBack);
        if (auto status = GetLighting(link, image); !status) {
            return Fail(status);
        }
        if (auto saved = SaveKeymapFile(*path, image, records); !saved) {
            return Fail(saved);
        }
        m_out << "read the keyboard (firmware " << unsigned{firmware.major} << '.'
              << unsigned{firmware.minor} << ") into " << path->string() << '\n';
        return kExitOk;
    }

    int Write() {
        const auto path = KeymapPath();
        if (!path) {
            return kExitFailure;
        }
        DeviceImage image;
        RecordTable records{};
        if (auto loaded = LoadKeymapFile(*path, KeymapLoadMode::Full, image, records); !loaded) {
            return Fail(loaded);
        }
        if (auto status = WriteAll(m_session.link(), image); !status) {
            return Fail(status);
        }
        m_out << "wrote " << path->string() << " to the keyboard\n";
        return kExitOk;
    }

    int Reset() {
        const auto path = KeymapPath();
        if (!path) {
            return kExitFailure;
        }
        DeviceImage image;
        RecordTable records{};
        if (auto loaded = LoadKeymapFile(*path, KeymapLoadMode::Full, image, records); !loaded) {
            return Fail(loaded);
        }
        KeyboardLink& link = m_session.link();
        if (auto status = FactoryResetSequence(link); !status) {
            return Fail(status);
        }
        if (auto status = ReadAll(link, image); !status) {
            return Fail(status);
        }
        if (auto saved = SaveKeymapFile(*path, image, records); !saved) {
            return Fail(saved);
        }
        m_out << "restored the factory settings into " << path->string() << '\n';
        return kExitOk;
    }

    const Options& m_options;
    const CliEnvironment& m_environment;
    std::ostream& m_out;
    std::ostream& m_err;
    Session m_session;
};

}  // namespace

int RunCli(std::span<const std::string> arguments, std::ostream& out, std::ostream& err,
           const CliEnvironment& environment) {
    const auto parsed = Parse(arguments);
    if (const auto* usage = std::get_if<UsageError>(&parsed)) {
        err << "solvane-cli: " << usage->message << " (see solvane-cli --help)\n";
        return kExitUsage;
    }
    const auto& options = std::get<Options>(parsed);
    if (options.help) {
        out << (options.command.empty() ? kUsage : CommandHelp().at(options.command));
        return kExitOk;
    }
    return Command(options, environment, out, err).Run();
}

}  // namespace solvane
