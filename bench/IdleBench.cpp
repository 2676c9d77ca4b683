// What watching for launch keys costs while nothing happens: CPU time over 10 s idle with the
// program's key monitor, against a loop that asks for the state of all 255 keys every 20 ms.
// The X11 figures run on a private Xvfb display; without Xvfb only the input-event figure runs.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

#include "platform/GlobalKeyMonitor.h"

extern char** environ;

namespace solvane {
namespace {

constexpr int kIdleMs = 10000;
constexpr int kKeyCount = 255;

// A private X display for this run; the server is ended with the object.
class XvfbDisplay {
public:
    XvfbDisplay() {
        int number[2];
        if (::pipe2(number, O_CLOEXEC) != 0) {
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, number[1], 3);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        // The server writes its display number to fd 3. Without -noreset it would reset when
        // its last client leaves, and a client connecting during the reset fails.
        char* argv[] = {const_cast<char*>("Xvfb"), const_cast<char*>("-displayfd"), const_cast<char*>("3"),
                        const_cast<char*>("-screen"), const_cast<char*>("0"), const_cast<char*>("640x480x24"),
                        const_cast<char*>("-nolisten"), const_cast<char*>("tcp"), const_cast<char*>("-noreset"),
                        nullptr};
        const int spawned = ::posix_spawnp(&m_pid, "Xvfb", &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(number[1]);
        if (spawned != 0) {
            m_pid = 0;
            ::close(number[0]);
            return;
        }
        std::string text;
        pollfd ready{number[0], POLLIN, 0};
        char buffer[32];
        while (text.find('\n') == std::string::npos && ::poll(&ready, 1, 10000) > 0) {
            const ssize_t count = ::read(number[0], buffer, sizeof buffer);
            if (count <= 0) {
                break;
            }
            text.append(buffer, static_cast<std::size_t>(count));
        }
        ::close(number[0]);
        if (text.find('\n') != std::string::npos) {
            m_display = ":" + text.substr(0, text.find('\n'));
        }
    }
    ~XvfbDisplay() {
        if (m_pid > 0) {
            ::kill(m_pid, SIGTERM);
            ::waitpid(m_pid, nullptr, 0);
        }
    }
    XvfbDisplay(const XvfbDisplay&) = delete;
    XvfbDisplay& operator=(const XvfbDisplay&) = delete;

    // Empty when the server could not be started.
    const std::string& display() const { return m_display; }
    pid_t pid() const { return m_pid; }

private:
    pid_t m_pid = 0;
    std::string m_display;
};

double ProcessCpuMs() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// User and system time of another process (the X server), from /proc.
double OtherProcessCpuMs(pid_t pid) {
    if (pid <= 0) {
        return 0;
    }
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    // Fields after the command name, which is in parentheses and may hold blanks.
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    double ticks = 0;
    for (int index = 3; fields >> field && index <= 15; ++index) {
        if (index == 14 || index == 15) {
            ticks += std::strtod(field.c_str(), nullptr);
        }
    }
    return ticks * 1000.0 / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

struct IdleCost {
    double cpuMs = 0;
    double serverCpuMs = 0;
};

// Runs the event loop for the idle period and returns the CPU time spent meanwhile.
IdleCost MeasureIdle(pid_t server) {
    const double cpuBefore = ProcessCpuMs();
    const double serverBefore = OtherProcessCpuMs(server);
    QEventLoop loop;
    QTimer::singleShot(kIdleMs, &loop, &QEventLoop::quit);
    loop.exec();
    return {ProcessCpuMs() - cpuBefore, OtherProcessCpuMs(server) - serverBefore};
}

xcb_connection_t* X11Connection() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

// The state of every key code, one server round trip per key, as a key-state function asked
// key by key would.
int QueryEveryKey(xcb_connection_t* connection) {
    int down = 0;
    for (int key = 1; key <= kKeyCount; ++key) {
        xcb_query_keymap_reply_t* reply = xcb_query_keymap_reply(connection, xcb_query_keymap(connection), nullptr);
        if (reply != nullptr) {
            down += (reply->keys[key / 8] >> (key % 8)) & 1;
            std::free(reply);
        }
    }
    return down;
}

void BM_IdleCost(benchmark::State& state, const XvfbDisplay* server) {
    const pid_t serverPid = server ? server->pid() : 0;
    for (auto _ : state) {
        IdleCost events;
        {
            // The keyboard's event node, as the monitor watches it when it can read it; a pipe
            // nobody writes to is that node while no key is pressed.
            int fds[2];
            if (::pipe2(fds, O_NONBLOCK | O_CLOEXEC) != 0) {
                state.SkipWithError("no pipe");
                return;
            }
            GlobalKeyMonitor monitor;
            monitor.WatchFileDescriptor(fds[0]);
            events = MeasureIdle(serverPid);
            ::close(fds[1]);
        }
        state.counters["monitor_events_cpu_ms"] = events.cpuMs;
        state.SetIterationTime(kIdleMs / 1000.0);
        if (server == nullptr || X11Connection() == nullptr) {
            state.SetLabel("X11 figures skipped: no X display (Xvfb missing or failed to start)");
            continue;
        }

        GlobalKeyMonitor monitor;
        monitor.Start();
        if (monitor.source() != GlobalKeyMonitor::Source::X11Polling) {
            state.SetLabel("X11 figures skipped: the key monitor reads keyboard event nodes here");
            continue;
        }
        const IdleCost x11 = MeasureIdle(serverPid);
        monitor.Stop();

        xcb_connection_t* connection = X11Connection();
        QTimer poll;
        poll.setInterval(GlobalKeyMonitor::kPollIntervalMs);
        int ticks = 0;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            benchmark::DoNotOptimize(QueryEveryKey(connection));
            ++ticks;
        });
        poll.start();
        const IdleCost polling = MeasureIdle(serverPid);
        poll.stop();

        state.counters["monitor_x11_cpu_ms"] = x11.cpuMs;
        state.counters["monitor_x11_server_cpu_ms"] = x11.serverCpuMs;
        state.counters["poll255_cpu_ms"] = polling.cpuMs;
        state.counters["poll255_server_cpu_ms"] = polling.serverCpuMs;
        state.counters["poll255_ticks"] = ticks;
        state.counters["poll255_over_monitor_x11"] = polling.cpuMs / x11.cpuMs;
        // With the event nodes the idle monitor may use no measurable time at all.
        state.counters["poll255_over_monitor_events"] =
            events.cpuMs > 0 ? polling.cpuMs / events.cpuMs : 0.0;
        state.SetIterationTime(2 * kIdleMs / 1000.0);  // adds to the first period
    }
}

}  // namespace
}  // namespace solvane

int main(int argc, char** argv) {
    using namespace solvane;
    std::optional<XvfbDisplay> server;
    server.emplace();
    if (server->display().empty()) {
        std::cerr << "Xvfb not found or did not start: only the input-event idle figure is measured.\n";
        server.reset();
        qputenv("QT_QPA_PLATFORM", "offscreen");
    } else {
        qputenv("DISPLAY", server->display().c_str());
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    int status = 0;
    {
        QGuiApplication application(argc, argv);
        benchmark::RegisterBenchmark("BM_IdleCost", BM_IdleCost, server ? &*server : nullptr)
            ->Unit(benchmark::kSecond)
            ->Iterations(1)
            ->UseManualTime();
        benchmark::Initialize(&argc, argv);
        if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
            status = 1;
        } else {
            benchmark::RunSpecifiedBenchmarks();
            benchmark::Shutdown();
        }
    }
    return status;
}
