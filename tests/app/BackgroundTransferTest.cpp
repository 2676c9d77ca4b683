#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include "app/BackgroundTransfer.h"

namespace solvane {
namespace {

TEST(BackgroundTransferTest, RunsOffTheWindowThreadAndReportsOnIt) {
    int argc = 1;
    char name[] = "test";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);

    BackgroundTransfer transfer;
    QThread* workerThread = nullptr;
    QThread* reportThread = nullptr;
    std::optional<Status> result;
    QObject::connect(&transfer, &BackgroundTransfer::finished, [&](Status status) {
        reportThread = QThread::currentThread();
        result = status;
    });
    ASSERT_TRUE(transfer.Start(
        [&](const PauseFunction& pause) {
            workerThread = QThread::currentThread();
            pause(5);
            pause(5);
            return Status{ErrorCode::Timeout, "silent"};
        },
        10));
    EXPECT_FALSE(transfer.Start([](const PauseFunction&) { return Status::Ok(); }, 0));

    QElapsedTimer waited;
    waited.start();
    while (!result && waited.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->code(), ErrorCode::Timeout);
    EXPECT_NE(workerThread, QThread::currentThread());
    EXPECT_EQ(reportThread, QThread::currentThread());
    EXPECT_DOUBLE_EQ(transfer.progress(), 1.0);
    EXPECT_FALSE(transfer.isRunning());
}

}  // namespace
}  // namespace solvane
