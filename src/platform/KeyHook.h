#pragma once

#include <QtCore/QObject>
#include <QtCore/QPointer>

namespace solvane {

// Key capture for the key assignment dialog and the macro recorder. While installed it takes
// every key press and release inside the program away from the widgets and reports each one to
// the window that installed it as WM_HOOK_KEY: wParam the virtual-key code, lParam bit 31 set
// for a release. Keys without a code are taken but not reported. Keys meant for a modal window
// opened over the holder (a file chooser, a message box) still reach it.
//
// The application owns one hook and hands it to the windows that capture keys; it has at most
// one holder at a time.
class KeyHook final : public QObject {
    Q_OBJECT

public:
    explicit KeyHook(QObject* parent = nullptr);
    ~KeyHook() override;

    // Starts reporting keys to `window`. With `everyKeyAction` false, one message per keystroke
    // (the press; a held key's repeats are dropped); with it true, every press including the
    // repeats and every release. Refused (false) while another window holds the hook.
    bool installhook(QObject* window, bool everyKeyAction);
    // Stops the reporting; nothing happens when the hook is not installed.
    void removehook();

    bool IsInstalled() const { return m_installed; }
    QObject* Holder() const { return m_window; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool PassesToModalWindow() const;

    QPointer<QObject> m_window;
    bool m_everyKeyAction = false;
    bool m_installed = false;
};

}  // namespace solvane
