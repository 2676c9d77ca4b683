#include <gtest/gtest.h>

#include "support/QtTestApplication.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <fstream>

#include "platform/DesktopLauncher.h"
#include "support/TempFolder.h"

namespace solvane {
namespace {

TEST(DesktopLauncherTest, RunsAProgramDetachedInItsOwnFolderWhateverItsName) {
    testing::TestApplication();

    testing::TempFolder folder;
    // Characters a shell would act on must reach the program as a plain name.
    const auto sub = folder / "my tools; $(touch pwned) & 'x'";
    std::filesystem::create_directories(sub);
    const auto script = sub / "write marker.sh";
    {
        std::ofstream out(script);
        out << "#!/bin/sh\npwd > started-here\n";
    }
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);

    DesktopLauncher launcher;
    ASSERT_TRUE(launcher.Launch({KIND_LAUNCH_PROGRAM, script, sub}));

    const auto marker = sub / "started-here";
    QElapsedTimer waited;
    waited.start();
    while (!std::filesystem::exists(marker) && waited.elapsed() < 10000) {
        QThread::msleep(20);
    }
    ASSERT_TRUE(std::filesystem::exists(marker));
    // Give the shell a moment to finish writing the line.
    std::string line;
    while (line.empty() && waited.elapsed() < 10000) {
        std::ifstream in(marker);
        std::getline(in, line);
        if (line.empty()) QThread::msleep(20);
    }
    EXPECT_EQ(std::filesystem::path(line), sub);
    EXPECT_FALSE(std::filesystem::exists(folder / "pwned"));
    EXPECT_FALSE(std::filesystem::exists(sub / "pwned"));
}

}  // namespace
}  // namespace solvane
