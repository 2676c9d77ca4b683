#include "app/AppDialogs.h"

#include "app/AppSession.h"

namespace solvane {

AppDialogs::AppDialogs(AppSession& session, SkinImageCache& images) : m_session(session), m_images(images) {}

// Not wired yet: the key assignment, macro manager and profile dialogs are being built.
bool AppDialogs::RunKeyAssignment(QWidget*, AssignmentDraft&) { return false; }
bool AppDialogs::RunMacroManager(QWidget*, MacroStore&) { return false; }
void AppDialogs::RunProfileManager(QWidget*, const QRect&) {}

}  // namespace solvane
