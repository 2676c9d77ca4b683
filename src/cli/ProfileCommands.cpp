// profile list | new | copy | save | load | delete | rename: the profile folder from the command
// line, through the same rules as the profile manager, with the dialogs answered by the options.
#include <algorithm>
#include <array>
#include <ostream>

#include "cli/CliContext.h"
#include "keys/ConfigurationUpdates.h"
#include "keys/KeymapFile.h"
#include "profiles/ProfileFiles.h"
#include "profiles/ProfileManager.h"
#include "profiles/ProfileNames.h"

namespace solvane {
namespace {

// Message boxes are printed as the dialog would show them; questions and file dialogs are
// answered from the command line.
class CliPrompts : public ProfilePrompts {
public:
    CliPrompts(std::ostream& out, std::optional<std::filesystem::path> file, bool confirm)
        : m_out(out), m_file(std::move(file)), m_confirm(confirm) {}

    void ShowMessage(std::string_view, std::string_view text) override {
        Print(text);
        ++m_messages;
    }
    bool AskOkCancel(std::string_view, std::string_view text) override {
        Print(text);
        m_declined = !m_confirm;
        return m_confirm;
    }
    std::optional<std::filesystem::path> ChooseFile(const FileDialogRequest&) override { return m_file; }

    int messages() const { return m_messages; }
    bool declined() const { return m_declined; }

private:
    void Print(std::string_view text) {
        m_out << text;
        if (!text.ends_with('\n')) {
            m_out << '\n';
        }
    }

    std::ostream& m_out;
    std::optional<std::filesystem::path> m_file;
    bool m_confirm;
    int m_messages = 0;
    bool m_declined = false;
};

struct ProfileArguments {
    std::vector<std::string> names;
    std::optional<std::filesystem::path> exportFile;  // save --export
    std::optional<std::filesystem::path> file;        // load --file
    bool yes = false;                                 // delete --yes
};

struct Subcommand {
    const char* name;
    std::size_t nameCount;
    bool takesExport;
    bool takesFile;
    bool takesYes;
};

constexpr std::array kSubcommands{
    Subcommand{"list", 0, false, false, false},  Subcommand{"new", 0, false, false, false},
    Subcommand{"copy", 1, false, false, false},  Subcommand{"save", 1, true, false, false},
    Subcommand{"load", 1, false, true, false},   Subcommand{"delete", 1, false, false, true},
    Subcommand{"rename", 2, false, false, false},
};

// Parses what follows the subcommand; reports a usage error itself.
std::optional<ProfileArguments> ParseArguments(CliContext& context, const Subcommand& subcommand,
                                               std::span<const std::string> arguments) {
    ProfileArguments parsed;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        auto value = [&](const char* option) -> std::optional<std::filesystem::path> {
            if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
                context.UsageError(std::string(option) + " needs a file");
                return std::nullopt;
            }
            return std::filesystem::path(arguments[++i]);
        };
        if (argument == "--export" && subcommand.takesExport) {
            if (!(parsed.exportFile = value("--export"))) {
                return std::nullopt;
            }
        } else if (argument == "--file" && subcommand.takesFile) {
            if (!(parsed.file = value("--file"))) {
                return std::nullopt;
            }
        } else if (argument == "--yes" && subcommand.takesYes) {
            parsed.yes = true;
        } else if (argument.starts_with("--") || parsed.names.size() == subcommand.nameCount) {
            context.UsageError("unexpected argument " + argument);
            return std::nullopt;
        } else {
            parsed.names.push_back(argument);
        }
    }
    if (parsed.names.size() != subcommand.nameCount) {
        context.UsageError(std::string("profile ") + subcommand.name + " needs " +
                           (subcommand.nameCount == 1 ? "a profile name" : "the old and the new name"));
        return std::nullopt;
    }
    if (subcommand.takesFile && !parsed.file) {
        context.UsageError("profile load needs --file FILE");
        return std::nullopt;
    }
    return parsed;
}

// Names in `after` that `before` did not hold.
std::vector<std::string> AddedNames(const std::vector<std::string>& before, const ProfileList& after) {
    std::vector<std::string> added;
    for (const auto& name : after.items()) {
        if (std::find(before.begin(), before.end(), name) == before.end()) {
            added.push_back(name);
        }
    }
    return added;
}

int RunSubcommand(CliContext& context, const Subcommand& subcommand, const ProfileArguments& arguments) {
    const auto dataFolder = context.DataFolder();
    if (!dataFolder) {
        return kExitFailure;
    }
    if (auto folder = PrepareProfileFolder(*dataFolder); !folder) {
        return context.Fail(folder.status());
    }
    const std::string command = subcommand.name;
    // The in-memory state is keymap.bin, as the program holds it after start-up.
    const auto keymapPath = *dataFolder / keymap_file::kFileName;
    auto configuration = std::make_unique<Configuration>();
    if (command == "save" || command == "load") {
        if (auto loaded = LoadKeymapFile(keymapPath, KeymapLoadMode::Full, configuration->image,
                                         configuration->records);
            !loaded) {
            return context.Fail(loaded);
        }
    }

    CliPrompts prompts(context.out(), arguments.file ? arguments.file : arguments.exportFile, arguments.yes);
    ProfileManager manager(*dataFolder, configuration->image, configuration->records, prompts);
    // A loaded state is taken over as the main window does after the profile dialog.
    Status keymapSaved;
    manager.setAfterLoad([&] { keymapSaved = CompleteReadBack(*configuration, keymapPath); });
    manager.Open();

    if (command == "list") {
        for (const auto& name : manager.list().items()) {
            context.out() << name << '\n';
        }
        if (manager.profileCount() > kMaxProfiles) {
            context.err() << "solvane-cli: note: the profile folder holds more than " << kMaxProfiles
                          << " profiles; only the first " << kMaxProfiles << " are listed\n";
        }
        return kExitOk;
    }

    const std::string name = arguments.names.empty() ? std::string() : arguments.names[0];
    const std::vector<std::string> before = manager.list().items();
    Status outcome;
    if (command == "new") {
        outcome = manager.OnProfileNew();
    } else if (command == "rename") {
        const auto& items = manager.list().items();
        const auto old = std::find(items.begin(), items.end(), name);
        if (old == items.end()) {
            return context.Fail("no profile named " + name);
        }
        const auto index = static_cast<std::size_t>(old - items.begin());
        if (!manager.list().AcceptEdit(index, arguments.names[1])) {
            return kExitOk;  // the same text: nothing to rename
        }
        outcome = manager.OnProfileRenamed(index);
    } else {
        manager.list().SelectText(name);
        if (command == "copy") {
            outcome = manager.OnProfileCopy();
        } else if (command == "save") {
            outcome = manager.OnProfileSave();
        } else if (command == "load") {
            outcome = manager.OnProfileLoad();
        } else {
            outcome = manager.OnProfileDelete();
        }
        if (!outcome && std::find(before.begin(), before.end(), name) == before.end()) {
            return context.Fail("no profile named " + name);
        }
    }
    if (!outcome) {
        return prompts.messages() > 0 ? kExitFailure : context.Fail(outcome);
    }
    if (!keymapSaved) {
        return context.Fail(keymapSaved);
    }
    if (prompts.declined()) {
        return context.Fail(name + " not deleted: give --yes to delete it");
    }
    if (command == "new" || command == "copy") {
        for (const auto& added : AddedNames(before, manager.list())) {
            context.out() << "created " << added << '\n';
        }
    } else if (command == "save") {
        context.out() << "saved " << keymapPath.string() << " into " << name << '\n';
        if (arguments.exportFile) {
            context.out() << "exported " << name << " to " << arguments.exportFile->string() << '\n';
        }
    } else if (command == "load") {
        context.out() << "loaded " << arguments.file->string() << " into " << name << " and "
                      << keymapPath.string() << '\n';
    } else if (command == "delete") {
        context.out() << "deleted " << name << '\n';
    } else if (command == "rename") {
        context.out() << "renamed " << name << " to " << ProfileNameFromTyped(arguments.names[1]) << '\n';
    }
    return kExitOk;
}

int Profile(CliContext& context, std::span<const std::string> arguments) {
    if (arguments.empty()) {
        return context.UsageError("profile needs a subcommand");
    }
    const auto subcommand = std::find_if(kSubcommands.begin(), kSubcommands.end(),
                                         [&](const Subcommand& s) { return arguments[0] == s.name; });
    if (subcommand == kSubcommands.end()) {
        return context.UsageError("unknown profile subcommand " + arguments[0]);
    }
    const auto parsed = ParseArguments(context, *subcommand, arguments.subspan(1));
    if (!parsed) {
        return kExitUsage;
    }
    return RunSubcommand(context, *subcommand, *parsed);
}

constexpr std::array kCommands{
    CliCommand{"profile", "list, create, copy, save, load, delete and rename profiles",
               "Usage: solvane-cli [OPTIONS] profile SUBCOMMAND [ARGUMENTS]\n"
               "Manages the profiles in the Configure folder of the data folder (at most six).\n"
               "\n"
               "  list                          list the profiles\n"
               "  new                           create the next free Profile00N\n"
               "  copy NAME                     copy a profile as \"复制 NAME\"\n"
               "  save NAME [--export FILE]     save keymap.bin into the profile (and into FILE)\n"
               "  load NAME --file FILE         load FILE into keymap.bin and into the profile\n"
               "  delete NAME --yes             delete the profile (the last one is kept)\n"
               "  rename OLD NEW                rename a profile; a profile named NEW is replaced\n",
               Profile},
};

}  // namespace

std::span<const CliCommand> ProfileCommands() { return kCommands; }

}  // namespace solvane
