// WriteAll and ReadAll against the virtual keyboard with real sleeps. The figure that matters is
// wall time over the sum of the protocol's pauses (the physical floor): overhead/pauses.
#include <benchmark/benchmark.h>

#include <chrono>

#include "link/Sequences.h"
#include "sim/VirtualKeyboard.h"

namespace solvane {
namespace {

template <class Sequence>
void RunAgainstVirtualKeyboard(benchmark::State& state, Sequence sequence) {
    VirtualKeyboard keyboard;
    long long pausedMs = 0;
    KeyboardLink link(keyboard, [&](int ms) {
        pausedMs += ms;
        SleepPause(ms);
    });
    if (!link.FindKeyboardPath() || !link.OpenKeyboard()) {
        state.SkipWithError("virtual keyboard not found");
        return;
    }
    DeviceImage image;
    double wallSeconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (!sequence(link, image)) {
            state.SkipWithError("sequence failed");
            return;
        }
        wallSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    state.counters["pause_ms"] = static_cast<double>(pausedMs) / static_cast<double>(state.iterations());
    state.counters["wall_over_pauses"] = wallSeconds * 1000.0 / static_cast<double>(pausedMs);
}

void BM_WriteAll(benchmark::State& state) {
    RunAgainstVirtualKeyboard(state, [](KeyboardLink& link, DeviceImage& image) { return WriteAll(link, image); });
}
BENCHMARK(BM_WriteAll)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_ReadAll(benchmark::State& state) {
    RunAgainstVirtualKeyboard(state, [](KeyboardLink& link, DeviceImage& image) { return ReadAll(link, image); });
}
BENCHMARK(BM_ReadAll)->Unit(benchmark::kMillisecond)->Iterations(20)->UseRealTime();

}  // namespace
}  // namespace solvane

BENCHMARK_MAIN();
