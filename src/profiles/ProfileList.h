#pragma once

#include <string>

#include "common/SortedList.h"

namespace solvane {

// The profile list as its sorted list box holds it.
using ProfileList = SortedList<std::string>;

}  // namespace solvane
