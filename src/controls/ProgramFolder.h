#pragma once

#include <filesystem>

namespace solvane {

// The folder of this program's read-only files: beside the running executable when its png
// folder is there, else the installed share/solvane folder (ChooseProgramFolder).
std::filesystem::path ProgramFolderOfThisProcess();

}  // namespace solvane
