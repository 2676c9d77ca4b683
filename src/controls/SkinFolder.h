#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace solvane {

// A path from UTF-8 text on every platform (the skin's file names are Chinese).
std::filesystem::path PathFromUtf8(std::string_view utf8);

// ASCII letters compare without case; every other byte must be equal.
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b);

// The entry of `folder` named `name` ignoring letter case, as the skin's names are spelt
// inconsistently ("Disable.png" and "disable.png" are one file). An exact match wins.
std::optional<std::filesystem::path> FindFileIgnoringCase(const std::filesystem::path& folder,
                                                          std::string_view name);

// The folder of the program's read-only files (png/, VER.bin, the updater): beside the
// executable when a png folder is there (build tree, portable copy), else the installed one.
// When neither has it, the executable's folder, where nothing will be found.
std::filesystem::path ChooseProgramFolder(const std::filesystem::path& executableFolder,
                                          const std::filesystem::path& installedFolder);

// The png folder of the program, or one of its sub-folders, that a skinned window draws from.
class SkinFolder {
public:
    SkinFolder() = default;
    // `subFolder` is "" for png/ itself, or "Config", "Custom", "MacroManagement".
    SkinFolder(const std::filesystem::path& programFolder, std::string_view subFolder);

    const std::filesystem::path& Path() const { return m_path; }

    // The file for an image name, looked up ignoring case; none when it is missing.
    std::optional<std::filesystem::path> Find(std::string_view imageName) const;

private:
    std::filesystem::path m_path;
};

}  // namespace solvane
