#include <gtest/gtest.h>

#include "support/QtTestApplication.h"

#include <fcntl.h>
#include <linux/input.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>

#include "platform/GlobalKeyMonitor.h"

namespace solvane {
namespace {

TEST(GlobalKeyMonitorTest, DeliversPressesFromAWatchedStream) {
    testing::TestApplication();

    int fds[2];
    ASSERT_EQ(::pipe2(fds, O_NONBLOCK | O_CLOEXEC), 0);
    GlobalKeyMonitor monitor;
    monitor.WatchFileDescriptor(fds[0]);
    EXPECT_EQ(monitor.source(), GlobalKeyMonitor::Source::InputEvents);
    std::vector<int> pressed;
    QObject::connect(&monitor, &GlobalKeyMonitor::keyPressed, [&](std::uint8_t key) { pressed.push_back(key); });

    input_event events[3]{};
    events[0].type = EV_KEY;
    events[0].code = KEY_F7;
    events[0].value = 1;
    events[1].type = EV_KEY;
    events[1].code = KEY_F7;
    events[1].value = 2;
    events[2].type = EV_KEY;
    events[2].code = KEY_F7;
    events[2].value = 0;
    ASSERT_EQ(::write(fds[1], events, sizeof events), static_cast<ssize_t>(sizeof events));

    QElapsedTimer waited;
    waited.start();
    while (pressed.empty() && waited.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    EXPECT_EQ(pressed, (std::vector<int>{0x76}));
    ::close(fds[1]);
}

}  // namespace
}  // namespace solvane
