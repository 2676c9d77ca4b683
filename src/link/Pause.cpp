#include "link/Pause.h"

#include <chrono>
#include <thread>

namespace solvane {

void SleepPause(int milliseconds) {
    if (milliseconds <= 0) {
        std::this_thread::yield();
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace solvane
