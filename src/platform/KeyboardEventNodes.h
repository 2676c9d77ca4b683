#pragma once

#include <string>
#include <vector>

namespace solvane {

// The /dev/input/event* nodes that belong to the keyboard's USB device (any of its interfaces).
std::vector<std::string> FindKeyboardEventNodes();

}  // namespace solvane
