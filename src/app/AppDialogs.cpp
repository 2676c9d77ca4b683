#include "app/AppDialogs.h"

#include "app/AppSession.h"
#include "keys/CKeyMap.h"
#include "macros/CMacroRecordDlg.h"
#include "profiles/CConfigureDlg.h"

namespace solvane {

AppDialogs::AppDialogs(AppSession& session, SkinImageCache& images) : m_session(session), m_images(images) {}

bool AppDialogs::RunKeyAssignment(QWidget* parent, AssignmentDraft& draft) {
    CKeyMap dialog(draft, m_session.configuration(), m_session.macros(), m_keyHook, m_images,
                   m_session.folders().program, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool AppDialogs::RunMacroManager(QWidget* parent, MacroStore& macros) {
    CMacroRecordDlg dialog(macros, m_keyHook, m_images, m_session.folders().program, parent);
    return dialog.exec() == QDialog::Accepted;
}

void AppDialogs::RunProfileManager(QWidget* parent, const QRect& mainWindowRect) {
    Configuration& configuration = m_session.configuration();
    CConfigureDlg dialog(m_session.folders().data, configuration.image, configuration.records, m_images,
                         m_session.folders().program, mainWindowRect, parent);
    dialog.exec();
}

}  // namespace solvane
