#pragma once

#include <gtest/gtest.h>

#include <QThread>

#include <filesystem>

#include "support/DesktopSession.h"

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

}  // namespace solvane::testing
