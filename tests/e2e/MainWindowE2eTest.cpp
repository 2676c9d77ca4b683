#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "E2eSupport.h"
#include "sim/KeyboardFlash.h"
#include "support/DesktopSession.h"
#include "support/TempFolder.h"

namespace solvane {
namespace {

using MainWindowE2eTest = testing::E2eTest;

TEST_F(MainWindowE2eTest, HoverSectionsEffectSaveDragAndClose) {
    // Hovering Esc lights it up at its rectangle; F1 stays dark.
    desktop->MoveTo(window + QPoint(302 + 12, 212 + 12));
    QImage shot;
    EXPECT_TRUE(testing::DesktopSession::WaitFor(
        [&] {
            shot = desktop->Screenshot(folder / "hover.png");
            return !shot.isNull() && testing::IsHighlighted(shot.pixelColor(window + QPoint(302 + 5, 212 + 5)));
        },
        10000));
    EXPECT_FALSE(testing::IsHighlighted(shot.pixelColor(window + QPoint(364 + 5, 212 + 5))));

    // Open the lighting section, choose the fifth effect (code 0x05) and close the section again.
    desktop->Click(window + QPoint(100, 118));
    desktop->Click(window + QPoint(60, 162));
    desktop->Click(window + QPoint(60, 173 + 20 * 4 + 10));
    desktop->Click(window + QPoint(100, 118));
    // Save sends it to the keyboard.
    desktop->Click(window + QPoint(950, 620));
    ASSERT_TRUE(testing::DesktopSession::WaitFor(
        [&] {
            const auto flash = LoadFlashFile(state);
            return flash && flash->ledEffect == 0x05;
        },
        15000));
    // The save goes on with the key map and the macro blocks; the window takes input again when
    // the keyboard's state has stopped changing.
    auto lastChange = std::filesystem::last_write_time(state);
    QElapsedTimer quiet;
    quiet.start();
    ASSERT_TRUE(testing::DesktopSession::WaitFor(
        [&] {
            const auto now = std::filesystem::last_write_time(state);
            if (now != lastChange) {
                lastChange = now;
                quiet.restart();
            }
            return quiet.elapsed() > 800;
        },
        15000));

    // Dragging the empty background moves the window.
    desktop->Drag(window + QPoint(640, 40), window + QPoint(700, 90));
    QPoint moved;
    ASSERT_TRUE(desktop->WindowPosition(moved));
    EXPECT_EQ(moved, window + QPoint(60, 50));

    // The close button ends the program.
    desktop->Click(moved + QPoint(985, 12));
    EXPECT_TRUE(desktop->program().waitForFinished(10000));
}

}  // namespace
}  // namespace solvane
