// Start-up of the real program: from starting the process to the first painted main window
// (no splash screen), and the peak memory of the process, on the offscreen platform and the
// virtual keyboard with a fresh data folder each time.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "support/TempFolder.h"

extern char** environ;

namespace solvane {
namespace {

using Clock = std::chrono::steady_clock;

struct StartRun {
    double firstPaintMs = 0;    // process start to the first-paint line, seen from outside
    double reportedMs = 0;      // what the program measured from its own start-up
    double peakResidentMiB = 0;
};

// The environment of this process with `overrides` ("NAME=value") in place of what it had.
std::vector<std::string> EnvironmentWith(const std::vector<std::string>& overrides) {
    std::vector<std::string> result;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        const auto isOverridden = [&](const std::string& override) {
            return text.compare(0, override.find('=') + 1, override, 0, override.find('=') + 1) == 0;
        };
        if (std::none_of(overrides.begin(), overrides.end(), isOverridden)) {
            result.push_back(text);
        }
    }
    result.insert(result.end(), overrides.begin(), overrides.end());
    return result;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (auto& text : texts) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

// Reads the child's output until its first line or until `deadline`.
std::optional<std::string> ReadLine(int fd, Clock::time_point deadline) {
    std::string text;
    while (text.find('\n') == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) {
            return std::nullopt;
        }
        pollfd ready{fd, POLLIN, 0};
        if (::poll(&ready, 1, static_cast<int>(left)) <= 0) {
            continue;
        }
        char buffer[256];
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count <= 0) {
            return std::nullopt;  // ended without a line
        }
        text.append(buffer, static_cast<std::size_t>(count));
    }
    return text.substr(0, text.find('\n'));
}

std::optional<StartRun> StartOnce(std::string& error) {
    testing::TempFolder data;
    testing::TempFolder runtime;  // a private single-instance lock, so a running copy does not matter
    ::chmod(runtime.path().c_str(), 0700);
    std::vector<std::string> environment =
        EnvironmentWith({"QT_QPA_PLATFORM=offscreen", "XDG_RUNTIME_DIR=" + runtime.path().string()});
    std::vector<std::string> arguments{SOLVANE_EXECUTABLE, "--simulate", "--no-splash", "--data-dir",
                                       data.path().string(), "--report-first-paint"};

    int output[2];
    if (::pipe2(output, O_CLOEXEC) != 0) {
        error = "no pipe";
        return std::nullopt;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    auto argv = Pointers(arguments);
    auto envp = Pointers(environment);

    pid_t child = 0;
    const auto start = Clock::now();
    const int spawned = ::posix_spawn(&child, SOLVANE_EXECUTABLE, &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(output[1]);
    if (spawned != 0) {
        ::close(output[0]);
        error = std::string("cannot start solvane: ") + std::strerror(spawned);
        return std::nullopt;
    }
    const auto line = ReadLine(output[0], start + std::chrono::seconds(60));
    const auto painted = Clock::now();
    ::close(output[0]);
    if (!line) {
        ::kill(child, SIGKILL);
    }
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    if (!line) {
        error = "solvane printed no first-paint time";
        return std::nullopt;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        error = "solvane did not end cleanly after its first paint";
        return std::nullopt;
    }
    StartRun run;
    run.firstPaintMs = std::chrono::duration<double, std::milli>(painted - start).count();
    run.reportedMs = std::strtod(line->c_str(), nullptr);
    run.peakResidentMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB
    return run;
}

void BM_StartToFirstPaint(benchmark::State& state) {
    double firstPaintMs = 0;
    double reportedMs = 0;
    double peakMiB = 0;
    for (auto _ : state) {
        std::string error;
        const auto run = StartOnce(error);
        if (!run) {
            state.SkipWithError(error.c_str());
            return;
        }
        state.SetIterationTime(run->firstPaintMs / 1000.0);
        firstPaintMs += run->firstPaintMs;
        reportedMs += run->reportedMs;
        peakMiB = std::max(peakMiB, run->peakResidentMiB);
    }
    const auto runs = static_cast<double>(state.iterations());
    state.counters["first_paint_ms"] = firstPaintMs / runs;
    state.counters["main_to_paint_ms"] = reportedMs / runs;
    state.counters["peak_rss_MiB"] = peakMiB;
}
BENCHMARK(BM_StartToFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(6)->UseManualTime();

}  // namespace
}  // namespace solvane

BENCHMARK_MAIN();
