#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "common/Result.h"

namespace solvane {

// Where the program keeps the files it writes (keymap.bin, MacroDefine.bin, Configure/).
struct DataFolderSources {
    std::optional<std::string> option;          // --data-dir
    std::optional<std::string> solvaneDataDir;  // $SOLVANE_DATA_DIR
    std::optional<std::string> xdgDataHome;     // $XDG_DATA_HOME
    std::optional<std::string> home;            // $HOME
};

// The first non-empty source wins: option, $SOLVANE_DATA_DIR, $XDG_DATA_HOME/solvane,
// $HOME/.local/share/solvane.
Result<std::filesystem::path> ChooseDataFolder(const DataFolderSources& sources);

// The sources as this process's environment gives them (the option left empty).
DataFolderSources DataFolderSourcesFromEnvironment();

// Chooses the folder and creates it when missing.
Result<std::filesystem::path> PrepareDataFolder(const DataFolderSources& sources);

}  // namespace solvane
