#pragma once

#include <filesystem>

#include "app/SecondaryDialogs.h"
#include "platform/KeyHook.h"

namespace solvane {

class AppSession;
class SkinImageCache;

// The program's own secondary dialogs.
class AppDialogs final : public SecondaryDialogs {
public:
    AppDialogs(AppSession& session, SkinImageCache& images);

    bool RunKeyAssignment(QWidget* parent, AssignmentDraft& draft) override;
    bool RunMacroManager(QWidget* parent, MacroStore& macros) override;
    void RunProfileManager(QWidget* parent, const QRect& mainWindowRect) override;

private:
    AppSession& m_session;
    SkinImageCache& m_images;
    // The program's one key hook, for the dialogs that capture keys.
    KeyHook m_keyHook;
};

}  // namespace solvane
