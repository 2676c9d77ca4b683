#pragma once

#include "app/Launcher.h"

namespace solvane {

// Runs programs detached in their own folder and opens everything else with the desktop's
// default application; never through a shell, so any character in a path is safe.
class DesktopLauncher final : public LaunchService {
public:
    Status Launch(const LaunchRequest& request) override;
};

}  // namespace solvane
