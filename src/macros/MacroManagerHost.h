#pragma once

#include <string_view>

namespace solvane {

// What the macro manager asks of its window: message boxes and the key hook. The dialog answers
// with message boxes and the platform's key hook; tests and the command line answer on their own.
class MacroManagerHost {
public:
    virtual ~MacroManagerHost() = default;

    // A message box with an OK button.
    virtual void ShowMessage(std::string_view caption, std::string_view text) = 0;
    // A message box with OK and Cancel; true for OK.
    virtual bool AskOkCancel(std::string_view caption, std::string_view text) = 0;
    // Starts reporting every press and release (key repeats included) to
    // `MacroManager::OnHookKey`; false when keys cannot be read.
    virtual bool InstallKeyHook() = 0;
    virtual void RemoveKeyHook() = 0;
};

}  // namespace solvane
