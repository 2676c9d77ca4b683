#include "controls/SkinFolder.h"

#include <string>
#include <system_error>

namespace solvane {
namespace {

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string Utf8Of(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {reinterpret_cast<const char*>(text.data()), text.size()};
}

bool HasEntryIgnoringCase(const std::filesystem::path& folder, std::string_view name) {
    return FindFileIgnoringCase(folder, name).has_value();
}

}  // namespace

std::filesystem::path PathFromUtf8(std::string_view utf8) {
    return std::filesystem::path(
        std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) {
            return false;
        }
    }
    return true;
}

std::optional<std::filesystem::path> FindFileIgnoringCase(const std::filesystem::path& folder,
                                                          std::string_view name) {
    if (name.empty()) {
        return std::nullopt;
    }
    std::error_code error;
    const std::filesystem::path exact = folder / PathFromUtf8(name);
    if (std::filesystem::exists(exact, error)) {
        return exact;
    }
    std::filesystem::directory_iterator entries(folder, error);
    if (error) {
        return std::nullopt;
    }
    for (const auto& entry : entries) {
        if (EqualIgnoringAsciiCase(Utf8Of(entry.path().filename()), name)) {
            return entry.path();
        }
    }
    return std::nullopt;
}

std::filesystem::path ChooseProgramFolder(const std::filesystem::path& executableFolder,
                                          const std::filesystem::path& installedFolder) {
    if (HasEntryIgnoringCase(executableFolder, "png")) {
        return executableFolder;
    }
    if (!installedFolder.empty() && HasEntryIgnoringCase(installedFolder, "png")) {
        return installedFolder;
    }
    return executableFolder;
}

SkinFolder::SkinFolder(const std::filesystem::path& programFolder, std::string_view subFolder) {
    m_path = FindFileIgnoringCase(programFolder, "png").value_or(programFolder / "png");
    if (!subFolder.empty()) {
        m_path = FindFileIgnoringCase(m_path, subFolder).value_or(m_path / PathFromUtf8(subFolder));
    }
}

std::optional<std::filesystem::path> SkinFolder::Find(std::string_view imageName) const {
    if (m_path.empty()) {
        return std::nullopt;
    }
    return FindFileIgnoringCase(m_path, imageName);
}

}  // namespace solvane
