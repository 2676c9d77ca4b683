#pragma once

#include <gtest/gtest.h>

#include <QColor>
#include <QThread>

#include <filesystem>
#include <memory>

#include "support/DesktopSession.h"
#include "support/TempFolder.h"

namespace solvane::testing {

// Starts the program on the virtual keyboard with its flash in `folder`/kb.state and its files
// in `folder`/data, and waits until its window is up and the keyboard has been read (the
// read-back writes keymap.bin). `window` is the main window's top-left corner.
inline ::testing::AssertionResult StartOnVirtualKeyboard(DesktopSession& desktop,
                                                         const std::filesystem::path& folder, QPoint& window) {
    desktop.StartProgram(QStringLiteral(SOLVANE_EXECUTABLE),
                         {QStringLiteral("--simulate=") + QString::fromStdString((folder / "kb.state").string()),
                          QStringLiteral("--data-dir"), QString::fromStdString((folder / "data").string())});
    if (!desktop.FindWindow(QStringLiteral("Solvane"), window)) {
        return ::testing::AssertionFailure() << "no window: " << desktop.Describe();
    }
    if (!DesktopSession::WaitFor([&] { return std::filesystem::exists(folder / "data" / "keymap.bin"); },
                                 10000)) {
        return ::testing::AssertionFailure() << "the keyboard was not read";
    }
    QThread::msleep(500);
    return ::testing::AssertionSuccess();
}

// A key drawn with the accent colour of a highlighted or changed key, not the grey of a plain one.
inline bool IsHighlighted(const QColor& colour) { return colour.red() > colour.green() + 80; }

// A test on the program running on the virtual keyboard on a private display: the program is
// up and the keyboard read when the test body starts; skipped where the display tools are missing.
class E2eTest : public ::testing::Test {
protected:
    void SetUp() override {
        E2eApplication();
        if (!DesktopSession::Available()) {
            GTEST_SKIP() << "Xvfb, xdotool or import is missing";
        }
        desktop = std::make_unique<DesktopSession>();
        ASSERT_TRUE(StartOnVirtualKeyboard(*desktop, folder.path(), window));
    }

    TempFolder folder;
    std::filesystem::path state = folder / "kb.state";  // the virtual keyboard's flash
    std::unique_ptr<DesktopSession> desktop;
    QPoint window;  // the main window's top-left corner
};

}  // namespace solvane::testing
