// The profile manager opened from the main window's profile button: what it loads reaches the
// window's marks, sliders and keymap.bin after it has closed, however it closed.
#include <gtest/gtest.h>

#include <QtTest/QSignalSpy>
#include <QtTest/QTest>

#include <memory>

#include "ModalAnswers.h"
#include "app/AppDialogs.h"
#include "app/AppSession.h"
#include "app/MainWindow.h"
#include "common/AtomicFile.h"
#include "controls/CBitSlider.h"
#include "controls/CTransparentListBox.h"
#include "keys/KeymapFile.h"
#include "profiles/CConfigureDlg.h"
#include "sim/VirtualKeyboard.h"
#include "support/QtTestApplication.h"
#include "support/TempFolder.h"
#include "support/TracedKeyboard.h"

namespace solvane {
namespace {

using testing::ModalAnswers;

class NoLaunches final : public LaunchService {
public:
    Status Launch(const LaunchRequest&) override { return Status::Ok(); }
};

struct WithApplication {
    WithApplication() { testing::TestApplication(); }
};

// Esc's key map entry and the brightness: what the saved profile changes.
constexpr std::size_t kEscMapByte = 4 * 5 + 2;
constexpr std::uint8_t kKeyA = 0x04;
constexpr std::uint8_t kSavedBrightness = 20;
constexpr Point kProfileButton{50, 620};

class ProfilesFromMainWindowTest : private WithApplication, public ::testing::Test {
protected:
    void SetUp() override {
        const std::string version = "Ver: 1.1    ";
        ASSERT_TRUE(WriteFileAtomically(program / "VER.bin", std::vector<std::uint8_t>(version.begin(), version.end())));
        std::filesystem::create_directory_symlink(std::filesystem::path(SOLVANE_BUILD_DIR) / "png", program / "png");
        std::filesystem::create_directories(data / "Configure");
        session = std::make_unique<AppSession>(keyboard, nullptr, AppFolders{program.path(), data.path()});
        dialogs = std::make_unique<AppDialogs>(*session, images);
        MainWindowOptions options;
        options.showSplash = false;
        options.watchDevices = false;
        options.trayAvailable = false;
        window = std::make_unique<CVelmoraDlg>(*session, images, launcher, *dialogs, options);
        window->setAskUser([](const QString&, const QString&, QMessageBox::StandardButtons) {
            return QMessageBox::Cancel;
        });
        QSignalSpy readBack(window.get(), &CVelmoraDlg::transferFinished);
        window->Initialise();
        ASSERT_TRUE(session->link().IsOpen());
        ASSERT_TRUE(QTest::qWaitFor([&] { return !readBack.isEmpty(); }, 10000)) << "no read-back";
    }

    // A profile that sends A from Esc and has the brightness at 20.
    std::filesystem::path WriteSavedProfile() {
        DeviceImage image = session->configuration().image;
        image.keyMapBlock()[kEscMapByte] = kKeyA;
        LightingValues lighting = image.lighting();
        lighting.brightness = kSavedBrightness;
        image.setLighting(lighting);
        const auto path = data / "Configure" / "Saved.bin";
        EXPECT_TRUE(SaveKeymapFile(path, image, session->configuration().records));
        return path;
    }

    // The answer to the profile manager when it opens: `drive` runs inside it, then it closes
    // with `closing`.
    void ExpectProfileManager(std::function<void(CConfigureDlg&)> drive, Qt::Key closing) {
        answers.Then([drive, closing](QWidget* shown) {
            auto* dialog = qobject_cast<CConfigureDlg*>(shown);
            ASSERT_NE(dialog, nullptr) << "the profile button opens the profile manager";
            // Later, in the dialog's own loop, so the windows it opens are answered too.
            QMetaObject::invokeMethod(
                dialog,
                [dialog, drive, closing] {
                    drive(*dialog);
                    QTest::keyClick(&dialog->List(), closing);
                },
                Qt::QueuedConnection);
        });
    }

    static void Load(CConfigureDlg& dialog) {
        CTransparentListBox& list = dialog.List();
        list.SetCurSel(0);
        const QPoint row = list.visualItemRect(list.item(0)).center();
        QTest::mousePress(list.viewport(), Qt::RightButton, {}, row);
        QTest::mouseRelease(list.viewport(), Qt::RightButton, {}, row);
    }

    bool EscMarked() { return session->configuration().marks[0] != 0; }

    testing::TempFolder program;
    testing::TempFolder data;
    VirtualKeyboard keyboard{testing::TracedKeyboard::QuickOptions()};
    SkinImageCache images;
    NoLaunches launcher;
    ModalAnswers answers;
    std::unique_ptr<AppSession> session;
    std::unique_ptr<AppDialogs> dialogs;
    std::unique_ptr<CVelmoraDlg> window;
};

TEST_F(ProfilesFromMainWindowTest, ALoadedProfileReachesMarksSlidersAndKeymapAfterTheDialogCloses) {
    const auto saved = WriteSavedProfile();
    ASSERT_FALSE(EscMarked());
    ASSERT_NE(window->slider(IDC_BRIGHTNESS_SLIDER)->value(), kSavedBrightness);

    ExpectProfileManager(Load, Qt::Key_Escape);
    answers.Then(ModalAnswers::Pick(QStringLiteral(u"加载")));
    answers.Then(ModalAnswers::Choose(saved));
    window->ClickAt(kProfileButton.x, kProfileButton.y);
    ASSERT_EQ(answers.unanswered(), 0u);
    EXPECT_EQ(session->configuration().image.keyMapBlock()[kEscMapByte], kKeyA) << "loaded";
    EXPECT_FALSE(EscMarked()) << "the window takes the state over 50 ms after the dialog closed";

    ASSERT_TRUE(QTest::qWaitFor([&] { return EscMarked(); }, 5000));
    EXPECT_EQ(window->slider(IDC_BRIGHTNESS_SLIDER)->value(), kSavedBrightness);
    DeviceImage written;
    RecordTable records{};
    ASSERT_TRUE(LoadKeymapFile(data / "keymap.bin", KeymapLoadMode::Full, written, records));
    EXPECT_EQ(written.keyMapBlock()[kEscMapByte], kKeyA);
}

}  // namespace
}  // namespace solvane
