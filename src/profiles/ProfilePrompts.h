#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace solvane {

enum class FileDialogMode {
    Save,
    Open,  // existing files only
};

// The file dialog the profile manager asks for when it saves or loads.
struct FileDialogRequest {
    FileDialogMode mode = FileDialogMode::Save;
    std::string_view fileName = "*.bin";
    std::string_view filterLabel = "bin Files(*.bin)";
    std::string_view filterPattern = "*.bin";
    std::string_view defaultExtension = "bin";
    std::filesystem::path startFolder;
};

// What the profile manager asks of the user. The dialog answers with message boxes and file
// dialogs; tests and the command line answer on their own.
class ProfilePrompts {
public:
    virtual ~ProfilePrompts() = default;

    // A message box with an OK button.
    virtual void ShowMessage(std::string_view caption, std::string_view text) = 0;
    // A message box with OK and Cancel; true for OK.
    virtual bool AskOkCancel(std::string_view caption, std::string_view text) = 0;
    // A file dialog; the chosen path, or nothing when the user cancelled.
    virtual std::optional<std::filesystem::path> ChooseFile(const FileDialogRequest& request) = 0;
};

}  // namespace solvane
