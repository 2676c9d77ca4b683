#include "app/AppDialogs.h"

#include "app/AppSession.h"
#include "macros/CMacroRecordDlg.h"

namespace solvane {

AppDialogs::AppDialogs(AppSession& session, SkinImageCache& images) : m_session(session), m_images(images) {}

// Not wired yet: the key assignment and profile dialogs are being built.
bool AppDialogs::RunKeyAssignment(QWidget*, AssignmentDraft&) { return false; }

bool AppDialogs::RunMacroManager(QWidget* parent, MacroStore& macros) {
    CMacroRecordDlg dialog(macros, m_keyHook, m_images, m_session.folders().program, parent);
    return dialog.exec() == QDialog::Accepted;
}

void AppDialogs::RunProfileManager(QWidget*, const QRect&) {}

}  // namespace solvane
