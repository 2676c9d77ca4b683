#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "app/AppSession.h"
#include "app/BackgroundTransfer.h"
#include "app/Launcher.h"
#include "app/MainWindowModel.h"
#include "app/SecondaryDialogs.h"
#include "controls/SkinnedDialog.h"


class QMenu;

namespace solvane {

class CBitSlider;
class GlobalKeyMonitor;
class UsbWatch;

inline constexpr int IDC_SPEED_SLIDER = 1007;
inline constexpr int IDC_REPORT_RATE_SLIDER = 1010;
inline constexpr int IDC_BRIGHTNESS_SLIDER = 1017;

// Asks the user something; the tests answer instead of a person.
using AskUser = std::function<QMessageBox::StandardButton(const QString& text, const QString& caption,
                                                          QMessageBox::StandardButtons buttons)>;

struct MainWindowOptions {
    bool showSplash = true;
    bool watchDevices = true;       // the USB watch and the global key monitor
    QString supportUrl;             // help panel row 0
    std::optional<bool> trayAvailable;  // unset: whether the desktop has a system tray
};

// The main window: one painted picture with the keyboard, the settings panel and the buttons.
// Its rules are in MainWindowModel and AppSession; this view paints, forwards the mouse,
// carries out the actions and runs the keyboard transfers off the window thread.
class CVelmoraDlg : public SkinnedDialog {
    Q_OBJECT

public:
    CVelmoraDlg(AppSession& session, SkinImageSource& images, LaunchService& launcher,
                SecondaryDialogs& dialogs, MainWindowOptions options, QWidget* parent = nullptr);
    ~CVelmoraDlg() override;

    // The start-up sequence. Afterwards the window is shown when a keyboard is there (or when
    // there is no system tray to reach it from), else it waits hidden in the tray.
    void Initialise();

    MainWindowModel& model() { return m_model; }
    bool isBusy() const { return m_busy; }
    void setAskUser(AskUser ask) { m_ask = std::move(ask); }
    CBitSlider* slider(int controlId) const;
    // Runs what a click at (x, y) of the window does.
    void ClickAt(int x, int y);
    // Paints the window's picture onto `canvas`, as every repaint does.
    void PaintInto(Canvas& canvas) { PaintSkin(canvas); }
    bool hasTray() const { return m_tray != nullptr; }
    // The global key monitor whose presses the launch keys act on; null unless the window
    // watches devices. Tests and measurements hand it a stream of their own to watch.
    GlobalKeyMonitor* keyMonitor() const { return m_keyMonitor.get(); }

signals:
    // A transfer or a read-back has ended and its outcome was handled.
    void transferFinished();

protected:
    void PaintSkin(Canvas& canvas) override;
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void SetUpSlider(CBitSlider* slider, int controlId, int maximum, QPoint at);
    void SetSlidersFromImage();
    void LayoutSliders();
    void Refresh();
    void DrawSlider(Canvas& canvas, CBitSlider* slider);
    void OnSliderDraw(int controlId);
    void PaintPanel(Canvas& canvas);

    void RunAction(MainWindowAction action);
    void OpenKeyDialog();
    void OpenMacroManager();
    void OpenProfiles();
    void Save();
    void FactoryReset();
    void OpenWebPage();
    void LaunchUpdater();
    void CheckFirmwareVersion();
    void ReadBackDone(qint64 lParam);
    void ShowAbout();

    void StartTransfer(std::function<Status()> work, int expectedPauseMs,
                       std::function<void(const Status&)> done);
    void OnUsbArrived();
    void OnArrivalSettled();
    void OnUsbRemoved();
    void SetUpTray();
    void ShowFromTray();
    void TellIfKeyboardDenied();
    void EndProgram();

    AppSession& m_session;
    LaunchService& m_launcher;
    SecondaryDialogs& m_dialogs;
    MainWindowOptions m_options;
    MainWindowModel m_model;
    AskUser m_ask;

    CBitSlider* m_speedSlider = nullptr;
    CBitSlider* m_brightnessSlider = nullptr;
    CBitSlider* m_reportRateSlider = nullptr;
    std::array<int, 3> m_lastSliderPosition{};  // speed, brightness, report rate
    int m_reportRateSliderOrigin = 0;

    BackgroundTransfer m_transfer;
    std::function<void(const Status&)> m_transferDone;
    bool m_busy = false;
    long long m_busyStartPausedMs = 0;
    int m_busyExpectedPauseMs = 0;
    QTimer m_busyTimer;

    std::unique_ptr<UsbWatch> m_usbWatch;
    std::unique_ptr<GlobalKeyMonitor> m_keyMonitor;
    bool m_arrivalPending = false;
    bool m_removalPending = false;
    bool m_toldKeyboardDenied = false;
    QPointer<QSystemTrayIcon> m_tray;
    std::unique_ptr<QMenu> m_trayMenu;
    bool m_leftButtonHeld = false;
    QPoint m_pressGlobal;
};

}  // namespace solvane
