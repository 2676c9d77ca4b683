#pragma once

#include <QtCore/QPointer>
#include <QtWidgets/QWidget>

#include "profiles/ProfilePrompts.h"

namespace solvane {

// The profile manager's questions as the desktop asks them: message boxes and file dialogs,
// modal over `owner`.
class QtProfilePrompts final : public ProfilePrompts {
public:
    explicit QtProfilePrompts(QWidget* owner) : m_owner(owner) {}

    void ShowMessage(std::string_view caption, std::string_view text) override;
    bool AskOkCancel(std::string_view caption, std::string_view text) override;
    std::optional<std::filesystem::path> ChooseFile(const FileDialogRequest& request) override;

private:
    QPointer<QWidget> m_owner;
};

}  // namespace solvane
