#pragma once

#include <functional>

namespace solvane {

// Waits the given number of milliseconds; 0 yields the processor. Injected so that tests can
// record the protocol's pauses instead of sleeping through them.
using PauseFunction = std::function<void(int milliseconds)>;

// The production pause: a plain sleep on the calling thread.
void SleepPause(int milliseconds);

}  // namespace solvane
