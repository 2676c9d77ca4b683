#pragma once

#include <numeric>
#include <string>
#include <vector>

#include "link/KeyboardLink.h"
#include "link/Trace.h"
#include "sim/VirtualKeyboard.h"

namespace solvane::testing {

// A virtual keyboard behind a tracing transport, and a link whose pauses are recorded instead
// of slept. `log` holds every operation in the format of solvane-cli --trace.
struct TracedKeyboard {
    explicit TracedKeyboard(VirtualKeyboardOptions options = QuickOptions())
        : keyboard(std::move(options)),
          traced(keyboard, [this](std::string_view line) { log.emplace_back(line); }),
          link(traced, TracingPause(nullptr, [this](std::string_view line) { log.emplace_back(line); })) {}

    static VirtualKeyboardOptions QuickOptions() {
        VirtualKeyboardOptions options;
        options.waitForTimeout = nullptr;  // time-outs return at once
        return options;
    }

    bool Connect() { return link.FindKeyboardPath() && link.OpenKeyboard(); }

    // Lines that start with `prefix` ("pause", "set", "write" ...).
    std::vector<std::string> Lines(std::string_view prefix) const {
        std::vector<std::string> result;
        for (const auto& line : log) {
            if (line.starts_with(prefix)) {
                result.push_back(line);
            }
        }
        return result;
    }

    int PauseTotal() const {
        int total = 0;
        for (const auto& line : Lines("pause ")) {
            total += std::stoi(line.substr(6));
        }
        return total;
    }

    VirtualKeyboard keyboard;
    std::vector<std::string> log;
    TracingTransport traced;
    KeyboardLink link;
};

}  // namespace solvane::testing
