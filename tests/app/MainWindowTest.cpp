#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QSignalSpy>

#include "app/MainWindow.h"
#include "app/SplashScreen.h"
#include "keys/KeymapFile.h"
#include "sim/KeyboardFlash.h"
#include "common/AtomicFile.h"
#include "controls/CBitSlider.h"
#include "controls/RecordingCanvas.h"
#include "controls/SkinImage.h"
#include "keys/KeyMapEntry.h"
#include "sim/VirtualKeyboard.h"
#include "support/QtTestApplication.h"
#include "support/TempFolder.h"
#include "support/TracedKeyboard.h"

namespace solvane {
namespace {

class NoDialogs final : public SecondaryDialogs {
public:
    bool RunKeyAssignment(QWidget*, AssignmentDraft& draft) override {
        ++keyDialogs;
        if (!answer) {
            return false;
        }
        draft = *answer;
        return true;
    }
    bool RunMacroManager(QWidget*, MacroStore&) override { return false; }
    void RunProfileManager(QWidget*, const QRect&) override {}
    std::optional<AssignmentDraft> answer;
    int keyDialogs = 0;
};

class RecordingLauncher final : public LaunchService {
public:
    Status Launch(const LaunchRequest&) override { return Status::Ok(); }
};

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() : keyboard(testing::TracedKeyboard::QuickOptions()) { testing::TestApplication(); }

    // The program folder: the build's skin and a VER.bin of the test's choosing.
    void UseVer(const std::string& text) {
        ASSERT_TRUE(WriteFileAtomically(program / "VER.bin", std::vector<std::uint8_t>(text.begin(), text.end())));
    }

    void Start(std::optional<bool> tray = false) {
        std::filesystem::create_directory_symlink(std::filesystem::path(SOLVANE_BUILD_DIR) / "png", program / "png");
        session = std::make_unique<AppSession>(keyboard, nullptr, AppFolders{program.path(), data.path()});
        MainWindowOptions options;
        options.showSplash = false;
        options.watchDevices = false;
        options.trayAvailable = tray;
        window = std::make_unique<CVelmoraDlg>(*session, images, launcher, dialogs, options);
        window->setAskUser([this](const QString& text, const QString& caption, QMessageBox::StandardButtons) {
            asked.push_back(caption + ": " + text);
            return QMessageBox::Cancel;
        });
        QSignalSpy finished(window.get(), &CVelmoraDlg::transferFinished);
        window->Initialise();
        if (!session->link().IsOpen()) {
            return;  // no read-back to wait for
        }
        WaitForTransfer(finished);
    }

    void WaitForTransfer(QSignalSpy& finished) {
        QElapsedTimer waited;
        waited.start();
        while (finished.isEmpty() && waited.elapsed() < 10000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        ASSERT_FALSE(finished.isEmpty()) << "the transfer did not end";
    }

    std::vector<CanvasCall> Paint() {
        RecordingCanvas canvas;
        window->PaintInto(canvas);
        return canvas.Calls();
    }

    static std::vector<std::string> Images(const std::vector<CanvasCall>& calls) {
        std::vector<std::string> names;
        for (const auto& call : calls) {
            if (call.kind == CanvasCall::Kind::Image) names.push_back(call.name);
        }
        return names;
    }

    testing::TempFolder program;
    testing::TempFolder data;
    VirtualKeyboard keyboard;
    SkinImageCache images;
    RecordingLauncher launcher;
    NoDialogs dialogs;
    std::unique_ptr<AppSession> session;
    std::unique_ptr<CVelmoraDlg> window;
    std::vector<QString> asked;
};

TEST_F(MainWindowTest, StartUpReadsTheKeyboardAndAsksForTheUpdateOfOlderFirmware) {
    UseVer("Ver: 1.2    ");
    auto flash = keyboard.flash();
    flash.ledBrightness = 37;
    flash.keyMap[4 * 5 + 2] = 0x04;  // Esc sends A: a changed key
    keyboard.setFlash(flash);
    Start();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(std::filesystem::file_size(data / "keymap.bin"), 204340u);
    EXPECT_EQ(session->configuration().image.lighting().brightness, 37);
    EXPECT_EQ(window->slider(IDC_BRIGHTNESS_SLIDER)->value(), 37);
    EXPECT_NE(session->configuration().marks[0], 0);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], QStringLiteral("固件更新: 检测到键盘版本与Driver的版本不匹配，是否进行更新？"));
}

TEST_F(MainWindowTest, WithoutAKeyboardTheWindowWaitsInTheTray) {
    UseVer("Ver: 1.1    ");
    keyboard.setUnplugged(true);
    Start(true);
    EXPECT_TRUE(window->hasTray());
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(asked.empty());
}

TEST_F(MainWindowTest, AKeyboardThatCannotBeOpenedIsExplainedOnce) {
    UseVer("Ver: 1.1    ");
    std::vector<VirtualInterface> interfaces{{{"denied", KEYBOARD_VENDOR_ID, KEYBOARD_PRODUCT_ID, 3}, false, true}};
    keyboard.setInterfaces(interfaces);
    Start();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].contains(QStringLiteral("70-solvane.rules")));
}

TEST_F(MainWindowTest, PaintsTheWindowThenThePanelInOrder) {
    UseVer("Ver: 1.1    ");
    Start();
    const auto collapsed = Images(Paint());
    const std::vector<std::string> expected{
        "button-help-normal.png", "button-min-normal.png", "button-close-normal.png", "logo.png",
        "kb_BK.png", "button-cancel-normal.png", "button-cancel-normal.png", "button-save-normal.png",
        "text.png", "Config.png", "itemBK.png", "MacroManagementBK.png", "宏管理器按钮-3.png",
        "gamemode_Close.png", "responsetime_close.png", "reportrate_Close.png"};
    EXPECT_EQ(collapsed, expected);

    // Wave with direction 2: the right arrow is highlighted after the four plain ones.
    session->configuration().image.setLighting({0x03, 5, 50, 0, 2});
    window->ClickAt(20, 110);
    const auto expanded = Images(Paint());
    const auto right = std::find(expanded.begin(), expanded.end(), "Direction-R-Enable.png");
    ASSERT_NE(right, expanded.end());
    EXPECT_EQ(*(right - 1), "Direction-L-Disable.png");
    EXPECT_EQ(std::count(expanded.begin(), expanded.end(), "Thumb.png"), 2);  // brightness and speed

    window->ClickAt(30, 160);  // the effect list
    int rows = 0;
    for (const auto& call : Paint()) {
        if (call.kind == CanvasCall::Kind::Fill) ++rows;
    }
    EXPECT_EQ(rows, 12);
    window->ClickAt(30, 173 + 20 * 11 + 19);
    EXPECT_EQ(session->configuration().image.lighting().effect, 0x37);
}

TEST_F(MainWindowTest, MarksAndHoverComeFromTheHighlightedPictureAtTheKeysRectangle) {
    UseVer("Ver: 1.1    ");
    Start();
    session->configuration().marks.fill(0);
    session->configuration().marks[96] = 1;  // never shown
    session->configuration().marks[33] = 1;  // Backspace
    window->model().setCurrentSlot(0);
    std::vector<CanvasCall> parts;
    for (const auto& call : Paint()) {
        if (call.kind == CanvasCall::Kind::ImagePart) parts.push_back(call);
    }
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0].name, "kb_hl.png");
    EXPECT_EQ(parts[0].rect, (Rect{2, 52, 27, 77}));
    EXPECT_EQ(parts[0].at, (Point{302, 212}));
    EXPECT_EQ(parts[1].rect, (Rect{430, 94, 489, 119}));
    EXPECT_EQ(session->configuration().marks[96], 0);
}

TEST_F(MainWindowTest, AKeyClickRunsTheStepsAroundTheDialog) {
    UseVer("Ver: 1.1    ");
    Start();
    AssignmentDraft answer;
    answer.CurrentSlot = 0;
    answer.kind = KIND_SINGLE_KEY;
    answer.CapturedKeys[0] = 0x41;
    answer.CapturedCount = 1;
    dialogs.answer = answer;
    window->ClickAt(302, 212);  // Esc
    EXPECT_EQ(dialogs.keyDialogs, 1);
    const auto entry = session->configuration().image.keyMapBlock().subspan(4 * 5, 4);
    EXPECT_EQ(std::vector<std::uint8_t>(entry.begin(), entry.end()), (std::vector<std::uint8_t>{0, 0, 4, 0}));
    EXPECT_NE(session->configuration().marks[0], 0);
}

TEST_F(MainWindowTest, SaveAndFactoryResetRunOffTheWindowThreadAndReportFailure) {
    UseVer("Ver: 1.1    ");
    Start();
    session->configuration().image.setKeyResponse(8);
    QSignalSpy finished(window.get(), &CVelmoraDlg::transferFinished);
    window->ClickAt(950, 620);  // 保存
    EXPECT_TRUE(window->isBusy());
    WaitForTransfer(finished);
    EXPECT_FALSE(window->isBusy());
    EXPECT_EQ(keyboard.flash().keyResponse, 8);
    EXPECT_TRUE(asked.empty());

    // Cancelling the question sends nothing.
    const auto before = keyboard.flash();
    window->ClickAt(820, 620);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], QStringLiteral("出厂设置: 确认恢复至出厂设置吗？"));
    EXPECT_FALSE(window->isBusy());
    EXPECT_EQ(keyboard.flash(), before);

    keyboard.setSilent(true);
    finished.clear();
    window->ClickAt(950, 620);
    WaitForTransfer(finished);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1], QStringLiteral("保存: 设置未能写入键盘。\n键盘已断开连接。"));

    keyboard.setSilent(false);
    keyboard.setUnplugged(true);
    finished.clear();
    window->ClickAt(950, 620);
    WaitForTransfer(finished);
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_TRUE(asked[2].startsWith(QStringLiteral("保存: 设置未能写入键盘。")));
}

TEST_F(MainWindowTest, AConfirmedFactoryResetRestoresKeyboardAndRecordsButNotTheMacros) {
    UseVer("Ver: 1.1    ");
    auto flash = keyboard.flash();
    flash.ledBrightness = 5;
    flash.keyMap[4 * 5 + 2] = 0x04;
    keyboard.setFlash(flash);
    Start();
    session->configuration().records[0].kind = KIND_MACRO;
    const auto macrosBefore = ReadFileBounded(data / "MacroDefine.bin", 200000).value();
    window->setAskUser([this](const QString& text, const QString& caption, QMessageBox::StandardButtons) {
        asked.push_back(caption + ": " + text);
        return QMessageBox::Ok;
    });
    QSignalSpy finished(window.get(), &CVelmoraDlg::transferFinished);
    window->ClickAt(820, 620);  // 恢复
    WaitForTransfer(finished);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(keyboard.flash().ledBrightness, 50);
    EXPECT_EQ(keyboard.flash().keyMap[4 * 5 + 2], FactoryKeyMap[4 * 5 + 2]);
    EXPECT_EQ(session->configuration().records[0].kind, KIND_SINGLE_KEY);
    EXPECT_EQ(session->configuration().marks[0], 0);
    EXPECT_EQ(window->slider(IDC_BRIGHTNESS_SLIDER)->value(), 50);
    DeviceImage saved;
    RecordTable records{};
    ASSERT_TRUE(LoadKeymapFile(data / "keymap.bin", KeymapLoadMode::Full, saved, records));
    EXPECT_EQ(records[0].kind, KIND_SINGLE_KEY);
    for (const auto byte : saved.keyEnableBitmap()) EXPECT_EQ(byte, 0xFF);
    EXPECT_EQ(ReadFileBounded(data / "MacroDefine.bin", 200000).value(), macrosBefore);
}

TEST(SplashScreenTest, ClosesOnTheFiftySecondTick) {
    testing::TestApplication();
    CSplashScreen splash(std::filesystem::path(SOLVANE_BUILD_DIR) / "png" / "SplashScreen.png");
    EXPECT_FALSE(splash.size().isEmpty());
    splash.exec();
    EXPECT_EQ(splash.ticks(), 52);
}

}  // namespace
}  // namespace solvane
