// macro list | show | add | delete | rename | loop: the macros of MacroDefine.bin from the command
// line, changed through the same model as the macro manager and saved as after its OK.
#include <algorithm>
#include <array>
#include <memory>
#include <ostream>

#include "cli/CliContext.h"
#include "cli/KeyText.h"
#include "cli/ParseNumber.h"
#include "common/Utf16.h"
#include "keys/ConfigurationUpdates.h"
#include "macros/MacroEvents.h"
#include "macros/MacroFile.h"
#include "macros/MacroManager.h"

namespace solvane {
namespace {

// The command itself is the user's confirmation, and its items are the keys the hook would
// deliver.
class CliMacroHost : public MacroManagerHost {
public:
    void ShowMessage(std::string_view, std::string_view) override {}
    bool AskOkCancel(std::string_view, std::string_view) override { return true; }
    bool InstallKeyHook() override { return true; }
    void RemoveKeyHook() override {}
};

// The macro store as the program holds it after start-up, and the macro manager opened on it
// with a clock that only the command's delay items move.
struct MacroSession {
    std::filesystem::path macroPath;
    std::unique_ptr<MacroStore> store = std::make_unique<MacroStore>();
    CliMacroHost host;
    std::chrono::steady_clock::time_point now{};
    MacroManager manager{host, [this] { return now; }};
};

std::unique_ptr<MacroSession> OpenMacroSession(CliContext& context) {
    auto session = std::make_unique<MacroSession>();
    const auto macroPath = context.MacroPath();
    if (!macroPath) {
        return nullptr;
    }
    session->macroPath = *macroPath;
    if (auto loaded = LoadMacroFile(session->macroPath, *session->store); !loaded) {
        context.Fail(loaded);
        return nullptr;
    }
    session->manager.Open(*session->store);
    return session;
}

// OK in the dialog, then what the main window does after it: blocks encoded, keymap.bin and
// MacroDefine.bin saved.
int Confirm(CliContext& context, MacroSession& session, const std::string& done) {
    auto configuration = std::make_unique<Configuration>();
    const auto keymapPath = context.LoadKeymap(*configuration, MissingKeymap::Refuse);
    if (!keymapPath) {
        return kExitFailure;
    }
    session.manager.Ok(*session.store);
    if (auto saved = CompleteMacroEditing(*session.store, *configuration, *keymapPath, session.macroPath);
        !saved) {
        return context.Fail(saved);
    }
    context.out() << done << '\n';
    return kExitOk;
}

std::string MacroLabel(const MacroSession& session, std::size_t number) {
    return "macro " + std::to_string(number) + " (" +
           Utf16ToUtf8(session.manager.macroNames().at(number)) + ")";
}

// Checks that `words` are a macro number and `wordCount - 1` more words, and selects that macro
// as the user's click would. Reports what is wrong itself and returns the exit status.
int SelectNamedMacro(CliContext& context, MacroSession& session, std::span<const std::string> words,
                     std::size_t wordCount, const char* usage, std::size_t& number) {
    if (words.size() != wordCount) {
        return context.UsageError(usage);
    }
    const auto parsed = ParseNumber<std::size_t>(words[0]);
    const std::size_t count = session.manager.macroNames().size();
    if (!parsed) {
        return context.UsageError("not a macro number: " + words[0]);
    }
    if (*parsed >= count) {
        return context.Fail("there is no macro " + words[0] + " (MacroDefine.bin holds " +
                            std::to_string(count) + (count == 1 ? " macro)" : " macros)"));
    }
    number = *parsed;
    session.manager.SelectMacro(number);
    return kExitOk;
}

void NoteRenumbering(CliContext& context, bool renumbered) {
    if (renumbered) {
        context.err() << "solvane-cli: note: other macros changed their numbers; keys assigned to a "
                         "macro still play the macro with the number they name\n";
    }
}

std::size_t EventCount(const MacroRecord& record) {
    return BufferedEvents({record.deviceEvents, record.keyEvents}).size();
}

int List(CliContext& context, MacroSession& session) {
    const std::size_t count = MacroCount(*session.store);
    if (count == 0) {
        context.out() << "no macros\n";
        return kExitOk;
    }
    context.out() << "#    loop  delays  events  name\n";
    for (std::size_t n = 0; n < count; ++n) {
        const MacroRecord& record = (*session.store)[n];
        std::string line = std::to_string(n);
        line.resize(5, ' ');
        line += std::to_string(LoopCountOf(record));
        line.resize(11, ' ');
        line += (record.flags & macro_record::kFlagRecordDelays) != 0 ? "on" : "off";
        line.resize(19, ' ');
        line += std::to_string(EventCount(record));
        line.resize(27, ' ');
        context.out() << line << Utf16ToUtf8(MacroName(record)) << '\n';
    }
    if (count > image::kMacroBlockCount) {
        context.err() << "solvane-cli: note: the keyboard holds macros 0 to " << image::kMacroBlockCount - 1
                      << "; the others stay in MacroDefine.bin only\n";
    }
    return kExitOk;
}

int Show(CliContext& context, MacroSession& session, std::span<const std::string> words) {
    std::size_t number = 0;
    if (int status = SelectNamedMacro(context, session, words, 1, "macro show takes one macro number", number);
        status != kExitOk) {
        return status;
    }
    for (const auto& item : session.manager.eventItems()) {
        context.out() << Utf16ToUtf8(item.text) << '\n';
    }
    return kExitOk;
}

// One ITEM of `macro add`: a press, a release, or a wait before the next event.
struct AddItem {
    std::string text;
    std::optional<std::uint8_t> key;
    bool release = false;
    unsigned delayMs = 0;
};

std::optional<AddItem> ParseAddItem(std::string_view text) {
    AddItem item;
    item.text = text;
    if (text.starts_with('+') || text.starts_with('-')) {
        item.release = text.front() == '-';
        item.key = ParseKey(text.substr(1));
        return item.key ? std::optional(item) : std::nullopt;
    }
    if (text.ends_with("ms")) {
        const auto delay = ParseNumber<unsigned>(text.substr(0, text.size() - 2));
        if (delay && *delay <= macro_event::kMaxDelay) {
            item.delayMs = *delay;
            return item;
        }
    }
    return std::nullopt;
}

int Add(CliContext& context, MacroSession& session, std::span<const std::string> words) {
    std::optional<std::string> name;
    std::optional<std::string> loop;
    bool delays = false;
    std::vector<AddItem> items;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (words[i] == "--loop") {
            if (i + 1 >= words.size()) {
                return context.UsageError("--loop needs a count");
            }
            loop = words[++i];
        } else if (words[i] == "--delays") {
            delays = true;
        } else if (!name) {
            name = words[i];
        } else if (auto item = ParseAddItem(words[i])) {
            items.push_back(std::move(*item));
        } else {
            return context.UsageError("not an item: " + words[i] + " (+KEY, -KEY or a delay such as 250ms)");
        }
    }
    if (!name) {
        return context.UsageError("macro add needs a NAME");
    }
    const bool anyDelay = std::any_of(items.begin(), items.end(), [](const AddItem& item) { return !item.key; });
    if (anyDelay && !delays) {
        return context.UsageError("delays are recorded only with --delays");
    }
    if (!items.empty() && !items.back().key) {
        return context.UsageError("a delay needs an event after it");
    }

    MacroManager& manager = session.manager;
    const std::size_t countBefore = manager.macroNames().size();
    if (auto created = manager.NewMacro(); !created) {
        return context.Fail(created);
    }
    manager.BeginListEdit();
    const auto renamed = manager.RenameMacro(*manager.selectedMacro(), Utf8ToUtf16(*name));
    if (!renamed) {
        return context.Fail(renamed.status());
    }
    if (loop) {
        manager.ToggleLoop();
        if (!manager.SetLoopText(*loop)) {
            return context.UsageError("a loop count is a number from 0 to 999: " + *loop);
        }
    }
    if (delays) {
        manager.ToggleRecordDelays();
    }
    manager.ToggleRecording();
    for (const auto& item : items) {
        if (!item.key) {
            session.now += std::chrono::milliseconds(item.delayMs);
            continue;
        }
        switch (manager.OnHookKey(*item.key, item.release)) {
            case HookKeyOutcome::Appended:
                break;
            case HookKeyOutcome::Repeat:
                return context.Fail(item.text + " repeats the event before it: a held key is recorded once");
            case HookKeyOutcome::NotRecordable:
                return context.Fail("the keyboard cannot play " + item.text.substr(1) + " in a macro");
            case HookKeyOutcome::Full:
                return context.Fail("the macro is full at " + item.text + ": its events take at most " +
                                    std::to_string(kMacroEventBytes) + " bytes");
            default:
                return context.Fail("the recording stopped at " + item.text);
        }
    }
    manager.ToggleRecording();
    const std::size_t number = *manager.selectedMacro();
    NoteRenumbering(context, number < countBefore);
    return Confirm(context, session, "created " + MacroLabel(session, number));
}

int Delete(CliContext& context, MacroSession& session, std::span<const std::string> words) {
    std::size_t number = 0;
    if (int status = SelectNamedMacro(context, session, words, 1, "macro delete takes one macro number", number);
        status != kExitOk) {
        return status;
    }
    const std::string label = MacroLabel(session, number);
    const bool renumbered = number + 1 < session.manager.macroNames().size();
    if (auto deleted = session.manager.DeleteMacro(); !deleted) {
        return context.Fail(deleted);
    }
    NoteRenumbering(context, renumbered);
    return Confirm(context, session, "deleted " + label);
}

int Rename(CliContext& context, MacroSession& session, std::span<const std::string> words) {
    std::size_t number = 0;
    if (int status = SelectNamedMacro(context, session, words, 2, "macro rename takes a macro number and the new NAME", number);
        status != kExitOk) {
        return status;
    }
    const std::string label = MacroLabel(session, number);
    session.manager.BeginListEdit();
    const auto renamed = session.manager.RenameMacro(number, Utf8ToUtf16(words[1]));
    if (!renamed) {
        return context.Fail(renamed.status());
    }
    NoteRenumbering(context, renamed.value() != number);
    return Confirm(context, session, "renamed " + label + " to " + MacroLabel(session, renamed.value()));
}

int Loop(CliContext& context, MacroSession& session, std::span<const std::string> words) {
    std::size_t number = 0;
    if (int status = SelectNamedMacro(context, session, words, 2, "macro loop takes a macro number and a COUNT", number);
        status != kExitOk) {
        return status;
    }
    MacroManager& manager = session.manager;
    if (!manager.loopBoxTicked()) {
        manager.ToggleLoop();
    }
    if (!manager.SetLoopText(words[1])) {
        return context.UsageError("a loop count is a number from 0 to 999: " + words[1]);
    }
    return Confirm(context, session, MacroLabel(session, number) + " plays " + words[1] + " times");
}

int Macro(CliContext& context, std::span<const std::string> arguments) {
    using Run = int (*)(CliContext&, MacroSession&, std::span<const std::string>);
    struct Subcommand {
        const char* name;
        Run run;
    };
    static constexpr std::array kSubcommands{
        Subcommand{"list", [](CliContext& c, MacroSession& s, std::span<const std::string> words) {
                       return words.empty() ? List(c, s) : c.UsageError("unexpected argument " + words[0]);
                   }},
        Subcommand{"show", Show},     Subcommand{"add", Add},   Subcommand{"delete", Delete},
        Subcommand{"rename", Rename}, Subcommand{"loop", Loop},
    };
    if (arguments.empty()) {
        return context.UsageError("macro needs a subcommand");
    }
    const auto subcommand = std::find_if(kSubcommands.begin(), kSubcommands.end(),
                                         [&](const Subcommand& s) { return arguments[0] == s.name; });
    if (subcommand == kSubcommands.end()) {
        return context.UsageError("unknown macro subcommand " + arguments[0]);
    }
    auto session = OpenMacroSession(context);
    if (!session) {
        return kExitFailure;
    }
    return subcommand->run(context, *session, arguments.subspan(1));
}

constexpr std::array kCommands{
    CliCommand{"macro", "list, show, add, delete and rename macros and set their loop counts",
               "Usage: solvane-cli [OPTIONS] macro SUBCOMMAND [ARGUMENTS]\n"
               "Edits the macros of MacroDefine.bin as the macro manager does; every change also\n"
               "encodes the macros into keymap.bin, and `write` sends them to the keyboard, which\n"
               "holds macros 0 to 31. N is a macro's number as `macro list` shows it; the list is\n"
               "sorted by name, so adding, deleting and renaming can change other macros' numbers.\n"
               "\n"
               "  list                                list the macros: number, loop count, whether\n"
               "                                      delays were recorded, events, name\n"
               "  show N                              the macro's events as the editor lists them\n"
               "  add NAME [--loop COUNT] [--delays] ITEM...\n"
               "                                      record a new macro from ITEMs: +KEY presses\n"
               "                                      KEY, -KEY releases it, 250ms waits before the\n"
               "                                      next event (only with --delays). KEY is a key\n"
               "                                      name (\"A\", \"LCtrl\", \"F5\") or a virtual-key\n"
               "                                      code (0x41); \"-h\" is --help, write -0x48\n"
               "  delete N                            delete a macro\n"
               "  rename N NAME                       rename a macro (at most 254 characters)\n"
               "  loop N COUNT                        play the macro COUNT times (0 to 999)\n",
               Macro},
};

}  // namespace

std::span<const CliCommand> MacroCommands() { return kCommands; }

}  // namespace solvane
