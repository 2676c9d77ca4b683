#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <filesystem>
#include <functional>
#include <string>

namespace solvane::testing {

// The test program's one application object, which the screenshots need.
inline QCoreApplication& E2eApplication() {
    if (QCoreApplication* running = QCoreApplication::instance()) {
        return *running;
    }
    static int argc = 1;
    static char name[] = "solvane-e2e-tests";
    static char* argv[] = {name, nullptr};
    static auto* application = new QCoreApplication(argc, argv);
    return *application;
}

// A private X display (Xvfb) with the program running on it, driven with xdotool as a person
// would: pointer moves, clicks, key presses, screenshots.
class DesktopSession {
public:
    static bool Available() {
        return !QStandardPaths::findExecutable("Xvfb").isEmpty() &&
               !QStandardPaths::findExecutable("xdotool").isEmpty() &&
               !QStandardPaths::findExecutable("import").isEmpty();
    }

    DesktopSession() {
        QFile::setPermissions(m_runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                    QFileDevice::ExeOwner);
        // Xvfb picks a free display itself and writes its number to standard output, so
        // parallel runs and stale displays never meet. Without -noreset the server resets when
        // its last client leaves, and a program connecting during the reset fails to start.
        // Its warnings go to a file: a pipe nobody reads could fill up and stall the server.
        m_xvfb.setStandardErrorFile(m_runtime.filePath(QStringLiteral("xvfb.log")));
        m_xvfb.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"),
                                              QStringLiteral("-screen"), QStringLiteral("0"),
                                              QStringLiteral("1280x800x24"), QStringLiteral("-nolisten"),
                                              QStringLiteral("tcp"), QStringLiteral("-noreset")});
        m_xvfb.waitForStarted();
        QByteArray number;
        WaitFor([&] {
            m_xvfb.waitForReadyRead(100);
            number += m_xvfb.readAllStandardOutput();
            return number.contains('\n');
        }, 10000);
        m_display = QStringLiteral(":") + QString::fromLatin1(number.trimmed());
        WaitFor([&] { return Run(QStringLiteral("xdotool"), {QStringLiteral("getmouselocation")}) == 0; }, 10000);
    }

    ~DesktopSession() {
        if (m_program.state() != QProcess::NotRunning) {
            m_program.kill();
            m_program.waitForFinished(5000);
        }
        m_xvfb.terminate();
        m_xvfb.waitForFinished(5000);
    }

    QProcessEnvironment Environment() const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), m_display);
        // The program's single-instance lock lives there: a private one lets this session's
        // program start beside any other instance running on the machine.
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        return environment;
    }

    void StartProgram(const QString& program, const QStringList& arguments) {
        m_program.setProcessEnvironment(Environment());
        m_program.setProcessChannelMode(QProcess::MergedChannels);
        m_program.start(program, arguments);
        m_program.waitForStarted();
    }

    QProcess& program() { return m_program; }

    // What a failed start looked like: the program's state and output, and what the display
    // shows, so a failure on a build machine can be told apart from a slow one.
    std::string Describe() {
        QString text = QStringLiteral("display %1; ").arg(m_display);
        if (m_program.state() == QProcess::NotRunning) {
            text += QStringLiteral("program ended (exit %1, %2); ")
                        .arg(m_program.exitCode())
                        .arg(m_program.exitStatus() == QProcess::CrashExit ? QStringLiteral("crashed")
                                                                           : QStringLiteral("normal"));
        } else {
            text += QStringLiteral("program running; ");
            m_program.waitForReadyRead(500);
        }
        text += QStringLiteral("output: [%1]; ").arg(QString::fromLocal8Bit(m_program.readAll()));
        QString windows;
        const int searched = Run(QStringLiteral("xdotool"),
                                 {QStringLiteral("search"), QStringLiteral("--name"), QStringLiteral(".")}, &windows);
        text += QStringLiteral("xdotool search: %1 [%2]; ").arg(searched).arg(windows.simplified());
        QFile log(m_runtime.filePath(QStringLiteral("xvfb.log")));
        if (log.open(QIODevice::ReadOnly)) {
            text += QStringLiteral("Xvfb: [%1]").arg(QString::fromLocal8Bit(log.read(4096)).simplified());
        }
        return text.toStdString();
    }

    int Run(const QString& tool, const QStringList& arguments, QString* output = nullptr) {
        QProcess process;
        process.setProcessEnvironment(Environment());
        process.start(tool, arguments);
        if (!process.waitForFinished(10000)) {
            process.kill();
            return -1;
        }
        if (output != nullptr) {
            *output = QString::fromUtf8(process.readAllStandardOutput());
        }
        return process.exitCode();
    }

    // The window's top-left corner on the screen, once it is mapped.
    bool FindWindow(const QString& title, QPoint& topLeft) {
        QString id;
        const bool found = WaitFor([&] {
            return Run(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                                   QStringLiteral("--name"), QStringLiteral("^%1$").arg(title)},
                       &id) == 0 && !id.trimmed().isEmpty();
        }, 60000);
        if (!found) {
            return false;
        }
        m_window = id.split(QLatin1Char('\n'), Qt::SkipEmptyParts).first().trimmed();
        return WindowPosition(topLeft);
    }

    bool WindowPosition(QPoint& topLeft) {
        QString shell;
        if (Run(QStringLiteral("xdotool"), {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), m_window},
                &shell) != 0) {
            return false;
        }
        for (const QString& line : shell.split(QLatin1Char('\n'))) {
            if (line.startsWith(QStringLiteral("X="))) topLeft.setX(line.mid(2).toInt());
            if (line.startsWith(QStringLiteral("Y="))) topLeft.setY(line.mid(2).toInt());
        }
        return true;
    }

    void MoveTo(QPoint p) {
        Run(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QString::number(p.x()), QString::number(p.y())});
        Settle();
    }
    void Click(QPoint p) {
        MoveTo(p);
        Run(QStringLiteral("xdotool"), {QStringLiteral("click"), QStringLiteral("1")});
        Settle();
    }
    void Drag(QPoint from, QPoint to) {
        MoveTo(from);
        Run(QStringLiteral("xdotool"), {QStringLiteral("mousedown"), QStringLiteral("1")});
        Settle();
        MoveTo((from + to) / 2);
        MoveTo(to);
        Run(QStringLiteral("xdotool"), {QStringLiteral("mouseup"), QStringLiteral("1")});
        Settle();
    }
    void Type(const QString& keys) {
        Run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("80"), keys});
        Settle();
    }

    QImage Screenshot(const std::filesystem::path& file) {
        Run(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"),
                                       QString::fromStdString(file.string())});
        return QImage(QString::fromStdString(file.string()));
    }

    static bool WaitFor(const std::function<bool()>& condition, int timeoutMs) {
        QElapsedTimer waited;
        waited.start();
        while (!condition()) {
            if (waited.elapsed() > timeoutMs) {
                return false;
            }
            QThread::msleep(50);
        }
        return true;
    }

private:
    static void Settle() { QThread::msleep(250); }

    QString m_display;
    QTemporaryDir m_runtime;
    QProcess m_xvfb;
    QProcess m_program;
    QString m_window;
};

}  // namespace solvane::testing
