#include "profiles/QtProfilePrompts.h"

#include <QtWidgets/QFileDialog>
#include <QtWidgets/QMessageBox>

namespace solvane {
namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString FromPath(const std::filesystem::path& path) {
    return QString::fromStdU16String(path.u16string());
}

// The captions the desktop's own file dialogs carry.
QString FileDialogCaption(FileDialogMode mode) {
    return mode == FileDialogMode::Save ? QStringLiteral(u"另存为") : QStringLiteral(u"打开");
}

}  // namespace

void QtProfilePrompts::ShowMessage(std::string_view caption, std::string_view text) {
    QMessageBox box(QMessageBox::NoIcon, FromUtf8(caption), FromUtf8(text), QMessageBox::Ok,
                    m_owner.data());
    box.exec();
}

bool QtProfilePrompts::AskOkCancel(std::string_view caption, std::string_view text) {
    QMessageBox box(QMessageBox::NoIcon, FromUtf8(caption), FromUtf8(text),
                    QMessageBox::Ok | QMessageBox::Cancel, m_owner.data());
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}

std::optional<std::filesystem::path> QtProfilePrompts::ChooseFile(const FileDialogRequest& request) {
    QFileDialog dialog(m_owner.data(), FileDialogCaption(request.mode), FromPath(request.startFolder));
    const bool save = request.mode == FileDialogMode::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(FromUtf8(request.filterLabel));
    dialog.setDefaultSuffix(FromUtf8(request.defaultExtension));
    dialog.selectFile(FromUtf8(request.fileName));
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return std::filesystem::path(chosen.front().toStdU16String());
}

}  // namespace solvane
