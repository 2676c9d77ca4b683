#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>

#include "support/TempFolder.h"

namespace solvane {
namespace {

// The start-up measurement: the program paints its window once, prints how long that took
// and ends by itself.
TEST(FirstPaintReportTest, PrintsTheTimeOfTheFirstPaintAndEnds) {
    testing::TempFolder data;
    testing::TempFolder runtime;
    std::filesystem::permissions(runtime.path(), std::filesystem::perms::owner_all);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(runtime.path().string()));

    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(SOLVANE_EXECUTABLE),
                  {QStringLiteral("--simulate"), QStringLiteral("--no-splash"), QStringLiteral("--data-dir"),
                   QString::fromStdString(data.path().string()), QStringLiteral("--report-first-paint")});
    ASSERT_TRUE(program.waitForStarted(10000));
    const bool ended = program.waitForFinished(60000);
    if (!ended) {
        program.kill();
        program.waitForFinished(5000);
    }
    ASSERT_TRUE(ended) << "the program did not end after its first paint";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);

    const QStringList lines =
        QString::fromLocal8Bit(program.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1) << lines.join(QLatin1Char('|')).toStdString();
    bool isNumber = false;
    const double milliseconds = lines.front().trimmed().toDouble(&isNumber);
    EXPECT_TRUE(isNumber) << lines.front().toStdString();
    EXPECT_GT(milliseconds, 0.0);
}

}  // namespace
}  // namespace solvane
