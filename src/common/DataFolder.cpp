#include "common/DataFolder.h"

#include <cstdlib>
#include <system_error>

namespace solvane {
namespace {

std::optional<std::string> NonEmpty(const std::optional<std::string>& value) {
    if (value && !value->empty()) {
        return value;
    }
    return std::nullopt;
}

std::optional<std::string> Environment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr) {
        return std::nullopt;
    }
    return std::string(value);
}

}  // namespace

Result<std::filesystem::path> ChooseDataFolder(const DataFolderSources& sources) {
    if (auto option = NonEmpty(sources.option)) {
        return std::filesystem::path(*option);
    }
    if (auto dir = NonEmpty(sources.solvaneDataDir)) {
        return std::filesystem::path(*dir);
    }
    if (auto xdg = NonEmpty(sources.xdgDataHome)) {
        return std::filesystem::path(*xdg) / "solvane";
    }
    if (auto home = NonEmpty(sources.home)) {
        return std::filesystem::path(*home) / ".local" / "share" / "solvane";
    }
    return Status{ErrorCode::InvalidArgument,
                  "no data folder: set --data-dir, SOLVANE_DATA_DIR or HOME"};
}

DataFolderSources DataFolderSourcesFromEnvironment() {
    DataFolderSources sources;
    sources.solvaneDataDir = Environment("SOLVANE_DATA_DIR");
    sources.xdgDataHome = Environment("XDG_DATA_HOME");
    sources.home = Environment("HOME");
    return sources;
}

Result<std::filesystem::path> PrepareDataFolder(const DataFolderSources& sources) {
    auto folder = ChooseDataFolder(sources);
    if (!folder) {
        return folder;
    }
    std::error_code error;
    std::filesystem::create_directories(folder.value(), error);
    if (error) {
        return Status{ErrorCode::FileError,
                      "cannot create data folder " + folder->string() + ": " + error.message()};
    }
    return folder;
}

}  // namespace solvane
