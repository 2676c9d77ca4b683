// The main window on Qt's offscreen platform and the virtual keyboard: what one full paint
// costs with the image cache and with every image read from disk again, and how long a launch
// key takes from its input event to the launch request.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <linux/input.h>
#include <unistd.h>

#include <QApplication>
#include <QEventLoop>
#include <QImage>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <functional>
#include <memory>
#include <numeric>
#include <vector>

#include "app/AppSession.h"
#include "app/MainWindow.h"
#include "controls/ResourceBitmaps.h"
#include "controls/SkinImage.h"
#include "common/Utf16.h"
#include "platform/GlobalKeyMonitor.h"
#include "sim/VirtualKeyboard.h"
#include "support/TempFolder.h"

namespace solvane {
namespace {

using Clock = std::chrono::steady_clock;

// Either the program's cache or a fresh read of every image at every request, switchable
// between paints so both paints run on the same window.
class SwitchableImages final : public SkinImageSource {
public:
    QImage Load(const std::filesystem::path& file) override {
        ++requests;
        return reload ? LoadSkinBitmap(file) : m_cache.Load(file);
    }
    QImage Bitmap(int id) override {
        ++requests;
        return reload ? LoadResourceBitmap(id) : m_cache.Bitmap(id);
    }

    bool reload = false;
    long long requests = 0;

private:
    SkinImageCache m_cache;
};

class NoDialogs final : public SecondaryDialogs {
public:
    bool RunKeyAssignment(QWidget*, AssignmentDraft&) override { return false; }
    bool RunMacroManager(QWidget*, MacroStore&) override { return false; }
    void RunProfileManager(QWidget*, const QRect&) override {}
};

// Starts nothing: notes when each request arrived.
class RecordingLauncher final : public LaunchService {
public:
    Status Launch(const LaunchRequest&) override {
        arrived.push_back(Clock::now());
        if (onLaunch) {
            onLaunch();
        }
        return Status::Ok();
    }
    std::vector<Clock::time_point> arrived;
    std::function<void()> onLaunch;
};

// The main window as the program builds it, on a virtual keyboard that answers without pauses,
// once its start-up read-back is done.
struct MainWindowRig {
    explicit MainWindowRig(bool watchDevices)
        : keyboard(QuickKeyboard()),
          session(keyboard, nullptr, AppFolders{SOLVANE_BUILD_DIR, data.path()}) {
        MainWindowOptions options;
        options.showSplash = false;
        options.watchDevices = watchDevices;
        options.trayAvailable = false;
        window = std::make_unique<CVelmoraDlg>(session, images, launcher, dialogs, options);
        window->setAskUser([](const QString&, const QString&, QMessageBox::StandardButtons) {
            return QMessageBox::Cancel;
        });
        bool finished = false;
        const auto connection =
            QObject::connect(window.get(), &CVelmoraDlg::transferFinished, [&finished] { finished = true; });
        window->Initialise();
        const auto deadline = Clock::now() + std::chrono::seconds(10);
        while (session.link().IsOpen() && !finished && Clock::now() < deadline) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        QObject::disconnect(connection);
        ready = session.link().IsOpen() && finished;
    }

    static VirtualKeyboardOptions QuickKeyboard() {
        VirtualKeyboardOptions options;
        options.waitForTimeout = nullptr;
        return options;
    }

    testing::TempFolder data;
    VirtualKeyboard keyboard;
    AppSession session;
    SwitchableImages images;
    RecordingLauncher launcher;
    NoDialogs dialogs;
    std::unique_ptr<CVelmoraDlg> window;
    bool ready = false;
};

double Milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

// The whole window (background, keyboard, panel, sliders) rendered as a repaint renders it,
// once through the cache and once reading every image from disk again.
void BM_MainWindowPaint(benchmark::State& state) {
    MainWindowRig rig(false);
    if (!rig.ready) {
        state.SkipWithError("the main window did not finish starting on the virtual keyboard");
        return;
    }
    QImage target(rig.window->size(), QImage::Format_RGB32);
    rig.window->render(&target);  // warms the cache, as the first paint of a run does
    Clock::duration cached{};
    Clock::duration reloaded{};
    long long requests = 0;
    for (auto _ : state) {
        rig.images.reload = false;
        const auto start = Clock::now();
        rig.window->render(&target);
        const auto middle = Clock::now();
        rig.images.reload = true;
        const long long before = rig.images.requests;
        rig.window->render(&target);
        const auto end = Clock::now();
        requests += rig.images.requests - before;
        cached += middle - start;
        reloaded += end - middle;
        benchmark::DoNotOptimize(target.constBits());
    }
    const auto paints = static_cast<double>(state.iterations());
    state.counters["cached_ms"] = Milliseconds(cached) / paints;
    state.counters["reloaded_ms"] = Milliseconds(reloaded) / paints;
    state.counters["reloaded_over_cached"] = Milliseconds(reloaded) / Milliseconds(cached);
    state.counters["images_per_paint"] = static_cast<double>(requests) / paints;
}
BENCHMARK(BM_MainWindowPaint)->Unit(benchmark::kMillisecond)->Iterations(30)->UseRealTime();

constexpr std::uint16_t kLaunchInputCode = KEY_F7;
constexpr std::uint8_t kLaunchVirtualKey = 0x76;  // VK_F7

// A key press enters the window's key monitor through a pipe standing in for the keyboard's
// event node; the time runs until the launch request reaches the (recording) launcher.
void BM_KeyToLaunchLatency(benchmark::State& state) {
    MainWindowRig rig(true);
    if (!rig.ready || rig.window->keyMonitor() == nullptr) {
        state.SkipWithError("the main window did not start its key monitor on the virtual keyboard");
        return;
    }
    auto& records = rig.session.configuration().records;
    auto record = std::find_if(records.begin(), records.end(),
                               [](const KeyAssignment& r) { return r.defaultCode == kLaunchVirtualKey; });
    if (record == records.end()) {
        state.SkipWithError("no key record for F7");
        return;
    }
    const std::filesystem::path target = rig.data / "launched-program";
    { std::ofstream(target) << "#!/bin/sh\n"; }
    record->kind = KIND_LAUNCH_PROGRAM;
    if (!SetRecordPath(*record, Utf8ToUtf16(target.string()))) {
        state.SkipWithError("the launch path does not fit a record");
        return;
    }

    int fds[2];
    if (::pipe2(fds, O_NONBLOCK | O_CLOEXEC) != 0) {
        state.SkipWithError("no pipe");
        return;
    }
    rig.window->keyMonitor()->WatchFileDescriptor(fds[0]);
    input_event events[2]{};
    events[0].type = EV_KEY;
    events[0].code = kLaunchInputCode;
    events[0].value = 1;
    events[1] = events[0];
    events[1].value = 0;

    QEventLoop loop;
    QTimer stuck;
    stuck.setSingleShot(true);
    QObject::connect(&stuck, &QTimer::timeout, &loop, &QEventLoop::quit);
    rig.launcher.onLaunch = [&loop] { loop.quit(); };

    std::vector<double> microseconds;
    for (auto _ : state) {
        const std::size_t launches = rig.launcher.arrived.size();
        const auto written = Clock::now();
        if (::write(fds[1], events, sizeof events) != static_cast<ssize_t>(sizeof events)) {
            state.SkipWithError("the pipe took no event");
            break;
        }
        stuck.start(2000);
        loop.exec();
        stuck.stop();
        if (rig.launcher.arrived.size() != launches + 1) {
            state.SkipWithError("the key press did not reach the launcher");
            break;
        }
        microseconds.push_back(
            std::chrono::duration<double, std::micro>(rig.launcher.arrived.back() - written).count());
    }
    ::close(fds[1]);
    if (microseconds.empty()) {
        return;
    }
    std::sort(microseconds.begin(), microseconds.end());
    const auto at = [&](double fraction) {
        return microseconds[static_cast<std::size_t>(fraction * static_cast<double>(microseconds.size() - 1))];
    };
    state.counters["mean_us"] =
        std::accumulate(microseconds.begin(), microseconds.end(), 0.0) / static_cast<double>(microseconds.size());
    state.counters["p50_us"] = at(0.50);
    state.counters["p99_us"] = at(0.99);
    state.counters["max_us"] = microseconds.back();
}
BENCHMARK(BM_KeyToLaunchLatency)->Unit(benchmark::kMicrosecond)->Iterations(500)->UseRealTime();

}  // namespace
}  // namespace solvane

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
