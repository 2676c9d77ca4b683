#include "controls/ProgramFolder.h"

#include <QtCore/QCoreApplication>

#include "controls/SkinFolder.h"

namespace solvane {

std::filesystem::path ProgramFolderOfThisProcess() {
    const std::filesystem::path executableFolder(
        QCoreApplication::applicationDirPath().toStdU16String());
    return ChooseProgramFolder(executableFolder,
                               (executableFolder / PathFromUtf8(SOLVANE_DATA_FROM_BIN)).lexically_normal());
}

}  // namespace solvane
