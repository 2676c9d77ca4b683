// info, read, write, reset: the keyboard link from the command line.
#include <array>
#include <cstdio>
#include <memory>
#include <ostream>

#include "cli/CliContext.h"
#include "cli/KeyText.h"
#include "keys/ConfigurationUpdates.h"
#include "keys/KeymapFile.h"
#include "link/CommandSet.h"
#include "link/Sequences.h"

namespace solvane {
namespace {

int NoArguments(CliContext& context, std::span<const std::string> arguments) {
    return arguments.empty() ? kExitOk : context.UsageError("unexpected argument " + arguments[0]);
}

int Info(CliContext& context, std::span<const std::string> arguments) {
    if (int usage = NoArguments(context, arguments); usage != kExitOk) {
        return usage;
    }
    KeyboardLink* link = context.ConnectKeyboard();
    if (link == nullptr) {
        return kExitFailure;
    }
    auto version = GetVersion(*link);
    if (!version) {
        return context.Fail(version.status());
    }
    DeviceImage image;
    for (auto read : {GetLighting, GetGameMode, GetReportRate, GetKeyResponse}) {
        if (auto status = read(*link, image); !status) {
            return context.Fail(status);
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
                  link->keyboardPath().c_str(), version->major, version->minor, lighting.effect,
                  lighting.speed, lighting.brightness, lighting.direction, lighting.aux,
                  image.gameMode() != 0 ? "on" : "off", image.reportRateStep(), image.keyResponse(),
                  image.keyResponse() * 2u);
    context.out() << text;
    return kExitOk;
}

// keymap.bin loaded as at start-up, with the keyboard connected.
struct KeymapSession {
    std::filesystem::path path;
    std::unique_ptr<Configuration> configuration = std::make_unique<Configuration>();
    KeyboardLink* link = nullptr;
};

std::optional<KeymapSession> OpenKeymapAndKeyboard(CliContext& context, MissingKeymap whenMissing) {
    KeymapSession session;
    const auto path = context.LoadKeymap(*session.configuration, whenMissing);
    if (!path) {
        return std::nullopt;
    }
    session.path = *path;
    session.link = context.ConnectKeyboard();
    if (session.link == nullptr) {
        return std::nullopt;
    }
    return session;
}

// Reports the state file of the virtual keyboard, then `done`.
int Done(CliContext& context, const std::string& done) {
    if (auto sim = context.VirtualKeyboardSaveStatus(); !sim) {
        return context.Fail(sim);
    }
    context.out() << done << '\n';
    return kExitOk;
}

int Read(CliContext& context, std::span<const std::string> arguments) {
    if (int usage = NoArguments(context, arguments); usage != kExitOk) {
        return usage;
    }
    auto session = OpenKeymapAndKeyboard(context, MissingKeymap::Create);
    if (!session) {
        return kExitFailure;
    }
    // The worker reads into its own image; the fields the keyboard stores are then taken over,
    // so the bytes only the file holds survive.
    DeviceImage& image = session->configuration->image;
    DeviceImage readBack = image;
    FirmwareVersion firmware;
    if (auto status = ReadBackWorker(*session->link, readBack, firmware); !status) {
        return context.Fail(status);
    }
    session->link->setFirmwareVersion(firmware);
    image.TakeTransferableFields(readBack);
    if (auto status = GetLighting(*session->link, image); !status) {
        return context.Fail(status);
    }
    if (auto saved = CompleteReadBack(*session->configuration, session->path); !saved) {
        return context.Fail(saved);
    }
    char done[64];
    std::snprintf(done, sizeof done, "read the keyboard (firmware %u.%u) into ", firmware.major,
                  firmware.minor);
    return Done(context, done + session->path.string() + "\nchanged keys: " +
                             ChangedKeysText(*session->configuration));
}

int Write(CliContext& context, std::span<const std::string> arguments) {
    if (int usage = NoArguments(context, arguments); usage != kExitOk) {
        return usage;
    }
    auto session = OpenKeymapAndKeyboard(context, MissingKeymap::Refuse);
    if (!session) {
        return kExitFailure;
    }
    if (!HasKeyMap(session->configuration->image)) {
        return context.Fail(kNothingReadYet);
    }
    if (auto status = WriteAllConfirmed(*session->link, session->configuration->image); !status) {
        return context.Fail(status);
    }
    return Done(context, "wrote " + session->path.string() + " to the keyboard");
}

int Reset(CliContext& context, std::span<const std::string> arguments) {
    if (int usage = NoArguments(context, arguments); usage != kExitOk) {
        return usage;
    }
    auto session = OpenKeymapAndKeyboard(context, MissingKeymap::Create);
    if (!session) {
        return kExitFailure;
    }
    if (auto status = FactoryResetSequence(*session->link); !status) {
        return context.Fail(status);
    }
    if (auto status = ReadAll(*session->link, session->configuration->image); !status) {
        return context.Fail(status);
    }
    if (auto status = FactoryResetRecords(*session->configuration, session->path); !status) {
        return context.Fail(status);
    }
    return Done(context, "restored the factory settings into " + session->path.string());
}

constexpr std::array kCommands{
    CliCommand{"info", "show whether the keyboard is there, its firmware and its settings",
               "Usage: solvane-cli [OPTIONS] info\n"
               "Shows whether the keyboard is connected, its device path, its firmware version\n"
               "and the lighting, game mode, report rate and key response stored in it.\n",
               Info},
    CliCommand{"read", "read everything the keyboard stores into keymap.bin",
               "Usage: solvane-cli [OPTIONS] read\n"
               "Reads the firmware version and everything the keyboard stores, then rewrites\n"
               "keymap.bin in the data folder (created when missing) with what was read. Key\n"
               "assignments and launch paths already in keymap.bin are kept. Lists the keys\n"
               "that differ from the factory settings.\n",
               Read},
    CliCommand{"write", "write keymap.bin to the keyboard",
               "Usage: solvane-cli [OPTIONS] write\n"
               "Loads keymap.bin from the data folder and writes its lighting, game mode,\n"
               "report rate, key response, key map, key enable bits and all 32 macro blocks to\n"
               "the keyboard (about 2.6 seconds).\n",
               Write},
    CliCommand{"reset", "restore the factory settings and read them into keymap.bin",
               "Usage: solvane-cli [OPTIONS] reset\n"
               "Restores the keyboard's factory settings, reads them back and rewrites\n"
               "keymap.bin in the data folder: every key assignment and launch path is cleared\n"
               "and every key enabled. Macros in MacroDefine.bin are kept.\n",
               Reset},
};

}  // namespace

std::span<const CliCommand> LinkCommands() { return kCommands; }

}  // namespace solvane
