#include "app/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QMenu>
#include <QMouseEvent>
#include <QProcess>
#include <QSystemTrayIcon>
#include <QUrl>

#include "app/PanelValues.h"
#include "app/SplashScreen.h"
#include "controls/CBitSlider.h"
#include "controls/ResourceBitmaps.h"
#include "controls/WindowMessages.h"
#include "keys/ApplyAssignment.h"
#include "keys/ConfigurationUpdates.h"
#include "keys/KeySlotTable.h"
#include "link/Commands.h"
#include "link/Sequences.h"
#include "platform/GlobalKeyMonitor.h"
#include "platform/UsbWatch.h"

namespace solvane {
namespace {

constexpr int kSliderWidth = 30;
constexpr int kSliderHeight = 10;
constexpr QPoint kBrightnessSliderAt{28, 230};
constexpr QPoint kSpeedSliderAt{28, 278};
constexpr QPoint kReportRateSliderAt{28, 530};
constexpr int kSpeedMaximum = 9;
constexpr int kBrightnessMaximum = 50;
constexpr int kReportRateMaximum = 3;
constexpr int kAfterProfilesMs = 50;
constexpr int kBusyRepaintMs = 50;
// What the two long transfers pause in all: the progress bar's scale.
constexpr int kSavePauseMs = 2638;
constexpr int kFactoryResetPauseMs = 1025;

const QString kAppTitle = QStringLiteral("Solvane");
const QString kNoKeyboard = QStringLiteral("系统没有检测到游戏键盘！");
const QString kKeyboardDenied = QStringLiteral(
    "检测到游戏键盘，但没有权限打开它。\n"
    "请安装 udev 规则 70-solvane.rules（见 README），然后重新插拔键盘。");

QString StatusText(const Status& status) {
    switch (status.code()) {
        case ErrorCode::NoKeyboard:
            return kNoKeyboard;
        case ErrorCode::Disconnected:
            return QStringLiteral("键盘已断开连接。");
        case ErrorCode::Timeout:
            return QStringLiteral("键盘没有响应。");
        default:
            return QString::fromStdString(status.message());
    }
}

LabelStyle White(int height) { return LabelStyle::MainWindow(height); }

QString Utf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

CVelmoraDlg::CVelmoraDlg(AppSession& session, SkinImageSource& images, LaunchService& launcher,
                         SecondaryDialogs& dialogs, MainWindowOptions options, QWidget* parent)
    : SkinnedDialog(SkinFolder(session.folders().program, ""), "main.png", images, parent),
      m_session(session),
      m_launcher(launcher),
      m_dialogs(dialogs),
      m_options(std::move(options)),
      m_model(session.configuration().image) {
    setWindowTitle(kAppTitle);
    setWindowFlag(Qt::Window);
    setMouseTracking(true);
    m_ask = [this](const QString& text, const QString& caption, QMessageBox::StandardButtons buttons) {
        return QMessageBox::information(this, caption, text, buttons);
    };
    m_busyTimer.setInterval(kBusyRepaintMs);
    connect(&m_busyTimer, &QTimer::timeout, this, [this] { update(); });
    connect(&m_transfer, &BackgroundTransfer::finished, this, [this](Status status) {
        m_busy = false;
        m_busyTimer.stop();
        unsetCursor();
        // A device that went away meanwhile, or took the keyboard with it, closes the handle
        // now that the transfer no longer uses it.
        if (m_removalPending || status.code() == ErrorCode::Disconnected) {
            m_removalPending = false;
            m_session.Removed();
        }
        if (auto done = std::move(m_transferDone)) {
            done(status);
        }
        Refresh();
        emit transferFinished();
    });
}

CVelmoraDlg::~CVelmoraDlg() {
    m_transfer.Join();
    if (m_tray) {
        m_tray->hide();
    }
}

CBitSlider* CVelmoraDlg::slider(int controlId) const {
    switch (controlId) {
        case IDC_SPEED_SLIDER:
            return m_speedSlider;
        case IDC_BRIGHTNESS_SLIDER:
            return m_brightnessSlider;
        default:
            return m_reportRateSlider;
    }
}

void CVelmoraDlg::SetUpSlider(CBitSlider* slider, int controlId, int maximum, QPoint at) {
    slider->setGeometry(at.x(), at.y(), kSliderWidth, kSliderHeight);
    slider->CreateThumb();
    slider->LoadSkin();
    slider->SetThumbOffset(0);
    slider->setRange(0, maximum);
    slider->setSingleStep(1);
    slider->setPageStep(1);
    slider->SetCtrlId(controlId);
    slider->SetOwner(this);
    slider->hide();
}

void CVelmoraDlg::Initialise() {
    m_speedSlider = new CBitSlider(this);
    m_brightnessSlider = new CBitSlider(this);
    m_reportRateSlider = new CBitSlider(this);
    StartSkin();
    if (m_options.watchDevices) {
        m_usbWatch = std::make_unique<UsbWatch>();
        connect(m_usbWatch.get(), &UsbWatch::arrived, this, &CVelmoraDlg::OnUsbArrived);
        connect(m_usbWatch.get(), &UsbWatch::removed, this, &CVelmoraDlg::OnUsbRemoved);
    }
    m_model.CollapseAll();
    SetUpSlider(m_speedSlider, IDC_SPEED_SLIDER, kSpeedMaximum, kSpeedSliderAt);
    SetUpSlider(m_brightnessSlider, IDC_BRIGHTNESS_SLIDER, kBrightnessMaximum, kBrightnessSliderAt);
    m_brightnessSlider->setValue(1);
    if (m_options.showSplash) {
        CSplashScreen splash(SkinFolder(m_session.folders().program, "").Find("SplashScreen.png").value_or(""));
        splash.exec();
    }
    SetUpSlider(m_reportRateSlider, IDC_REPORT_RATE_SLIDER, kReportRateMaximum, kReportRateSliderAt);
    m_reportRateSlider->setValue(1);

    for (const Status& problem : m_session.StartUp()) {
        m_ask(QString::fromStdString(problem.message()), kAppTitle, QMessageBox::Ok);
    }
    SetUpTray();
    TellIfKeyboardDenied();
    m_model.setCurrentSlot(kNoSlot);

    if (m_session.TakeReadBackTurn()) {
        auto job = std::make_shared<ReadBackJob>();
        job->image = m_session.configuration().image;
        StartTransfer(
            [this, job] {
                m_session.RunReadBack(*job);
                return job->status;
            },
            0,
            [this, job](const Status&) {
                m_session.TakeOverReadBack(*job);
                SendWindowMessage(this, WM_READBACK_DONE, 0, 0);
            });
    }
    if (m_options.watchDevices) {
        m_keyMonitor = std::make_unique<GlobalKeyMonitor>();
        connect(m_keyMonitor.get(), &GlobalKeyMonitor::keyPressed, this,
                [this](std::uint8_t key) { PostWindowMessage(this, WM_LAUNCH_KEY, key, 0); });
        m_keyMonitor->Start();
    }
    if (m_session.link().IsOpen() || m_tray == nullptr) {
        show();
    }
    Refresh();
}

void CVelmoraDlg::SetUpTray() {
    if (!m_options.trayAvailable.value_or(QSystemTrayIcon::isSystemTrayAvailable())) {
        return;
    }
    QIcon icon;
    if (auto logo = SkinFolder(m_session.folders().program, "").Find("logo.png")) {
        icon = QIcon(QString::fromStdString(logo->string()));
    }
    m_tray = new QSystemTrayIcon(icon, this);
    m_tray->setToolTip(kAppTitle);
    m_trayMenu = std::make_unique<QMenu>();
    m_trayMenu->addAction(QStringLiteral("退出"), this, &CVelmoraDlg::EndProgram);
    m_tray->setContextMenu(m_trayMenu.get());
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::DoubleClick) {
            ShowFromTray();
        }
    });
    m_tray->show();
}

void CVelmoraDlg::TellIfKeyboardDenied() {
    if (!m_session.link().keyboardDenied() || m_session.link().IsOpen()) {
        return;
    }
    if (m_tray) {
        m_tray->setToolTip(kAppTitle + QStringLiteral("\n") + kKeyboardDenied);
    }
    if (!m_toldKeyboardDenied) {
        m_toldKeyboardDenied = true;
        m_ask(kKeyboardDenied, kAppTitle, QMessageBox::Ok);
    }
}

void CVelmoraDlg::ShowFromTray() {
    if (m_session.link().IsOpen()) {
        showNormal();
        raise();
        activateWindow();
    } else {
        PostWindowMessage(this, WM_SHOW_NO_KEYBOARD, 15, 0);
    }
}

void CVelmoraDlg::EndProgram() {
    m_transfer.Join();
    QApplication::quit();
}

// ---- painting ----------------------------------------------------------------------------

void CVelmoraDlg::PaintSkin(Canvas& canvas) {
    const PanelFlags& flags = m_model.flags();
    canvas.DrawSkinImage("button-help-normal.png", 936, 5);
    if (flags.helpPanelOpen) {
        canvas.DrawSkinImage("HelpWindow.png", 830, 22);
        const LabelStyle black = LabelStyle::MainWindow(15, Rgb(0, 0, 0));
        canvas.DrawLabel(m_options.supportUrl, 850, 25, black);
        canvas.DrawLabel(QStringLiteral("Update驱动更新"), 850, 50, black);
        canvas.DrawLabel(QStringLiteral("Ver1.0"), 850, 75, black);
    }
    canvas.DrawSkinImage("button-min-normal.png", 957, 5);
    canvas.DrawSkinImage("button-close-normal.png", 978, 5);
    canvas.DrawSkinImage("logo.png", 19, 32);
    canvas.DrawSkinImage("kb_BK.png", kKeyboardPictureOrigin.x, kKeyboardPictureOrigin.y);
    auto highlight = [&](std::size_t slot) {
        if (const auto rect = KeyRectangle(slot)) {
            canvas.DrawSkinImagePart("kb_hl.png", *rect, kKeyboardPictureOrigin.x + rect->left,
                                     kKeyboardPictureOrigin.y + rect->top);
        }
    };
    if (m_model.currentSlot() != kNoSlot) {
        highlight(m_model.currentSlot());
    }
    auto& marks = m_session.configuration().marks;
    marks[kLeftWindowsSlot] = 0;
    for (std::size_t slot = 0; slot < kKeySlotCount; ++slot) {
        if (marks[slot] != 0) {
            highlight(slot);
        }
    }
    canvas.DrawSkinImage("button-cancel-normal.png", 800, 605);
    canvas.DrawSkinImage("button-cancel-normal.png", 862, 605);
    canvas.DrawSkinImage("button-save-normal.png", 924, 605);
    canvas.DrawSkinImage("text.png", 96, 610);
    canvas.DrawSkinImage("Config.png", 17, 603);
    canvas.DrawLabel(QStringLiteral("恢复"), 810, 612, White(15));
    canvas.DrawLabel(QStringLiteral("取消"), 872, 612, White(15));
    canvas.DrawLabel(QStringLiteral("保存"), 934, 612, White(15));
    PaintPanel(canvas);

    if (m_busy && m_busyExpectedPauseMs > 0) {
        // How far the transfer has come, over the buttons it blocks.
        const double done = std::clamp(
            static_cast<double>(m_session.pausedMs() - m_busyStartPausedMs) / m_busyExpectedPauseMs, 0.0, 1.0);
        const Rect track{300, 585, 900, 593};
        canvas.FillRect(track, Rgb(59, 59, 59));
        canvas.FillRect({track.left, track.top, track.left + static_cast<int>(track.Width() * done), track.bottom},
                        Rgb(220, 40, 50));
    }
}

void CVelmoraDlg::PaintPanel(Canvas& canvas) {
    const PanelFlags& flags = m_model.flags();
    const PanelLayout l = m_model.layout();
    const DeviceImage& image = m_session.configuration().image;
    const LightingValues lighting = image.lighting();
    const SliderVisibility sliders = m_model.Sliders();

    canvas.DrawSkinImage("itemBK.png", l.lighting.x, l.lighting.y);
    canvas.DrawLabel(QStringLiteral("灯光"), 30, 112, White(15));
    if (!flags.lightingCollapsed) {
        canvas.DrawSkinImage("LEDEffect_open.png", 19, 130);
        canvas.DrawLabel(QStringLiteral("效果"), 28, 137, White(15));
        canvas.DrawSkinImage("灯光选项条.png", 28, 158);
        if (sliders.speed) {
            DrawSlider(canvas, m_speedSlider);
            canvas.DrawLabel(QStringLiteral("频率"), 28, 265, White(15));
            canvas.DrawLabel(QStringLiteral("慢"), 30, 295, White(13));
            canvas.DrawLabel(QStringLiteral("快"), 230, 295, White(13));
        }
        canvas.DrawLabel(QStringLiteral("亮度"), 28, 217, White(15));
        canvas.DrawLabel(QStringLiteral("暗"), 30, 247, White(13));
        canvas.DrawLabel(QStringLiteral("亮"), 230, 247, White(13));
        if (sliders.brightness) {
            DrawSlider(canvas, m_brightnessSlider);
        }
        if (EffectHasDirection(lighting.effect)) {
            canvas.DrawLabel(QStringLiteral("方向"), 29, 177, White(15));
            canvas.DrawSkinImage("Direction-T-Disable.png", 29, 197);
            canvas.DrawSkinImage("Direction-B-Disable.png", 79, 197);
            canvas.DrawSkinImage("Direction-R-Disable.png", 129, 197);
            canvas.DrawSkinImage("Direction-L-Disable.png", 179, 197);
            switch (lighting.direction) {
                case kDirectionLeft:
                    canvas.DrawSkinImage("Direction-L-Enable.png", 179, 197);
                    break;
                case kDirectionRight:
                    canvas.DrawSkinImage("Direction-R-Enable.png", 129, 197);
                    break;
                case kDirectionTop:
                    canvas.DrawSkinImage("Direction-T-Enable.png", 29, 197);
                    break;
                case kDirectionBottom:
                    canvas.DrawSkinImage("Direction-B-Enable.png", 79, 197);
                    break;
                default:
                    break;
            }
        }
        if (const auto name = EffectName(lighting.effect)) {
            canvas.DrawLabel(Utf8(*name), 28, 158, White(14));
        }
    }

    canvas.DrawSkinImage("MacroManagementBK.png", l.macroRow.x, l.macroRow.y);
    canvas.DrawSkinImage("宏管理器按钮-3.png", 28, l.a + 120);
    canvas.DrawLabel(QStringLiteral("宏管理器"), 29, l.a + 122, White(15));

    const int y2 = l.gameMode.y;
    const QString gameTitle = QStringLiteral("游戏模式      Win Lock模式");
    if (flags.gameModeCollapsed) {
        canvas.DrawSkinImage("gamemode_Close.png", l.gameMode.x, y2);
        canvas.DrawLabel(gameTitle, 28, y2 + 3, White(15));
    } else {
        canvas.DrawSkinImage("gamemode_open.png", l.gameMode.x, y2);
        canvas.DrawLabel(gameTitle, 28, y2 + 3, White(15));
        const bool game = image.gameMode() != 0;
        canvas.DrawSkinImage(game ? "Enable.png" : "Disable.png", 27, y2 + 33);
        canvas.DrawSkinImage(game ? "Disable.png" : "Enable.png", 78, y2 + 33);
        canvas.DrawLabel(QStringLiteral("开启"), 43, y2 + 31, White(13));
        canvas.DrawLabel(QStringLiteral("关闭"), 94, y2 + 31, White(13));
        const bool lock = image.winLockOn() != 0;
        canvas.DrawSkinImage(lock ? "Enable.png" : "Disable.png", 144, y2 + 33);
        canvas.DrawSkinImage(lock ? "Disable.png" : "Enable.png", 198, y2 + 33);
        canvas.DrawLabel(QStringLiteral("开启"), 161, y2 + 31, White(13));
        canvas.DrawLabel(QStringLiteral("关闭"), 213, y2 + 31, White(13));
    }

    const int y3 = l.response.y;
    canvas.DrawSkinImage(flags.responseCollapsed ? "responsetime_close.png" : "responsetime_open.png",
                         l.response.x, y3);
    canvas.DrawLabel(QStringLiteral("按键响应时间"), 30, y3 + 2, White(15));
    if (!flags.responseCollapsed) {
        canvas.DrawSkinImage("灯光选项条.png", 28, y3 + 28);
        canvas.DrawLabel(QString::fromStdString(ResponseText(image.keyResponse())), 100, y3 + 28, White(15));
    }

    const int y4 = l.reportRate.y;
    canvas.DrawSkinImage(flags.reportRateCollapsed ? "reportrate_Close.png" : "reportrate_Open.png",
                         l.reportRate.x, y4);
    canvas.DrawLabel(QStringLiteral("USB报告率"), 30, y4 + 2, White(15));
    if (sliders.reportRate) {
        DrawSlider(canvas, m_reportRateSlider);
    }

    auto listRow = [&](int k, int left, int top, std::uint8_t hover) {
        canvas.FillRect({left, top, left + 220, top + 20},
                        k == hover ? Rgb(80, 0, 0) : Rgb(59, 59, 59));
    };
    if (flags.effectListOpen) {
        for (int k = 0; k < static_cast<int>(kLightingEffects.size()); ++k) {
            listRow(k, 28, 173 + 20 * k, m_model.effectHoverRow());
            canvas.DrawLabel(Utf8(kLightingEffects[k].name), 28, 173 + 20 * k, White(15));
        }
    }
    if (flags.responseListOpen) {
        const int t = l.responseListTop;
        for (int k = 0; k < static_cast<int>(kResponseRows.size()); ++k) {
            listRow(k, 27, t + 20 * k, m_model.responseHoverRow());
            canvas.DrawLabel(Utf8(kResponseRows[k]), 97, t + 20 * k, White(16));
        }
    }
}

void CVelmoraDlg::DrawSlider(Canvas& canvas, CBitSlider* slider) {
    // Drawing brings the field in line with what the slider shows.
    DeviceImage& image = m_session.configuration().image;
    const auto value = static_cast<std::uint8_t>(slider->value());
    LightingValues lighting = image.lighting();
    if (slider == m_speedSlider) {
        lighting.speed = value;
        image.setLighting(lighting);
    } else if (slider == m_brightnessSlider) {
        lighting.brightness = value;
        image.setLighting(lighting);
    } else {
        image.setReportRateStep(value);
    }
    Point thumb = slider->ThumbPoint();
    if (slider == m_reportRateSlider && value == 0) {
        thumb.x += 2;
    }
    const QRect r = slider->geometry();
    canvas.DrawBitmap(IDB_TRACK_FILL, {0, 0, thumb.x, r.height()}, r.left(), r.top());
    canvas.DrawBitmap(IDB_TRACK_EMPTY, {thumb.x, 0, r.width(), r.height()}, r.left() + thumb.x, r.top());
    canvas.DrawSkinImage("Thumb.png", r.left() + thumb.x, r.top() + thumb.y + 1);
}

void CVelmoraDlg::OnSliderDraw(int controlId) {
    const int index = controlId == IDC_SPEED_SLIDER ? 0 : controlId == IDC_BRIGHTNESS_SLIDER ? 1 : 2;
    CBitSlider* target = slider(controlId);
    if (target->value() != m_lastSliderPosition[index]) {
        m_lastSliderPosition[index] = target->value();
        update();
    }
}

void CVelmoraDlg::SetSlidersFromImage() {
    const DeviceImage& image = m_session.configuration().image;
    m_brightnessSlider->setValue(image.lighting().brightness);
    m_speedSlider->setValue(image.lighting().speed);
    m_reportRateSlider->setValue(image.reportRateStep());
}

void CVelmoraDlg::LayoutSliders() {
    const SliderVisibility visible = m_model.Sliders();
    m_speedSlider->setVisible(visible.speed);
    m_brightnessSlider->setVisible(visible.brightness);
    if (visible.reportRate) {
        // The slider follows its section as the sections above it open and close.
        const int y4 = m_model.layout().reportRate.y;
        if (y4 != m_reportRateSliderOrigin) {
            m_reportRateSlider->setGeometry(28, y4 + 23, kSliderWidth, kSliderHeight);
            m_reportRateSlider->CreateThumb();
            m_reportRateSlider->LoadSkin();
            m_reportRateSliderOrigin = y4;
        }
        m_reportRateSlider->SetCtrlId(IDC_REPORT_RATE_SLIDER);
    }
    m_reportRateSlider->setVisible(visible.reportRate);
}

void CVelmoraDlg::Refresh() {
    if (m_speedSlider != nullptr) {
        LayoutSliders();
    }
    update();
}

// ---- messages and input ------------------------------------------------------------------

bool CVelmoraDlg::event(QEvent* event) {
    if (WindowMessage* message = WindowMessage::From(event)) {
        switch (message->Message()) {
            case WM_SLIDER_DRAW:
                OnSliderDraw(static_cast<int>(message->WParam()));
                return true;
            case WM_READBACK_DONE:
                ReadBackDone(message->LParam());
                return true;
            case WM_LAUNCH_KEY:
                LaunchFromKey(m_session.configuration().records,
                              static_cast<std::uint8_t>(message->WParam() & 0xFF), m_launcher);
                return true;
            case WM_SHOW_NO_KEYBOARD:
                if (message->WParam() == 15 && m_tray) {
                    m_tray->showMessage(QStringLiteral("Warning"), kNoKeyboard, QSystemTrayIcon::Information);
                }
                return true;
            default:
                break;
        }
    }
    return SkinnedDialog::event(event);
}

void CVelmoraDlg::mousePressEvent(QMouseEvent* event) {
    if (m_busy || event->button() != Qt::LeftButton) {
        return;
    }
    m_leftButtonHeld = true;
    m_pressGlobal = event->globalPosition().toPoint();
    m_model.LeftButtonDown();
}

void CVelmoraDlg::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    m_leftButtonHeld = false;
    if (m_busy) {
        return;
    }
    const QPoint p = event->position().toPoint();
    ClickAt(p.x(), p.y());
}

void CVelmoraDlg::ClickAt(int x, int y) {
    const MainWindowAction action = m_model.LeftButtonUp(x, y);
    Refresh();
    RunAction(action);
}

void CVelmoraDlg::mouseMoveEvent(QMouseEvent* event) {
    if (m_busy) {
        return;
    }
    const QPoint p = event->position().toPoint();
    const MouseMoveResult result = m_model.MouseMove(p.x(), p.y(), m_leftButtonHeld);
    if (result.startDrag) {
        m_leftButtonHeld = false;
        // The window follows the pointer from where the button went down.
        StartWindowDrag(m_pressGlobal);
    }
    if (result.repaint) {
        Refresh();
    }
}

void CVelmoraDlg::keyPressEvent(QKeyEvent* event) {
    // Enter, Escape and F1 do nothing here; nothing else is typed into the window.
    event->accept();
}

void CVelmoraDlg::contextMenuEvent(QContextMenuEvent* event) {
    const QPoint p = event->pos();
    if (m_busy || m_model.HitTestPanel(p.x(), p.y()) != region::kNone ||
        HitTestKey(p.x(), p.y()) != kNoSlot) {
        return;
    }
    // A caption-less window has no system menu; the About box is reached from here.
    QMenu menu(this);
    menu.addAction(QStringLiteral("关于 Velmora(&A)..."), this, &CVelmoraDlg::ShowAbout);
    menu.exec(event->globalPos());
}

void CVelmoraDlg::focusOutEvent(QFocusEvent* event) {
    SkinnedDialog::focusOutEvent(event);
    update();
}

void CVelmoraDlg::closeEvent(QCloseEvent* event) {
    event->accept();
    EndProgram();
}

void CVelmoraDlg::ShowAbout() {
    QMessageBox about(this);
    about.setWindowTitle(QStringLiteral("关于 Velmora"));
    about.setText(QStringLiteral("Velmora 1.0 版"));
    about.setIconPixmap(windowIcon().pixmap(32, 32));
    about.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    about.exec();
}

// ---- actions -----------------------------------------------------------------------------

void CVelmoraDlg::RunAction(MainWindowAction action) {
    switch (action) {
        case MainWindowAction::None:
            break;
        case MainWindowAction::Hide:
            if (m_tray) {
                hide();
            } else {
                showMinimized();
            }
            break;
        case MainWindowAction::Close:
            EndProgram();
            break;
        case MainWindowAction::OpenMacroManager:
            OpenMacroManager();
            break;
        case MainWindowAction::OpenProfiles:
            OpenProfiles();
            break;
        case MainWindowAction::FactoryReset:
            FactoryReset();
            break;
        case MainWindowAction::Save:
            Save();
            break;
        case MainWindowAction::OpenKeyDialog:
            OpenKeyDialog();
            break;
        case MainWindowAction::OpenWebPage:
            OpenWebPage();
            break;
        case MainWindowAction::LaunchUpdater:
            LaunchUpdater();
            break;
    }
}

void CVelmoraDlg::OpenKeyDialog() {
    Configuration& c = m_session.configuration();
    AssignmentDraft& draft = m_session.draft();
    const std::uint8_t slot = m_model.currentSlot();
    if (auto prepared = PrepareAssignment(draft, c, slot, m_session.keymapPath()); !prepared) {
        m_ask(QString::fromStdString(prepared.message()), kAppTitle, QMessageBox::Ok);
    }
    if (!m_dialogs.RunKeyAssignment(this, draft)) {
        return;
    }
    if (auto done = CompleteAssignment(draft, c, m_session.macros(), m_session.keymapPath()); !done) {
        m_ask(QString::fromStdString(done.message()), kAppTitle, QMessageBox::Ok);
    }
    Refresh();
}

void CVelmoraDlg::OpenMacroManager() {
    if (!m_dialogs.RunMacroManager(this, m_session.macros())) {
        return;
    }
    if (auto done = CompleteMacroEditing(m_session.macros(), m_session.configuration(),
                                         m_session.keymapPath(), m_session.macroPath());
        !done) {
        m_ask(QString::fromStdString(done.message()), kAppTitle, QMessageBox::Ok);
    }
    Refresh();
}

void CVelmoraDlg::OpenProfiles() {
    m_dialogs.RunProfileManager(this, frameGeometry());
    QTimer::singleShot(kAfterProfilesMs, this, [this] { SendWindowMessage(this, WM_READBACK_DONE, 0, 1); });
}

void CVelmoraDlg::StartTransfer(std::function<Status()> work, int expectedPauseMs,
                                std::function<void(const Status&)> done) {
    m_busy = true;
    m_busyStartPausedMs = m_session.pausedMs();
    m_busyExpectedPauseMs = expectedPauseMs;
    m_transferDone = std::move(done);
    setCursor(Qt::BusyCursor);
    m_busyTimer.start();
    m_transfer.Start(std::move(work));
    update();
}

void CVelmoraDlg::Save() {
    auto toSend = std::make_shared<DeviceImage>(m_session.PrepareSave());
    StartTransfer([this, toSend] { return m_session.RunSave(*toSend); }, kSavePauseMs + 5,
                  [this](const Status& status) {
                      if (!status) {
                          m_ask(QStringLiteral("设置未能写入键盘。\n") + StatusText(status),
                                QStringLiteral("保存"), QMessageBox::Ok);
                      }
                  });
}

void CVelmoraDlg::FactoryReset() {
    if (m_ask(QStringLiteral("确认恢复至出厂设置吗？"), QStringLiteral("出厂设置"),
              QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok) {
        return;
    }
    m_model.CollapseAll();
    auto readBack = std::make_shared<DeviceImage>(m_session.configuration().image);
    StartTransfer([this, readBack] { return m_session.RunFactoryReset(*readBack); }, kFactoryResetPauseMs,
                  [this, readBack](const Status& status) {
                      const Status records = m_session.FinishFactoryReset(*readBack);
                      SetSlidersFromImage();
                      if (!status) {
                          m_ask(QStringLiteral("未能恢复键盘的出厂设置。\n") + StatusText(status),
                                QStringLiteral("出厂设置"), QMessageBox::Ok);
                      } else if (!records) {
                          m_ask(QString::fromStdString(records.message()), QStringLiteral("出厂设置"),
                                QMessageBox::Ok);
                      }
                  });
}

void CVelmoraDlg::ReadBackDone(qint64 lParam) {
    SetSlidersFromImage();
    const ReadBackOutcome outcome = m_session.ReadBackDone(lParam == 0);
    SetSlidersFromImage();
    Refresh();
    if (!outcome.saved) {
        m_ask(QString::fromStdString(outcome.saved.message()), kAppTitle, QMessageBox::Ok);
    }
    if (lParam == 0 && outcome.offerFirmwareUpdate) {
        CheckFirmwareVersion();
    }
}

void CVelmoraDlg::CheckFirmwareVersion() {
    if (!m_session.FirmwareUpdateOffered()) {
        return;
    }
    if (m_ask(QStringLiteral("检测到键盘版本与Driver的版本不匹配，是否进行更新？"), QStringLiteral("固件更新"),
              QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok) {
        LaunchUpdater();
    }
}

void CVelmoraDlg::LaunchUpdater() {
    // The updater is a program of its own; it is started and left to run.
    QProcess::startDetached(QString::fromStdString(m_session.updaterPath().string()), {},
                            QString::fromStdString(m_session.folders().program.string()));
}

void CVelmoraDlg::OpenWebPage() {
    if (!m_options.supportUrl.isEmpty()) {
        QDesktopServices::openUrl(QUrl(m_options.supportUrl));
    }
}

// ---- device changes ----------------------------------------------------------------------

void CVelmoraDlg::OnUsbArrived() {
    if (m_arrivalPending) {
        return;
    }
    m_arrivalPending = true;
    QTimer::singleShot(2000, this, &CVelmoraDlg::OnArrivalSettled);
}

void CVelmoraDlg::OnArrivalSettled() {
    m_arrivalPending = false;
    if (m_busy || m_session.link().IsOpen()) {
        return;
    }
    auto readBack = std::make_shared<DeviceImage>(m_session.configuration().image);
    auto outcome = std::make_shared<ArrivalOutcome>(ArrivalOutcome::NotFound);
    StartTransfer(
        [this, readBack, outcome] {
            *outcome = m_session.ReconnectAfterArrival(*readBack);
            return Status::Ok();
        },
        0,
        [this, readBack, outcome](const Status&) {
            if (*outcome != ArrivalOutcome::Reconnected) {
                TellIfKeyboardDenied();
                return;
            }
            if (m_tray) {
                m_tray->setToolTip(kAppTitle);
            }
            m_session.TakeOverArrival(*readBack);
            SetSlidersFromImage();
            if (m_keyMonitor) {
                m_keyMonitor->Start();
            }
            CheckFirmwareVersion();
        });
}

void CVelmoraDlg::OnUsbRemoved() {
    if (m_busy) {
        m_removalPending = true;
        return;
    }
    m_session.Removed();
}

}  // namespace solvane
