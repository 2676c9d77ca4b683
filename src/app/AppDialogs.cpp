#include "app/AppDialogs.h"

#include "app/AppSession.h"
#include "profiles/CConfigureDlg.h"

namespace solvane {

AppDialogs::AppDialogs(AppSession& session, SkinImageCache& images) : m_session(session), m_images(images) {}

// Not wired yet: the key assignment and macro manager dialogs are being built.
bool AppDialogs::RunKeyAssignment(QWidget*, AssignmentDraft&) { return false; }
bool AppDialogs::RunMacroManager(QWidget*, MacroStore&) { return false; }

void AppDialogs::RunProfileManager(QWidget* parent, const QRect& mainWindowRect) {
    Configuration& configuration = m_session.configuration();
    CConfigureDlg dialog(m_session.folders().data, configuration.image, configuration.records, m_images,
                         m_session.folders().program, mainWindowRect, parent);
    dialog.exec();
}

}  // namespace solvane
