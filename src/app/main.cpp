#include <QApplication>
#include <QMessageBox>

#include <QEvent>
#include <QTimer>

#include <chrono>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "app/AppDialogs.h"
#include "app/AppSession.h"
#include "app/MainWindow.h"
#include "common/DataFolder.h"
#include "controls/ProgramFolder.h"
#include "controls/SkinImage.h"
#include "platform/DesktopLauncher.h"
#include "platform/HidapiTransport.h"
#include "platform/SingleInstance.h"
#include "sim/VirtualKeyboard.h"

#ifndef SOLVANE_SUPPORT_URL
#define SOLVANE_SUPPORT_URL ""
#endif

namespace {

struct Options {
    bool simulate = false;
    std::optional<std::string> stateFile;
    std::optional<std::string> dataDir;
    bool noSplash = false;
    bool reportFirstPaint = false;
    bool help = false;
};

constexpr const char* kUsage =
    "Usage: solvane [--simulate[=STATE_FILE]] [--data-dir DIR] [--no-splash] [--report-first-paint]\n"
    "               [--help]\n"
    "Configures the keyboard: key assignments, macros, lighting, performance and profiles.\n"
    "\n"
    "  --simulate[=STATE_FILE]  use the built-in virtual keyboard; with STATE_FILE it keeps\n"
    "                           its settings across runs\n"
    "  --data-dir DIR           folder of keymap.bin, MacroDefine.bin and the profiles\n"
    "                           (default $SOLVANE_DATA_DIR, else $XDG_DATA_HOME/solvane)\n"
    "  --no-splash              start without the splash screen\n"
    "  --report-first-paint     print the milliseconds from start-up to the first paint of the\n"
    "                           main window as one line, then end (for measuring start-up)\n";

std::optional<Options> Parse(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--simulate") {
            options.simulate = true;
        } else if (argument.starts_with("--simulate=") && argument.size() > 11) {
            options.simulate = true;
            options.stateFile = argument.substr(11);
        } else if (argument == "--data-dir" && i + 1 < argc) {
            options.dataDir = argv[++i];
        } else if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--no-splash") {
            options.noSplash = true;
        } else if (argument == "--report-first-paint") {
            options.reportFirstPaint = true;
        } else {
            return std::nullopt;
        }
    }
    return options;
}

// Prints the time since `start` once the watched window has finished its first paint, then
// ends the event loop.
class FirstPaintReport final : public QObject {
public:
    explicit FirstPaintReport(std::chrono::steady_clock::time_point start) : m_start(start) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // Queued, so it runs once the paint itself is done.
            QTimer::singleShot(0, this, [this] {
                const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - m_start;
                std::cout << elapsed.count() << std::endl;
                QCoreApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::chrono::steady_clock::time_point m_start;
    bool m_seen = false;
};

}  // namespace

int main(int argc, char** argv) {
    using namespace solvane;
    const auto started = std::chrono::steady_clock::now();
    const auto options = Parse(argc, argv);
    if (!options) {
        std::cerr << kUsage;
        return 2;
    }
    if (options->help) {
        std::cout << kUsage;
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Solvane"));
    // The window hides in the tray; only "退出" or the close button end the program.
    QApplication::setQuitOnLastWindowClosed(false);

    SingleInstance instance;
    if (!instance.acquired()) {
        QMessageBox::information(nullptr, QStringLiteral("Solvane"), QStringLiteral("The Profile is running."));
        return 0;
    }

    DataFolderSources sources = DataFolderSourcesFromEnvironment();
    sources.option = options->dataDir;
    const auto dataFolder = PrepareDataFolder(sources);
    if (!dataFolder) {
        QMessageBox::critical(nullptr, QStringLiteral("Solvane"), QString::fromStdString(dataFolder.status().message()));
        return 1;
    }

    std::unique_ptr<HidTransport> transport;
    if (options->simulate) {
        VirtualKeyboardOptions sim;
        if (options->stateFile) {
            sim.stateFile = *options->stateFile;
        }
        transport = std::make_unique<VirtualKeyboard>(std::move(sim));
    } else {
        transport = std::make_unique<HidapiTransport>();
    }

    AppSession session(*transport, SleepPause, AppFolders{ProgramFolderOfThisProcess(), dataFolder.value()});
    SkinImageCache images;
    DesktopLauncher launcher;
    AppDialogs dialogs(session, images);
    MainWindowOptions windowOptions;
    windowOptions.showSplash = !options->noSplash;
    windowOptions.supportUrl = QStringLiteral(SOLVANE_SUPPORT_URL);
    CVelmoraDlg window(session, images, launcher, dialogs, windowOptions);
    FirstPaintReport firstPaint(started);
    if (options->reportFirstPaint) {
        window.installEventFilter(&firstPaint);
    }
    window.Initialise();
    return app.exec();
}
