#pragma once

// The key assignment dialog. How the main window opens it for a clicked key slot:
//
//     // `draft` lives as long as the window: the function name, path and macro number the
//     // dialog last handed over are offered again at the next opening.
//     if (Status ready = PrepareAssignment(draft, configuration, slot, keymapPath); !ready) {...}
//     CKeyMap dialog(draft, configuration, macros, keyHook, skinImages, programFolder, this);
//     if (dialog.exec() == QDialog::Accepted) {
//         Status done = CompleteAssignment(draft, configuration, macros, keymapPath);
//         // show done's message if it failed; repaint the keyboard
//     }
//
// The result is the draft itself (also dialog.Result()): kind, CapturedKeys, CapturedCount
// (RESTORE_DEFAULT_COUNT for "初始值"), FunctionName, TargetPath, MacroIndex and KeyEnabled.
// On Cancel the draft holds nothing to apply. The dialog reads the configuration and the macro
// store and changes neither; it holds the key hook from exec() until it ends. One CKeyMap may
// also be kept and exec()'d again for every key.

#include <QtCore/QString>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

#include "controls/SkinnedDialog.h"
#include "keys/AssignmentDraft.h"
#include "keys/Configuration.h"
#include "keys/KeyMapModel.h"
#include "macros/MacroRecord.h"

class QLineEdit;
class QListWidget;

namespace solvane {

class KeyHook;
class VividTree;

class CKeyMap final : public SkinnedDialog {
    Q_OBJECT

public:
    // Runs the chooser of an advanced row (keymap::AdvancedRow): the chosen path, or none
    // when the user cancelled it.
    using PathChooser = std::function<std::optional<QString>(std::uint8_t row, QWidget* parent)>;
    // Tells the user why the dialog stays open.
    using MessageBox = std::function<void(const QString& text, QWidget* parent)>;

    CKeyMap(AssignmentDraft& draft, const Configuration& configuration, const MacroStore& macros,
            KeyHook& keyHook, SkinImageCache& images, const std::filesystem::path& programFolder,
            QWidget* parent = nullptr);
    ~CKeyMap() override;

    // Opens on the draft's CurrentSlot and runs modally.
    int exec() override;
    // The opening alone, for a dialog shown without its own event loop.
    void Open();

    const AssignmentDraft& Result() const { return m_model.Draft(); }
    const KeyMapModel& Model() const { return m_model; }

    // The file and folder choosers and the message box; tests put their own in.
    void SetPathChooser(PathChooser chooser) { m_chooser = std::move(chooser); }
    void SetMessageBox(MessageBox box) { m_messageBox = std::move(box); }
    static std::optional<QString> ChoosePath(std::uint8_t row, QWidget* parent);
    static void ShowMessageBox(const QString& text, QWidget* parent);

    VividTree* FunctionTree() const { return m_tree; }
    QLineEdit* SingleKeyEdit() const { return m_singleKeyEdit; }
    QLineEdit* CombinationEdit() const { return m_combinationEdit; }
    QListWidget* MacroList() const { return m_macroList; }

protected:
    void PaintSkin(Canvas& canvas) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void done(int result) override;

private:
    void BuildFunctionTree();
    void FillMacroList();
    void SyncControls();
    void SyncEdits();
    void Carry(KeyMapAction action);
    void PaintCategoryArea(Canvas& canvas);
    void ReleaseHook();

    KeyMapModel m_model;
    const Configuration& m_configuration;
    const MacroStore& m_macros;
    KeyHook& m_keyHook;
    PathChooser m_chooser;
    MessageBox m_messageBox;
    VividTree* m_tree = nullptr;
    QLineEdit* m_singleKeyEdit = nullptr;
    QLineEdit* m_combinationEdit = nullptr;
    QListWidget* m_macroList = nullptr;
    bool m_pressedOnBackground = false;
};

}  // namespace solvane
