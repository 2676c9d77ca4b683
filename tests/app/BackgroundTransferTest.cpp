#include <gtest/gtest.h>

#include "support/QtTestApplication.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include "app/BackgroundTransfer.h"

namespace solvane {
namespace {

TEST(BackgroundTransferTest, RunsOffTheWindowThreadAndReportsOnIt) {
    testing::TestApplication();

    BackgroundTransfer transfer;
    QThread* workerThread = nullptr;
    QThread* reportThread = nullptr;
    std::optional<Status> result;
    QObject::connect(&transfer, &BackgroundTransfer::finished, [&](Status status) {
        reportThread = QThread::currentThread();
        result = status;
    });
    ASSERT_TRUE(transfer.Start(
        [&] {
            workerThread = QThread::currentThread();
            QThread::msleep(5);
            return Status{ErrorCode::Timeout, "silent"};
        }));
    EXPECT_FALSE(transfer.Start([] { return Status::Ok(); }));

    QElapsedTimer waited;
    waited.start();
    while (!result && waited.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->code(), ErrorCode::Timeout);
    EXPECT_NE(workerThread, QThread::currentThread());
    EXPECT_EQ(reportThread, QThread::currentThread());
    EXPECT_FALSE(transfer.isRunning());
}

}  // namespace
}  // namespace solvane
