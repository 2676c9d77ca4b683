#include "profiles/ProfileManager.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "common/AtomicFile.h"
#include "common/ListOrder.h"
#include "keys/KeymapFile.h"
#include "profiles/ProfileFiles.h"
#include "profiles/ProfileMessages.h"
#include "profiles/ProfileNames.h"

namespace solvane {

ProfileManager::ProfileManager(std::filesystem::path dataFolder, DeviceImage& image,
                               RecordTable& records, ProfilePrompts& prompts)
    : m_dataFolder(std::move(dataFolder)),
      m_profileFolder(ProfileFolderIn(m_dataFolder)),
      m_image(image),
      m_records(records),
      m_prompts(prompts) {}

void ProfileManager::Open() {
    m_list.Clear();
    m_pathTable.Clear();
    ScanProfiles(m_profileFolder);
    RebuildProfilePaths(m_profileFolder);
}

void ProfileManager::ScanProfiles(const std::filesystem::path& folder) {
    m_profileCount = 0;
    struct Found {
        std::string name;
        std::filesystem::path path;
    };
    std::vector<Found> found;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) {
            continue;
        }
        auto name = ProfileNameOfFile(it->path().filename().string());
        auto path = folder / it->path().filename();
        if (name && ProfilePathFits(path)) {
            found.push_back({std::move(*name), std::move(path)});
        }
    }
    // The file system's order is arbitrary; taking the files in list order makes the six that are
    // listed (when the folder holds more) the same every time.
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        const int order = CompareListText(a.name, b.name);
        return order != 0 ? order < 0 : a.name < b.name;
    });
    for (auto& file : found) {
        m_pathTable.Set(m_profileCount, std::move(file.path));
        ++m_profileCount;
        if (m_profileCount == kProfileScanLimit) {
            break;  // recorded in the table, never listed
        }
        m_list.Add(std::move(file.name));
    }
}

void ProfileManager::RebuildProfilePaths(const std::filesystem::path& folder) {
    for (std::size_t i = 0; i < m_list.size(); ++i) {
        m_pathTable.Set(i, folder / ProfileFileName(m_list.at(i)));
    }
}

void ProfileManager::RefreshProfiles() {
    m_list.Clear();
    m_pathTable.Clear();
    ScanProfiles(m_profileFolder);
    RebuildProfilePaths(m_profileFolder);
}

std::filesystem::path ProfileManager::ProfilePath(const std::string& name) const {
    return m_profileFolder / ProfileFileName(name);
}

bool ProfileManager::IsNameTaken(const std::string& name) const {
    std::error_code error;
    return m_list.Contains(name) ||
           std::filesystem::exists(std::filesystem::symlink_status(ProfilePath(name), error));
}

std::string ProfileManager::MakeDefaultProfileName() const {
    // The list and the folder are finite, so a free number always comes.
    for (std::size_t n = 1;; ++n) {
        std::string name = std::string(profile_text::kDefaultNamePrefix) + std::to_string(n);
        if (!IsNameTaken(name)) {
            return name;
        }
    }
}

std::string ProfileManager::MakeCopyName(const std::string& name) const {
    const std::string base = std::string(profile_text::kCopyPrefix) + name;
    for (std::size_t k = 0;; ++k) {
        std::string candidate = k == 0 ? base : base + " " + std::to_string(k);
        if (!IsNameTaken(candidate)) {
            return candidate;
        }
    }
}

Status ProfileManager::Refuse(std::string_view message) {
    m_prompts.ShowMessage(profile_text::kCaption, message);
    return {ErrorCode::InvalidArgument, std::string(message)};
}

Status ProfileManager::ReportFailure(std::string_view message, const Status& failure) {
    m_prompts.ShowMessage(profile_text::kCaption, std::string(message) + failure.message() + "\n");
    return failure;
}

FileDialogRequest ProfileManager::DialogRequest(FileDialogMode mode) const {
    FileDialogRequest request;
    request.mode = mode;
    request.startFolder = m_dataFolder;
    return request;
}

Status ProfileManager::OnProfileNew() {
    if (m_list.size() >= kMaxProfiles) {
        return Refuse(profile_text::kTooManyProfiles);
    }
    // A new profile holds a zeroed DeviceImage and no records.
    return CreateProfile(MakeDefaultProfileName(), std::vector<std::uint8_t>(image::kSize, 0));
}

Status ProfileManager::OnProfileCopy() {
    const auto name = m_list.selectedText();
    if (!name) {
        return Refuse(profile_text::kSelectToCopy);
    }
    if (m_list.size() >= kMaxProfiles) {
        return {ErrorCode::InvalidArgument, "no room for a copy: six profiles are listed"};
    }
    auto source = ReadProfileForCopy(ProfilePath(*name));
    if (!source) {
        RefreshProfiles();
        return ReportFailure(profile_text::kCannotRead, source.status());
    }
    return CreateProfile(MakeCopyName(*name), source.value());
}

Status ProfileManager::CreateProfile(const std::string& name, std::span<const std::uint8_t> bytes) {
    if (auto valid = CheckProfileName(m_profileFolder, name); !valid) {
        return Refuse(valid.message());
    }
    const Status written = WriteFileAtomically(ProfilePath(name), bytes);
    RefreshProfiles();
    return written ? written : ReportFailure(profile_text::kCannotWrite, written);
}

Status ProfileManager::OnProfileSave() {
    const auto selected = m_list.selection();
    if (!selected) {
        return Refuse(profile_text::kSelectToSave);
    }
    const auto exportPath = m_prompts.ChooseFile(DialogRequest(FileDialogMode::Save));
    // The selected profile receives the state whether or not the user also exported it.
    Status outcome = SaveKeymapFile(m_pathTable.at(*selected), m_image, m_records);
    if (!outcome) {
        ReportFailure(profile_text::kCannotWrite, outcome);
    }
    if (exportPath) {
        if (Status exported = SaveKeymapFile(*exportPath, m_image, m_records); !exported) {
            outcome = ReportFailure(profile_text::kCannotWrite, exported);
        }
    }
    return outcome;
}

Status ProfileManager::OnProfileLoad() {
    const auto selected = m_list.selection();
    if (!selected) {
        return Refuse(profile_text::kSelectToLoad);
    }
    const auto chosen = m_prompts.ChooseFile(DialogRequest(FileDialogMode::Open));
    if (!chosen) {
        return Status::Ok();  // cancelled: the profile keeps what it holds
    }
    if (Status read = ReadProfileFile(*chosen, m_image, m_records); !read) {
        return read.code() == ErrorCode::InvalidArgument
                   ? Refuse(read.message())
                   : ReportFailure(profile_text::kCannotRead, read);
    }
    const Status written = SaveKeymapFile(m_pathTable.at(*selected), m_image, m_records);
    if (m_afterLoad) {
        m_afterLoad();
    }
    return written ? written : ReportFailure(profile_text::kCannotWrite, written);
}

Status ProfileManager::OnProfileDelete() {
    if (m_list.size() == 1) {
        return Refuse(profile_text::kKeepOneProfile);
    }
    const auto selected = m_list.selection();
    if (!selected) {
        return Refuse(profile_text::kSelectToDelete);
    }
    Status removed;
    if (m_prompts.AskOkCancel(profile_text::kCaption, profile_text::kConfirmDelete)) {
        removed = RemoveProfileFile(m_pathTable.at(*selected));
    }
    RefreshProfiles();
    return removed ? removed : ReportFailure(profile_text::kCannotDelete, removed);
}

Status ProfileManager::OnProfileRenamed(std::size_t editStartIndex) {
    const auto typed = m_list.selectedText();
    const std::filesystem::path oldPath = m_pathTable.at(editStartIndex);
    if (!typed || oldPath.empty()) {
        RefreshProfiles();
        return {ErrorCode::InvalidArgument, "no profile was renamed"};
    }
    const std::string name = ProfileNameFromTyped(*typed);
    if (auto valid = CheckProfileName(m_profileFolder, name); !valid) {
        // The list shows the refused text until it is read again.
        RefreshProfiles();
        return Refuse(valid.message());
    }
    const auto newPath = ProfilePath(name);
    if (newPath == oldPath) {
        RefreshProfiles();
        return Status::Ok();
    }
    // An existing profile of the new name is replaced.
    Status moved = MoveProfileFile(oldPath, newPath);
    if (!moved) {
        m_prompts.ShowMessage(profile_text::kApplicationTitle, profile_text::kFail);
    }
    RefreshProfiles();
    return moved;
}

}  // namespace solvane
