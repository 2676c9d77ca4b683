// A profile's round trip through the real program on a private X display, driven with xdotool:
// a changed key is saved into a new profile, the factory reset takes it away, loading the
// profile brings it back.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include "keys/KeyMapEntry.h"
#include "keys/KeymapFile.h"
#include "sim/KeyboardFlash.h"
#include "support/DesktopSession.h"
#include "support/TempFolder.h"

namespace solvane {
namespace {

QCoreApplication& Application() {
    static int argc = 1;
    static char name[] = "solvane-profiles-e2e-tests";
    static char* argv[] = {name, nullptr};
    static auto* application = new QCoreApplication(argc, argv);
    return *application;
}

QString FromPath(const std::filesystem::path& path) {
    return QString::fromStdU16String(path.u16string());
}

constexpr std::size_t kEscMapByte = 4 * 5 + 2;
constexpr std::uint8_t kKeyA = 0x04;
// Where things are in the main window and, one pixel up and left of it, the profile manager.
const QPoint kEscKey(302 + 5, 212 + 5);
const QPoint kProfileButton(50, 620);
const QPoint kRestoreButton(820, 620);
const QPoint kNewButton(40, 600);
const QPoint kFirstProfile(30, 34 + 8);
const QPoint kDialogCorner(-1, -1);

bool IsHighlighted(const QColor& colour) { return colour.red() > colour.green() + 80; }

class ProfilesE2eTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application();
        if (!testing::DesktopSession::Available()) {
            GTEST_SKIP() << "Xvfb, xdotool or import is missing";
        }
        desktop = std::make_unique<testing::DesktopSession>();
    }

    // solvane-cli on the same virtual keyboard and data folder.
    int Cli(QStringList arguments) {
        arguments.prepend(FromPath(data.path()));
        arguments.prepend(QStringLiteral("--data-dir"));
        arguments.prepend(QStringLiteral("--simulate=") + FromPath(state));
        QProcess cli;
        cli.start(QStringLiteral(SOLVANE_CLI_EXECUTABLE), arguments);
        return cli.waitForFinished(20000) ? cli.exitCode() : -1;
    }

    bool WindowShown(const QString& title) {
        QString ids;
        return desktop->Run(QStringLiteral("xdotool"),
                            {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                             QStringLiteral("^%1$").arg(title)},
                            &ids) == 0 &&
               !ids.trimmed().isEmpty();
    }
    bool WaitShown(const QString& title, bool shown = true) {
        return testing::DesktopSession::WaitFor([&] { return WindowShown(title) == shown; }, 10000);
    }

    void Keys(QStringList keys) {
        keys.prepend(QStringLiteral("80"));
        keys.prepend(QStringLiteral("--delay"));
        keys.prepend(QStringLiteral("key"));
        desktop->Run(QStringLiteral("xdotool"), keys);
    }

    // With the pointer away from the keys, Esc is drawn as changed or not.
    bool EscShownChanged() {
        desktop->MoveTo(QPoint(1270, 790));
        const QImage shot = desktop->Screenshot(data / "screen.png");
        return !shot.isNull() && IsHighlighted(shot.pixelColor(window + kEscKey));
    }

    // Selects the first profile and chooses the menu's item `row` (0 新建 ... 4 删除).
    void ChooseForFirstProfile(int row) {
        desktop->Click(window + kDialogCorner + kFirstProfile);
        desktop->Run(QStringLiteral("xdotool"), {QStringLiteral("click"), QStringLiteral("3")});
        QStringList keys;
        for (int i = 0; i <= row; ++i) {
            keys << QStringLiteral("Down");
        }
        keys << QStringLiteral("Return");
        Keys(keys);
    }

    void CloseProfileManagerWithEscape() {
        desktop->MoveTo(window + QPoint(130, 300));
        Keys({QStringLiteral("Escape")});
        ASSERT_TRUE(WaitShown(QStringLiteral(u"配置管理"), false));
    }

    testing::TempFolder data;
    std::filesystem::path state = data / "kb.state";
    std::unique_ptr<testing::DesktopSession> desktop;
    QPoint window;
};

TEST_F(ProfilesE2eTest, ALoadedProfileBringsBackAKeyTheFactoryResetTookAway) {
    // Esc sends A, on the keyboard too.
    ASSERT_EQ(Cli({QStringLiteral("read")}), 0);
    ASSERT_EQ(Cli({QStringLiteral("assign"), QStringLiteral("Esc"), QStringLiteral("key"), QStringLiteral("A")}), 0);
    ASSERT_EQ(Cli({QStringLiteral("write")}), 0);

    desktop->StartProgram(QStringLiteral(SOLVANE_EXECUTABLE),
                          {QStringLiteral("--simulate=") + FromPath(state), QStringLiteral("--data-dir"),
                           FromPath(data.path()), QStringLiteral("--no-splash")});
    ASSERT_TRUE(desktop->FindWindow(QStringLiteral("Solvane"), window)) << desktop->program().readAll().toStdString();
    ASSERT_TRUE(testing::DesktopSession::WaitFor([&] { return EscShownChanged(); }, 10000));

    // A new profile receives the state; the save dialog's export is declined.
    desktop->Click(window + kProfileButton);
    ASSERT_TRUE(WaitShown(QStringLiteral(u"配置管理")));
    desktop->Click(window + kDialogCorner + kNewButton);
    const auto profile = data / "Configure" / "Profile001.bin";
    ASSERT_TRUE(testing::DesktopSession::WaitFor([&] { return std::filesystem::exists(profile); }, 5000));
    ChooseForFirstProfile(2);  // 保存
    ASSERT_TRUE(WaitShown(QStringLiteral(u"另存为")));
    Keys({QStringLiteral("Escape")});
    ASSERT_TRUE(testing::DesktopSession::WaitFor(
        [&] { return std::filesystem::file_size(profile) == keymap_file::kSize; }, 5000));
    CloseProfileManagerWithEscape();

    // The factory reset, confirmed.
    desktop->Click(window + kRestoreButton);
    ASSERT_TRUE(WaitShown(QStringLiteral(u"出厂设置")));
    Keys({QStringLiteral("Return")});
    ASSERT_TRUE(testing::DesktopSession::WaitFor(
        [&] {
            const auto flash = LoadFlashFile(state);
            return flash && flash->keyMap[kEscMapByte] == FactoryKeyMap[kEscMapByte];
        },
        20000));
    ASSERT_TRUE(testing::DesktopSession::WaitFor([&] { return !EscShownChanged(); }, 20000));

    // Loading the profile from its own file.
    desktop->Click(window + kProfileButton);
    ASSERT_TRUE(WaitShown(QStringLiteral(u"配置管理")));
    ChooseForFirstProfile(3);  // 加载
    ASSERT_TRUE(WaitShown(QStringLiteral(u"打开")));
    Keys({QStringLiteral("ctrl+a")});
    desktop->Run(QStringLiteral("xdotool"), {QStringLiteral("type"), QStringLiteral("--delay"),
                                             QStringLiteral("10"), FromPath(profile)});
    Keys({QStringLiteral("Return")});
    ASSERT_TRUE(WaitShown(QStringLiteral(u"打开"), false));
    CloseProfileManagerWithEscape();

    EXPECT_TRUE(testing::DesktopSession::WaitFor([&] { return EscShownChanged(); }, 5000))
        << "Esc is shown as changed again";
    DeviceImage image;
    RecordTable records{};
    ASSERT_TRUE(LoadKeymapFile(data / "keymap.bin", KeymapLoadMode::Full, image, records));
    EXPECT_EQ(image.keyMapBlock()[kEscMapByte], kKeyA) << "and keymap.bin holds it";
    const auto flash = LoadFlashFile(state);
    ASSERT_TRUE(flash);
    EXPECT_EQ(flash->keyMap[kEscMapByte], FactoryKeyMap[kEscMapByte]) << "nothing was sent to the keyboard";
}

}  // namespace
}  // namespace solvane
