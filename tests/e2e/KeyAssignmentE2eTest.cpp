#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "E2eSupport.h"
#include "keys/KeyMapEntry.h"
#include "sim/KeyboardFlash.h"
#include "support/DesktopSession.h"
#include "support/TempFolder.h"

namespace solvane {
namespace {

// Esc is made to send A: a click on Esc, A pressed on the keyboard, "保存" in the key
// assignment dialog and "保存" on the main window put the key into the keyboard's flash.
using KeyAssignmentE2eTest = testing::E2eTest;

TEST_F(KeyAssignmentE2eTest, EscSendsAOnceSavedToTheKeyboard) {
    constexpr std::size_t kEscEntry = 5;
    const auto escEntry = [&]() -> std::array<std::uint8_t, 4> {
        const auto flash = LoadFlashFile(state);
        if (!flash) {
            return {};
        }
        return ReadKeyMapEntry(flash->keyMap, kEscEntry).bytes;
    };
    ASSERT_EQ(escEntry(), (std::array<std::uint8_t, 4>{0x00, 0x00, 0x29, 0x00})) << "Esc as it ships";

    // The window takes clicks once it follows the pointer: Esc lights up under it.
    const QPoint esc = window + QPoint(302 + 12, 212 + 12);
    desktop->MoveTo(esc);
    ASSERT_TRUE(testing::DesktopSession::WaitFor(
        [&] {
            return testing::IsHighlighted(
                desktop->Screenshot(folder / "hover.png").pixelColor(window + QPoint(302 + 5, 212 + 5)));
        },
        10000));
    desktop->Click(esc);
    QPoint dialog;
    ASSERT_TRUE(desktop->FindWindow(QStringLiteral("当前按键：Esc.*"), dialog));
    // Without a window manager the keys go to the window under the pointer.
    desktop->MoveTo(dialog + QPoint(160, 200));
    desktop->Type(QStringLiteral("a"));
    desktop->Click(dialog + QPoint(284, 257));

    desktop->Click(window + QPoint(950, 620));
    EXPECT_TRUE(testing::DesktopSession::WaitFor(
        [&] { return escEntry() == std::array<std::uint8_t, 4>{0x00, 0x00, 0x04, 0x00}; }, 15000))
        << desktop->Describe();
}

}  // namespace
}  // namespace solvane
