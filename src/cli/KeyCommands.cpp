// keys, assign, disable, enable: key assignments in keymap.bin, made as the key assignment
// dialog makes them. Nothing reaches the keyboard until `write`.
#include <array>
#include <memory>
#include <ostream>

#include "cli/CliContext.h"
#include "cli/KeyText.h"
#include "cli/ParseNumber.h"
#include "common/Utf16.h"
#include "keys/ApplyAssignment.h"
#include "keys/FunctionCodeTable.h"
#include "keys/KeyNameTable.h"
#include "keys/KeySlotTable.h"
#include "macros/MacroFile.h"

namespace solvane {
namespace {

// The configuration and the macro store as the program holds them after start-up.
struct KeySession {
    std::filesystem::path keymapPath;
    std::unique_ptr<Configuration> configuration = std::make_unique<Configuration>();
    std::unique_ptr<MacroStore> macros = std::make_unique<MacroStore>();
};

std::optional<KeySession> OpenKeySession(CliContext& context) {
    KeySession session;
    const auto macroPath = context.MacroPath();
    if (!macroPath) {
        return std::nullopt;
    }
    if (auto loaded = LoadMacroFile(*macroPath, *session.macros); !loaded) {
        context.Fail(loaded);
        return std::nullopt;
    }
    const auto keymapPath = context.LoadKeymap(*session.configuration, MissingKeymap::Refuse);
    if (!keymapPath) {
        return std::nullopt;
    }
    session.keymapPath = *keymapPath;
    // The marks as the window shows them once it has the configuration.
    RecomputeReassignedMarks(*session.configuration);
    return session;
}

// Why the window would not let the user change the slot; Ok when it would.
Status SlotRefusal(std::uint8_t slot) {
    const std::string name = "slot " + std::to_string(slot) + " (" + SlotText(slot) + ")";
    if (!HasKeyOnPicture(slot)) {
        return {ErrorCode::InvalidArgument, name + " is not a key of this keyboard"};
    }
    if (slot == kLeftWindowsSlot) {
        return {ErrorCode::InvalidArgument, name + " cannot be changed: the Windows-key lock drives it"};
    }
    if (slot == kSharedApplicationSlot) {
        return {ErrorCode::InvalidArgument,
                name + " cannot be changed: it shares its key with slot " +
                    std::to_string(kApplicationSlot) + " (" + SlotText(kApplicationSlot) + ")"};
    }
    return Status::Ok();
}

// What the dialog would hand over, filled from the command's words after the slot.
using DraftFiller = int (*)(CliContext& context, const KeySession& session,
                            std::span<const std::string> words, AssignmentDraft& draft);

// Runs the window's steps around the dialog for the slot in `arguments[0]`: reload the records,
// take the dialog's result, mark 0, apply, enable bit, save; then shows the key's new line.
int AssignSlot(CliContext& context, std::span<const std::string> arguments, DraftFiller fill) {
    if (arguments.empty()) {
        return context.UsageError("missing SLOT");
    }
    const auto slot = ParseSlot(arguments[0]);
    if (!slot) {
        return context.UsageError("unknown key " + arguments[0]);
    }
    if (auto refused = SlotRefusal(*slot); !refused) {
        return context.Fail(refused);
    }
    auto session = OpenKeySession(context);
    if (!session) {
        return kExitFailure;
    }
    Configuration& configuration = *session->configuration;
    AssignmentDraft draft;
    if (auto prepared = PrepareAssignment(draft, configuration, *slot, session->keymapPath); !prepared) {
        return context.Fail(prepared);
    }
    draft = CurrentAssignmentDraft(configuration, *slot, *session->macros);
    if (int status = fill(context, *session, arguments.subspan(1), draft); status != kExitOk) {
        return status;
    }
    if (auto done = CompleteAssignment(draft, configuration, *session->macros, session->keymapPath);
        !done) {
        return context.Fail(done);
    }
    context.out() << KeyLine(configuration, *session->macros, *slot) << '\n';
    return kExitOk;
}

void CaptureKeys(AssignmentDraft& draft, std::uint8_t kind, std::span<const std::uint8_t> keys) {
    draft.kind = kind;
    draft.CapturedKeys.fill(0);
    std::ranges::copy(keys, draft.CapturedKeys.begin());
    draft.CapturedCount = static_cast<std::uint32_t>(keys.size());
}

int FillKeys(CliContext& context, std::span<const std::string> words, std::uint8_t kind,
             std::size_t least, std::size_t most, AssignmentDraft& draft) {
    if (words.size() < least || words.size() > most) {
        return context.UsageError(kind == KIND_SINGLE_KEY ? "key takes one KEY"
                                                          : "combo takes two or three KEYs");
    }
    std::array<std::uint8_t, 3> keys{};
    for (std::size_t i = 0; i < words.size(); ++i) {
        const auto key = ParseKey(words[i]);
        if (!key) {
            return context.UsageError("unknown key " + words[i]);
        }
        keys[i] = *key;
    }
    CaptureKeys(draft, kind, std::span(keys).first(words.size()));
    return kExitOk;
}

int FillMacro(CliContext& context, const KeySession& session, std::span<const std::string> words,
              AssignmentDraft& draft) {
    if (words.size() != 1) {
        return context.UsageError("macro takes one macro number");
    }
    const auto number = ParseNumber<unsigned>(words[0], 10);
    if (!number) {
        return context.UsageError("not a macro number: " + words[0]);
    }
    const std::size_t count = MacroCount(*session.macros);
    if (*number >= count) {
        return context.Fail("there is no macro " + words[0] + " (the macro store holds " +
                            std::to_string(count) + (count == 1 ? " macro)" : " macros)"));
    }
    draft.kind = KIND_MACRO;
    draft.MacroIndex = static_cast<std::int32_t>(*number);
    return kExitOk;
}

int FillFunction(CliContext& context, std::span<const std::string> words, AssignmentDraft& draft) {
    if (words.size() != 1) {
        return context.UsageError("function takes one NAME");
    }
    const std::u16string name = Utf8ToUtf16(words[0]);
    if (FindFunctionByName(name) == nullptr) {
        std::string known;
        for (const auto& function : FunctionCodeTable) {
            known += (known.empty() ? "" : ", ") + Utf16ToUtf8(function.name);
        }
        return context.Fail("unknown function " + words[0] + "; the functions are: " + known);
    }
    draft.kind = KIND_FUNCTION;
    draft.FunctionName = name;
    return kExitOk;
}

// sound, program and file want an existing file, folder an existing folder, as the choosers do.
int FillLaunch(CliContext& context, std::span<const std::string> words, std::uint8_t kind,
               AssignmentDraft& draft) {
    if (words.size() != 1) {
        return context.UsageError("a launch key takes one PATH");
    }
    std::error_code error;
    const auto path = std::filesystem::absolute(words[0], error).lexically_normal();
    const bool folder = kind == KIND_OPEN_FOLDER;
    const bool exists = folder ? std::filesystem::is_directory(path, error)
                               : std::filesystem::is_regular_file(path, error);
    if (!exists) {
        return context.Fail(std::string(folder ? "no such folder: " : "no such file: ") + words[0]);
    }
    // The record holds UTF-16: a name that is not UTF-8 could not be found again.
    std::u16string text = Utf8ToUtf16(path.string());
    if (Utf16ToUtf8(text) != path.string()) {
        return context.Fail("the path is not valid UTF-8: " + words[0]);
    }
    draft.kind = kind;
    draft.TargetPath = std::move(text);
    return kExitOk;
}

int FillAssignment(CliContext& context, const KeySession& session, std::span<const std::string> words,
                   AssignmentDraft& draft) {
    if (words.empty()) {
        return context.UsageError("missing what to assign (key, combo, macro, function, sound, "
                                  "program, file, folder or default)");
    }
    const std::string& what = words[0];
    const auto rest = words.subspan(1);
    if (what == "key") {
        return FillKeys(context, rest, KIND_SINGLE_KEY, 1, 1, draft);
    }
    if (what == "combo") {
        return FillKeys(context, rest, KIND_COMBINATION, 2, 3, draft);
    }
    if (what == "macro") {
        return FillMacro(context, session, rest, draft);
    }
    if (what == "function") {
        return FillFunction(context, rest, draft);
    }
    constexpr std::array<const char*, 4> kLaunchWords{"sound", "program", "file", "folder"};
    for (std::size_t i = 0; i < kLaunchWords.size(); ++i) {
        if (what == kLaunchWords[i]) {
            return FillLaunch(context, rest, static_cast<std::uint8_t>(KIND_PLAY_SOUND + i), draft);
        }
    }
    if (what == "default") {
        if (!rest.empty()) {
            return context.UsageError("unexpected argument " + rest[0]);
        }
        draft.CapturedCount = RESTORE_DEFAULT_COUNT;
        return kExitOk;
    }
    return context.UsageError("unknown assignment " + what);
}

template <std::uint8_t Enabled>
int FillEnabled(CliContext& context, const KeySession&, std::span<const std::string> words,
                AssignmentDraft& draft) {
    if (!words.empty()) {
        return context.UsageError("unexpected argument " + words[0]);
    }
    draft.KeyEnabled = Enabled;
    return kExitOk;
}

int Keys(CliContext& context, std::span<const std::string> arguments) {
    if (!arguments.empty()) {
        return context.UsageError("unexpected argument " + arguments[0]);
    }
    auto session = OpenKeySession(context);
    if (!session) {
        return kExitFailure;
    }
    if (!HasKeyMap(session->configuration->image)) {
        context.err() << "solvane-cli: note: " << kNothingReadYet << '\n';
    }
    context.out() << KeyLineHeader() << '\n';
    for (std::size_t slot = 0; slot < kKeySlotCount; ++slot) {
        if (HasKeyOnPicture(slot)) {
            context.out() << KeyLine(*session->configuration, *session->macros, slot) << '\n';
        }
    }
    return kExitOk;
}

int Assign(CliContext& context, std::span<const std::string> arguments) {
    return AssignSlot(context, arguments, FillAssignment);
}

int Disable(CliContext& context, std::span<const std::string> arguments) {
    return AssignSlot(context, arguments, FillEnabled<0>);
}

int Enable(CliContext& context, std::span<const std::string> arguments) {
    return AssignSlot(context, arguments, FillEnabled<1>);
}

constexpr std::array kCommands{
    CliCommand{"keys", "list every key with its assignment, enable state and changed mark",
               "Usage: solvane-cli [OPTIONS] keys\n"
               "Lists the keys of the keyboard from keymap.bin: slot number, key name, what the\n"
               "key does (default, key, combination, macro, function, play sound, program, file,\n"
               "folder), whether it is enabled, and whether it differs from the factory settings.\n",
               Keys},
    CliCommand{"assign", "change what a key does in keymap.bin",
               "Usage: solvane-cli [OPTIONS] assign SLOT key KEY\n"
               "       solvane-cli [OPTIONS] assign SLOT combo KEY KEY [KEY]\n"
               "       solvane-cli [OPTIONS] assign SLOT macro N\n"
               "       solvane-cli [OPTIONS] assign SLOT function NAME\n"
               "       solvane-cli [OPTIONS] assign SLOT sound|program|file|folder PATH\n"
               "       solvane-cli [OPTIONS] assign SLOT default\n"
               "Changes what a key does and saves keymap.bin; `write` sends it to the keyboard.\n"
               "SLOT is a slot number as `keys` shows it (the digit keys are slots 21 to 30) or a\n"
               "key name (\"Esc\", \"F5\", \"A\", \"LCtrl\"). KEY is a key name or a virtual-key\n"
               "code (0x41); a name two keys share means the key of the main block. N is the\n"
               "number of a macro in MacroDefine.bin (the keyboard plays macros 0 to 31). NAME\n"
               "is one of the named functions: 搜索, 运行, 多媒体播放器, 上一曲, 下一曲, 暂停,\n"
               "音量+, 音量-, 静音, 停止-播放, 新建, 剪切, 复制, 粘贴, 保存, 打印, 全选, 最大化,\n"
               "最小化, 我的电脑, 任务管理器, 浏览器-主页, 关闭窗口. sound, program and file need\n"
               "an existing file, folder an existing folder; the program opens it when the key\n"
               "is pressed while it runs. default gives the key back its factory behaviour.\n",
               Assign},
    CliCommand{"disable", "switch a key off in keymap.bin",
               "Usage: solvane-cli [OPTIONS] disable SLOT\n"
               "Switches the key off, keeping its assignment, and saves keymap.bin; `write`\n"
               "sends it to the keyboard.\n",
               Disable},
    CliCommand{"enable", "switch a key on again in keymap.bin",
               "Usage: solvane-cli [OPTIONS] enable SLOT\n"
               "Switches the key on again and saves keymap.bin; `write` sends it to the keyboard.\n",
               Enable},
};

}  // namespace

std::span<const CliCommand> KeyCommands() { return kCommands; }

}  // namespace solvane
