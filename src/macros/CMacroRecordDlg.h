#pragma once

// The macro manager dialog. How the main window opens it:
//
//     CMacroRecordDlg dialog(macros, keyHook, skinImages, programFolder, this);
//     if (dialog.exec() == QDialog::Accepted) {
//         // `macros` holds the edited macros: encode the blocks, save keymap.bin and
//         // MacroDefine.bin (CompleteMacroEditing)
//     }
//
// The dialog edits a working copy of the store and copies it back only on "确定". It holds the
// key hook while it records or waits for a key to insert, and gives it back when it ends.

#include <QtCore/QTimer>

#include <filesystem>
#include <functional>

#include "controls/SkinnedDialog.h"
#include "macros/MacroManager.h"
#include "macros/MacroManagerHost.h"
#include "macros/MacroManagerLayout.h"
#include "macros/MacroRecord.h"

class QAction;
class QLineEdit;
class QMenu;

namespace solvane {

class CTransparentListBox;
class KeyHook;

class CMacroRecordDlg final : public SkinnedDialog, private MacroManagerHost {
    Q_OBJECT

public:
    // A message box with the dialog's caption: OK only, or OK and Cancel (`askOkCancel`); true
    // when the user chose OK.
    using MessageBox =
        std::function<bool(const QString& caption, const QString& text, bool askOkCancel, QWidget* parent)>;
    // Runs the event list's context menu at a screen point; the chosen action, or null.
    using MenuRunner = std::function<QAction*(QMenu& menu, const QPoint& globalPos)>;

    CMacroRecordDlg(MacroStore& store, KeyHook& keyHook, SkinImageCache& images,
                    const std::filesystem::path& programFolder, QWidget* parent = nullptr,
                    MacroClock clock = {});
    ~CMacroRecordDlg() override;

    // Opens on the store and runs modally.
    int exec() override;
    // The opening alone, for a dialog shown without its own event loop.
    void Open();

    const MacroManager& Model() const { return m_model; }
    const MacroManagerHotAreas& HotAreas() const { return m_areas; }
    CTransparentListBox* MacroList() const { return m_macroList; }
    CTransparentListBox* EventList() const { return m_eventList; }
    QLineEdit* LoopEdit() const { return m_loopEdit; }

    void SetMessageBox(MessageBox box) { m_messageBox = std::move(box); }
    void SetMenuRunner(MenuRunner runner) { m_menuRunner = std::move(runner); }
    static bool ShowMessageBox(const QString& caption, const QString& text, bool askOkCancel, QWidget* parent);

protected:
    void PaintSkin(Canvas& canvas) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void done(int result) override;

private:
    // MacroManagerHost
    void ShowMessage(std::string_view caption, std::string_view text) override;
    bool AskOkCancel(std::string_view caption, std::string_view text) override;
    bool InstallKeyHook() override;
    void RemoveKeyHook() override;

    void ClickArea(std::size_t area);
    void OpenContextMenu(const QPoint& globalPos);
    void BuildContextMenu(QMenu& menu);
    // The widgets shown again from the macro manager.
    void SyncAll();
    void SyncMacroList();
    void SyncEventList();
    void SyncLoopEdit();
    void ReleaseHook();

    MacroStore& m_store;
    KeyHook& m_keyHook;
    MacroManager m_model;
    MacroManagerHotAreas m_areas;
    CTransparentListBox* m_macroList = nullptr;
    CTransparentListBox* m_eventList = nullptr;
    QLineEdit* m_loopEdit = nullptr;
    QTimer m_nameTimer;
    MessageBox m_messageBox;
    MenuRunner m_menuRunner;
    // Set while the widgets are filled from the model, so their signals are not taken as the
    // user's.
    bool m_syncing = false;
    bool m_pressedOnBackground = false;
};

}  // namespace solvane
