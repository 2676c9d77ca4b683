// A profile's round trip through the real program on a private X display, driven with xdotool:
// a key assigned in the window is saved into a new profile, the factory reset takes it away,
// loading the profile brings it back.
#include <gtest/gtest.h>

#include "e2e/E2eSupport.h"
#include "keys/KeyMapEntry.h"
#include "keys/KeymapFile.h"
#include "sim/KeyboardFlash.h"
#include "support/DesktopSession.h"
#include "support/TempFolder.h"

namespace solvane {
namespace {

QString FromPath(const std::filesystem::path& path) {
    return QString::fromStdU16String(path.u16string());
}

constexpr std::size_t kEscMapByte = 4 * 5 + 2;
constexpr std::uint8_t kKeyA = 0x04;
// Where things are in the main window and, one pixel up and left of it, the profile manager.
const QPoint kEscKey(302 + 5, 212 + 5);
const QPoint kKeyDialogSave(284, 257);
const QPoint kProfileButton(50, 620);
const QPoint kRestoreButton(820, 620);
const QPoint kNewButton(40, 600);
const QPoint kFirstProfile(30, 34 + 8);
const QPoint kDialogCorner(-1, -1);

class ProfilesE2eTest : public testing::E2eTest {
protected:
    QStringList VisibleWindows(const QString& title) {
        QString ids;
        desktop->Run(QStringLiteral("xdotool"),
                     {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                      QStringLiteral("^%1$").arg(title)},
                     &ids);
        return ids.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    bool WaitShown(const QString& title, bool shown = true, int timeoutMs = 10000) {
        return testing::DesktopSession::WaitFor([&] { return VisibleWindows(title).isEmpty() != shown; },
                                                timeoutMs);
    }
    // Keys reach a window once it has the input focus, a little after it appeared.
    bool WaitFocused(const QString& title) {
        return testing::DesktopSession::WaitFor(
            [&] {
                QString name;
                return desktop->Run(QStringLiteral("xdotool"),
                                    {QStringLiteral("getwindowfocus"), QStringLiteral("getwindowname")},
                                    &name) == 0 &&
                       name.trimmed() == title;
            },
            5000);
    }

    void Keys(QStringList keys) {
        keys.prepend(QStringLiteral("80"));
        keys.prepend(QStringLiteral("--delay"));
        keys.prepend(QStringLiteral("key"));
        desktop->Run(QStringLiteral("xdotool"), keys);
    }

    // Presses `key` in the window `title` until it closes.
    bool CloseWithKey(const QString& title, const QString& key) {
        for (int attempt = 0; attempt < 4; ++attempt) {
            WaitFocused(title);
            Keys({key});
            if (WaitShown(title, false, 2000)) {
                return true;
            }
        }
        return false;
    }

    // The profile button; the window takes clicks once it follows the pointer.
    bool OpenProfileManager() {
        for (int attempt = 0; attempt < 3; ++attempt) {
            desktop->Click(window + kProfileButton);
            if (WaitShown(QStringLiteral(u"配置管理"), true, 3000)) {
                return true;
            }
        }
        return false;
    }

    // With the pointer away from the keys, Esc is drawn as changed or not.
    bool EscShownChanged() {
        desktop->MoveTo(QPoint(1270, 790));
        const QImage shot = desktop->Screenshot(folder / "screen.png");
        seen = shot.isNull() ? QStringLiteral("no screenshot")
                             : QStringLiteral("window at %1,%2, Esc %3")
                                   .arg(window.x())
                                   .arg(window.y())
                                   .arg(shot.pixelColor(window + kEscKey).name());
        return !shot.isNull() && testing::IsHighlighted(shot.pixelColor(window + kEscKey));
    }

    // Chooses the menu's item `row` (0 新建 ... 4 删除) for the first profile, which opens the
    // window `opens`.
    bool ChooseForFirstProfile(int row, const QString& opens) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            desktop->Click(window + kDialogCorner + kFirstProfile);
            desktop->Run(QStringLiteral("xdotool"), {QStringLiteral("click"), QStringLiteral("3")});
            // The menu is a second window of the program's name.
            const auto menuShown = [&] { return VisibleWindows(QStringLiteral("Solvane")).size() > 1; };
            testing::DesktopSession::WaitFor(menuShown, 3000);
            QStringList keys;
            for (int i = 0; i <= row; ++i) {
                keys << QStringLiteral("Down");
            }
            keys << QStringLiteral("Return");
            Keys(keys);
            if (WaitShown(opens, true, 3000)) {
                return true;
            }
            if (menuShown()) {
                Keys({QStringLiteral("Escape")});
            }
        }
        return false;
    }

    std::filesystem::path data = folder / "data";
    QString seen;  // what the last look at Esc found
};

TEST_F(ProfilesE2eTest, ALoadedProfileBringsBackAKeyTheFactoryResetTookAway) {
    ASSERT_FALSE(EscShownChanged()) << seen.toStdString();

    // A new profile.
    ASSERT_TRUE(OpenProfileManager());
    desktop->Click(window + kDialogCorner + kNewButton);
    const auto profile = data / "Configure" / "Profile001.bin";
    ASSERT_TRUE(testing::DesktopSession::WaitFor([&] { return std::filesystem::exists(profile); }, 5000));
    ASSERT_TRUE(CloseWithKey(QStringLiteral(u"配置管理"), QStringLiteral("Escape")));

    // Esc sends A: a click on Esc, A pressed, "保存" in the key assignment dialog.
    desktop->Click(window + kEscKey);
    QPoint keyDialog;
    ASSERT_TRUE(desktop->FindWindow(QStringLiteral("当前按键：Esc.*"), keyDialog));
    desktop->MoveTo(keyDialog + QPoint(160, 200));  // the keys go to the window under the pointer
    desktop->Type(QStringLiteral("a"));
    desktop->Click(keyDialog + kKeyDialogSave);
    ASSERT_TRUE(testing::DesktopSession::WaitFor([&] { return EscShownChanged(); }, 10000))
        << seen.toStdString();

    // The profile receives the state; the save dialog's export is declined.
    ASSERT_TRUE(OpenProfileManager());
    ASSERT_TRUE(ChooseForFirstProfile(2, QStringLiteral(u"另存为")));  // 保存
    ASSERT_TRUE(CloseWithKey(QStringLiteral(u"另存为"), QStringLiteral("Escape")));
    ASSERT_TRUE(testing::DesktopSession::WaitFor(
        [&] { return std::filesystem::file_size(profile) == keymap_file::kSize; }, 5000));
    ASSERT_TRUE(CloseWithKey(QStringLiteral(u"配置管理"), QStringLiteral("Escape")));

    // The factory reset, confirmed.
    desktop->Click(window + kRestoreButton);
    ASSERT_TRUE(WaitShown(QStringLiteral(u"出厂设置")));
    ASSERT_TRUE(CloseWithKey(QStringLiteral(u"出厂设置"), QStringLiteral("Return")));
    ASSERT_TRUE(testing::DesktopSession::WaitFor([&] { return !EscShownChanged(); }, 20000))
        << seen.toStdString();

    // Loading the profile from its own file.
    ASSERT_TRUE(OpenProfileManager());
    ASSERT_TRUE(ChooseForFirstProfile(3, QStringLiteral(u"打开")));  // 加载
    ASSERT_TRUE(WaitFocused(QStringLiteral(u"打开")));
    Keys({QStringLiteral("ctrl+a")});
    desktop->Run(QStringLiteral("xdotool"), {QStringLiteral("type"), QStringLiteral("--delay"),
                                             QStringLiteral("10"), FromPath(profile)});
    Keys({QStringLiteral("Return")});
    ASSERT_TRUE(WaitShown(QStringLiteral(u"打开"), false));
    ASSERT_TRUE(CloseWithKey(QStringLiteral(u"配置管理"), QStringLiteral("Escape")));

    EXPECT_TRUE(testing::DesktopSession::WaitFor([&] { return EscShownChanged(); }, 5000))
        << "Esc is shown as changed again; " << seen.toStdString();
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
