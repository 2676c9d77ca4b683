#pragma once

// How the main window opens the profile manager (its profile button):
//
//     CConfigureDlg dialog(folders.data, configuration.image, configuration.records,
//                          skinImages, folders.program, frameGeometry(), this);
//     dialog.exec();
//     // However it closed (close area, Escape, the window manager): a loaded profile is in
//     // the image and the records now.
//     QTimer::singleShot(50, this, [this] { SendWindowMessage(this, WM_READBACK_DONE, 0, 1); });
//
// and WM_READBACK_DONE with lParam 1 runs ReadBackDone (sliders, key marks, keymap.bin).
// Make a new dialog at every opening: it reads the profile folder as it starts.

#include <QtCore/QRect>

#include <filesystem>

#include "controls/CTransparentListBox.h"
#include "controls/SkinnedDialog.h"
#include "keys/KeyAssignment.h"
#include "link/DeviceImage.h"
#include "profiles/ConfigureDialogModel.h"
#include "profiles/ProfileManager.h"
#include "profiles/QtProfilePrompts.h"

class QMenu;

namespace solvane {

// The profile manager: the profile list with its in-place rename, the New and Delete buttons
// drawn on the picture, and every profile command in the list's context menu. Load replaces
// `image` and `records`; the owner takes them over after the dialog has closed.
class CConfigureDlg final : public SkinnedDialog {
    Q_OBJECT

public:
    // `mainWindow` is the main window's frame on the screen; the dialog covers its corner.
    CConfigureDlg(const std::filesystem::path& dataFolder, DeviceImage& image, RecordTable& records,
                  SkinImageCache& images, const std::filesystem::path& programFolder,
                  const QRect& mainWindow, QWidget* parent = nullptr);

    CTransparentListBox& List() { return *m_list; }
    ProfileManager& Profiles() { return m_profiles; }

protected:
    void PaintSkin(Canvas& canvas) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::optional<std::size_t> Selection() const;
    // Accepts an open in-place edit, so a command never runs under a half-typed name.
    void FinishEdit();
    void Carry(ConfigureAction action);
    // Shows the profiles as the model holds them, in its order and with its selection.
    void ShowProfiles();
    void ShowProfileMenu(const QPoint& globalPosition);

    QtProfilePrompts m_prompts;
    ProfileManager m_profiles;
    ConfigureDialogModel m_model;
    CTransparentListBox* m_list;
};

}  // namespace solvane
