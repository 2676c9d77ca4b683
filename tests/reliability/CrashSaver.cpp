// The child of the crash test: saves keymap.bin, MacroDefine.bin and the profile "Crash"
// through the program's own save functions, alternating two versions, until it is killed.
// Writes one byte to standard output as it starts saving and one after each file it saved, so
// the test can aim its kill at any save rather than at the start of the process.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "CrashContents.h"
#include "keys/KeymapFile.h"
#include "macros/MacroFile.h"
#include "profiles/ProfileManager.h"

namespace {

using namespace solvane;

// Nobody answers: the profile is saved without an export.
class NoAnswers final : public ProfilePrompts {
public:
    void ShowMessage(std::string_view caption, std::string_view text) override {
        std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
                     static_cast<int>(text.size()), text.data());
    }
    bool AskOkCancel(std::string_view, std::string_view) override { return false; }
    std::optional<std::filesystem::path> ChooseFile(const FileDialogRequest&) override { return std::nullopt; }
};

[[noreturn]] void Stop(const char* what, const Status& status) {
    std::fprintf(stderr, "crash_saver: %s: %s\n", what, status.message().c_str());
    std::exit(2);
}

void Tell(char what) {
    if (::write(STDOUT_FILENO, &what, 1) != 1) {
        std::exit(2);  // the test has gone
    }
}

}  // namespace

int main(int argc, char** argv) {
    using namespace solvane;
    if (argc != 3) {
        std::fprintf(stderr, "usage: crash_saver DATA_FOLDER FIRST_VERSION\n");
        return 2;
    }
    const std::filesystem::path data = argv[1];
    int version = std::atoi(argv[2]) != 0 ? 1 : 0;
    const testing::CrashContents versions[2] = {testing::CrashVersion(0), testing::CrashVersion(1)};

    // The profile manager saves the state it is handed by reference.
    Configuration profileState;
    NoAnswers prompts;
    ProfileManager profiles(data, profileState.image, profileState.records, prompts);
    profiles.Open();
    profiles.list().SelectText(testing::kCrashProfileName);
    if (!profiles.list().selection()) {
        std::fprintf(stderr, "crash_saver: no profile %s in %s\n", testing::kCrashProfileName, argv[1]);
        return 2;
    }

    Tell('R');
    for (;;) {
        const auto& contents = versions[version];
        if (auto saved = SaveKeymapFile(data / keymap_file::kFileName, contents.keymap->image,
                                        contents.keymap->records);
            !saved) {
            Stop("keymap.bin", saved);
        }
        Tell('S');
        if (auto saved = SaveMacroFile(data / macro_file::kFileName, *contents.macros); !saved) {
            Stop("MacroDefine.bin", saved);
        }
        Tell('S');
        profileState = *contents.profile;
        if (auto saved = profiles.OnProfileSave(); !saved) {
            Stop("the profile", saved);
        }
        Tell('S');
        version ^= 1;
    }
}
