#include "app/AppDialogs.h"

#include "app/AppSession.h"
#include "keys/CKeyMap.h"

namespace solvane {

AppDialogs::AppDialogs(AppSession& session, SkinImageCache& images) : m_session(session), m_images(images) {}

bool AppDialogs::RunKeyAssignment(QWidget* parent, AssignmentDraft& draft) {
    CKeyMap dialog(draft, m_session.configuration(), m_session.macros(), m_keyHook, m_images,
                   m_session.folders().program, parent);
    return dialog.exec() == QDialog::Accepted;
}

// Not wired yet: the macro manager and profile dialogs are being built.
bool AppDialogs::RunMacroManager(QWidget*, MacroStore&) { return false; }
void AppDialogs::RunProfileManager(QWidget*, const QRect&) {}

}  // namespace solvane
