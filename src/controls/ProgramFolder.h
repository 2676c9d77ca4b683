#pragma once

#include <filesystem>

namespace solvane {

// The folder of this program's read-only files: beside the running executable when its png
// folder is there, else share/solvane of the prefix the executable is installed in
// (ChooseProgramFolder).
std::filesystem::path ProgramFolderOfThisProcess();

}  // namespace solvane
