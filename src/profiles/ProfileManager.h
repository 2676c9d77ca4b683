#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <span>
#include <string>

#include "common/Result.h"
#include "keys/KeyAssignment.h"
#include "link/DeviceImage.h"
#include "profiles/ProfileList.h"
#include "profiles/ProfilePathTable.h"
#include "profiles/ProfilePrompts.h"

namespace solvane {

// Profiles listed at most; the scan records one file more to tell that the folder holds more.
inline constexpr std::size_t kMaxProfiles = 6;
inline constexpr std::size_t kProfileScanLimit = kMaxProfiles + 1;

// The profile manager's rules: the profile list, its path table and the commands on the profile
// folder. The folder is the only record of the profiles: every command ends by reading it again.
//
// Load replaces `image` and `records`. The owner then takes the new state over as after a
// read-back (key marks recomputed, keymap.bin rewritten): the main window does so whenever the
// profile dialog closes; `afterLoad`, when set, runs right after each successful load for owners
// that do not wait for that.
class ProfileManager {
public:
    ProfileManager(std::filesystem::path dataFolder, DeviceImage& image, RecordTable& records,
                   ProfilePrompts& prompts);

    void setAfterLoad(std::function<void()> afterLoad) { m_afterLoad = std::move(afterLoad); }

    const std::filesystem::path& profileFolder() const { return m_profileFolder; }
    ProfileList& list() { return m_list; }
    const ProfileList& list() const { return m_list; }
    const ProfilePathTable& pathTable() const { return m_pathTable; }
    // Profile files the last scan found, up to kProfileScanLimit.
    std::size_t profileCount() const { return m_profileCount; }

    // What the dialog does as it opens: empty table, then scan and paths.
    void Open();

    // Fills the list and the table from `folder`.
    void ScanProfiles(const std::filesystem::path& folder);
    // Rewrites the table from the list, so entry i belongs to list item i.
    void RebuildProfilePaths(const std::filesystem::path& folder);
    // Empties list and table and reads the profile folder again.
    void RefreshProfiles();
    // The first of Profile001, Profile002, ... that is no listed name and no file yet.
    std::string MakeDefaultProfileName() const;

    // The commands. Each returns Ok when it did what was asked (the user's Cancel included) and
    // otherwise why not; the user has been told through the prompts wherever the dialog would.
    Status OnProfileNew();
    Status OnProfileCopy();
    Status OnProfileSave();
    Status OnProfileLoad();
    Status OnProfileDelete();
    // The in-place edit of item `editStartIndex` was accepted with a changed text: the list holds
    // the new text, selected; the path table still describes the list from before the edit.
    Status OnProfileRenamed(std::size_t editStartIndex);

private:
    std::filesystem::path ProfilePath(const std::string& name) const;
    std::string MakeCopyName(const std::string& name) const;
    // Writes a profile of a generated name, then reads the folder again.
    Status CreateProfile(const std::string& name, std::span<const std::uint8_t> bytes);
    bool IsNameTaken(const std::string& name) const;
    Status Refuse(std::string_view message);
    Status ReportFailure(std::string_view message, const Status& failure);
    FileDialogRequest DialogRequest(FileDialogMode mode) const;

    std::filesystem::path m_dataFolder;
    std::filesystem::path m_profileFolder;
    DeviceImage& m_image;
    RecordTable& m_records;
    ProfilePrompts& m_prompts;
    std::function<void()> m_afterLoad;

    ProfileList m_list;
    ProfilePathTable m_pathTable;
    std::size_t m_profileCount = 0;
};

}  // namespace solvane
