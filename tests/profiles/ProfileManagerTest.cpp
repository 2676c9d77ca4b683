#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "keys/KeymapFile.h"
#include "profiles/FolderSnapshot.h"
#include "profiles/ProfileManager.h"
#include "profiles/ProfileMessages.h"
#include "support/TempFolder.h"

namespace solvane {
namespace {

using testing::FileBytes;
using testing::Pattern;
using testing::SnapshotTree;
using Names = std::vector<std::string>;

// Answers the manager's questions as a test sets them and records what it was asked.
class ScriptedPrompts : public ProfilePrompts {
public:
    struct Message {
        std::string caption;
        std::string text;
    };

    void ShowMessage(std::string_view caption, std::string_view text) override {
        messages.push_back({std::string(caption), std::string(text)});
    }
    bool AskOkCancel(std::string_view caption, std::string_view text) override {
        questions.push_back({std::string(caption), std::string(text)});
        return answerOk;
    }
    std::optional<std::filesystem::path> ChooseFile(const FileDialogRequest& request) override {
        dialogs.push_back(request);
        return file;
    }

    std::vector<Message> messages;
    std::vector<Message> questions;
    std::vector<FileDialogRequest> dialogs;
    bool answerOk = true;
    std::optional<std::filesystem::path> file;
};

class ProfileManagerTest : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::create_directories(folder); }

    void Put(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        ASSERT_TRUE(WriteFileAtomically(folder / (name + ".bin"), bytes));
    }
    void PutAll(const Names& names) {
        for (const auto& name : names) Put(name, Pattern(image::kSize, 0));
    }
    Names Listed() const { return manager.list().items(); }
    void Select(const std::string& name) {
        manager.list().SelectText(name);
        ASSERT_TRUE(manager.list().selection()) << name;
    }
    Status Rename(const std::string& from, const std::string& to) {
        const auto& items = manager.list().items();
        const auto index = static_cast<std::size_t>(std::find(items.begin(), items.end(), from) - items.begin());
        EXPECT_TRUE(manager.list().AcceptEdit(index, to));
        return manager.OnProfileRenamed(index);
    }
    Names MessageTexts() const {
        Names texts;
        for (const auto& m : prompts.messages) texts.push_back(m.text);
        return texts;
    }
    // The bytes a profile holding the in-memory state has.
    std::vector<std::uint8_t> StateBytes() const {
        std::vector<std::uint8_t> bytes(image.bytes().begin(), image.bytes().end());
        const auto* raw = reinterpret_cast<const std::uint8_t*>(records->data());
        bytes.insert(bytes.end(), raw, raw + sizeof(RecordTable));
        return bytes;
    }
    void FillState(std::uint8_t seed) {
        const auto bytes = Pattern(keymap_file::kSize, seed);
        std::copy_n(bytes.begin(), image::kSize, image.bytes().begin());
        std::memcpy(static_cast<void*>(records->data()), bytes.data() + image::kSize, sizeof(RecordTable));
    }

    testing::TempFolder data;
    std::filesystem::path folder = data / "Configure";
    DeviceImage image;
    std::unique_ptr<RecordTable> records = std::make_unique<RecordTable>();
    ScriptedPrompts prompts;
    ProfileManager manager{data.path(), image, *records, prompts};
    int loads = 0;
};

TEST_F(ProfileManagerTest, ListsSixProfilesAndRecordsASeventhWithoutListingIt) {
    const Names seven{"a", "B", "c", "D", "e", "F", "g"};
    for (std::size_t count : {6u, 7u}) {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder / "dir.bin");
        PutAll(Names(seven.begin(), seven.begin() + static_cast<std::ptrdiff_t>(count)));
        ASSERT_TRUE(WriteFileAtomically(folder / "notes.txt", {}));
        ASSERT_TRUE(WriteFileAtomically(folder / "UPPER.BIN", Pattern(image::kSize, 0)));
        manager.Open();
        EXPECT_EQ(Listed(), Names(seven.begin(), seven.begin() + 6)) << count;
        EXPECT_EQ(manager.profileCount(), count);
        for (std::size_t i = 0; i < 6; ++i) {
            EXPECT_EQ(manager.pathTable().at(i), folder / (seven[i] + ".bin"));
        }
        EXPECT_EQ(manager.pathTable().at(6), count == 7 ? folder / "g.bin" : std::filesystem::path());

        // No room for another profile: New says so, Copy says nothing; neither creates a file.
        const auto before = SnapshotTree(data.path());
        prompts.messages.clear();
        EXPECT_EQ(manager.OnProfileNew().code(), ErrorCode::InvalidArgument);
        Select("a");
        EXPECT_EQ(manager.OnProfileCopy().code(), ErrorCode::InvalidArgument);
        EXPECT_EQ(MessageTexts(), Names{std::string(profile_text::kTooManyProfiles)});
        EXPECT_EQ(prompts.messages[0].caption, profile_text::kCaption);
        EXPECT_EQ(SnapshotTree(data.path()), before);
    }
}

TEST_F(ProfileManagerTest, NewTakesTheFirstFreeDefaultName) {
    struct Case {
        Names existing;
        std::string created;
    };
    const Case cases[] = {
        {{}, "Profile001"},
        {{"Profile002"}, "Profile001"},
        {{"Profile001", "Profile003"}, "Profile002"},
        {{"Profile001", "Profile002", "Profile003", "Profile004", "Profile005"}, "Profile006"},
        {{"profile001"}, "Profile001"},
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        PutAll(c.existing);
        manager.Open();
        ASSERT_TRUE(manager.OnProfileNew());
        EXPECT_EQ(FileBytes(folder / (c.created + ".bin")), std::vector<std::uint8_t>(image::kSize, 0));
        EXPECT_EQ(Listed().size(), c.existing.size() + 1);
        EXPECT_TRUE(manager.list().Contains(c.created)) << c.created;
    }
    // A name whose file exists is no free name, even when the file is not listed.
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder / "Profile001.bin");
    manager.Open();
    ASSERT_TRUE(manager.OnProfileNew());
    EXPECT_EQ(Listed(), Names{"Profile002"});
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(ProfileManagerTest, CopiesAreNumberedAndHoldTheSourceBytes) {
    const auto source = Pattern(keymap_file::kSize, 5);
    Put("Profile001", source);
    manager.Open();
    for (int i = 0; i < 3; ++i) {
        Select("Profile001");
        ASSERT_TRUE(manager.OnProfileCopy());
    }
    EXPECT_EQ(Listed(), (Names{"Profile001", "复制 Profile001", "复制 Profile001 1", "复制 Profile001 2"}));
    for (const char* copy : {"复制 Profile001", "复制 Profile001 1", "复制 Profile001 2"}) {
        EXPECT_EQ(FileBytes(folder / (std::string(copy) + ".bin")), source) << copy;
    }
    // A profile made by New copies as one block.
    ASSERT_TRUE(manager.OnProfileNew());
    Select("Profile002");
    ASSERT_TRUE(manager.OnProfileCopy());
    EXPECT_EQ(std::filesystem::file_size(folder / "复制 Profile002.bin"), image::kSize);
    EXPECT_TRUE(prompts.messages.empty());

    // A source that has gone since the list was read is said so, and nothing is created.
    std::filesystem::remove(folder / "复制 Profile002.bin");
    manager.Open();
    std::filesystem::remove(folder / "Profile002.bin");
    Select("Profile002");
    EXPECT_EQ(manager.OnProfileCopy().code(), ErrorCode::FileError);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_TRUE(prompts.messages[0].text.starts_with(profile_text::kCannotRead));
    EXPECT_EQ(Listed(), (Names{"Profile001", "复制 Profile001", "复制 Profile001 1", "复制 Profile001 2"}));
}

TEST_F(ProfileManagerTest, CommandsThatNeedASelectionSaySoAndTouchNothing) {
    PutAll({"A", "B"});
    manager.Open();
    const auto before = SnapshotTree(data.path());
    struct Case {
        Status (ProfileManager::*command)();
        std::string_view message;
    };
    const Case cases[] = {
        {&ProfileManager::OnProfileCopy, profile_text::kSelectToCopy},
        {&ProfileManager::OnProfileSave, profile_text::kSelectToSave},
        {&ProfileManager::OnProfileLoad, profile_text::kSelectToLoad},
        {&ProfileManager::OnProfileDelete, profile_text::kSelectToDelete},
    };
    for (const auto& c : cases) {
        prompts.messages.clear();
        EXPECT_FALSE((manager.*c.command)());
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].text, c.message);
        EXPECT_EQ(prompts.messages[0].caption, profile_text::kCaption);
    }
    EXPECT_TRUE(prompts.dialogs.empty());
    EXPECT_TRUE(prompts.questions.empty());
    EXPECT_EQ(SnapshotTree(data.path()), before);
}

TEST_F(ProfileManagerTest, TheLastProfileCannotBeDeletedSelectedOrNot) {
    PutAll({"Only"});
    manager.Open();
    for (bool selected : {false, true}) {
        manager.list().Select(selected ? std::optional<std::size_t>(0) : std::nullopt);
        prompts.messages.clear();
        EXPECT_FALSE(manager.OnProfileDelete());
        EXPECT_EQ(MessageTexts(), Names{std::string(profile_text::kKeepOneProfile)});
    }
    EXPECT_TRUE(prompts.questions.empty());
    EXPECT_TRUE(std::filesystem::exists(folder / "Only.bin"));
}

TEST_F(ProfileManagerTest, DeleteAsksFirstAndReadsTheFolderAgainEitherWay) {
    PutAll({"A", "B"});
    manager.Open();
    PutAll({"C"});  // made outside the program since the list was read

    Select("A");
    prompts.answerOk = false;
    ASSERT_TRUE(manager.OnProfileDelete());
    ASSERT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(prompts.questions[0].caption, profile_text::kCaption);
    EXPECT_EQ(prompts.questions[0].text, profile_text::kConfirmDelete);
    EXPECT_EQ(Listed(), (Names{"A", "B", "C"}));
    EXPECT_FALSE(manager.list().selection());

    Select("A");
    prompts.answerOk = true;
    ASSERT_TRUE(manager.OnProfileDelete());
    EXPECT_FALSE(std::filesystem::exists(folder / "A.bin"));
    EXPECT_EQ(Listed(), (Names{"B", "C"}));
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(ProfileManagerTest, RenameOntoAnExistingProfileReplacesIt) {
    Put("A", Pattern(keymap_file::kSize, 1));
    Put("B", Pattern(keymap_file::kSize, 2));
    PutAll({"C"});
    manager.Open();
    ASSERT_TRUE(Rename("A", "B"));
    EXPECT_FALSE(std::filesystem::exists(folder / "A.bin"));
    EXPECT_EQ(FileBytes(folder / "B.bin"), Pattern(keymap_file::kSize, 1));
    EXPECT_EQ(Listed(), (Names{"B", "C"}));
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(ProfileManagerTest, RenameMovesTheFileAndStripsATypedEnding) {
    struct Case {
        std::string typed;
        Names listed;
        std::string file;
    };
    const Case cases[] = {
        {"abc.bin", {"abc", "z"}, "abc.bin"},  // the same path: nothing happens
        {"New name", {"New name", "z"}, "New name.bin"},
        {"x.bin.bin", {"x.bin", "z"}, "x.bin.bin"},
        {"a.bin.x", {"a.bin.x", "z"}, "a.bin.x.bin"},
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        Put("abc", Pattern(image::kSize, 4));
        PutAll({"z"});
        manager.Open();
        const auto before = SnapshotTree(data.path());
        ASSERT_TRUE(Rename("abc", c.typed)) << c.typed;
        EXPECT_EQ(Listed(), c.listed);
        EXPECT_EQ(FileBytes(folder / c.file), Pattern(image::kSize, 4));
        if (c.file == "abc.bin") {
            EXPECT_EQ(SnapshotTree(data.path()), before);
        } else {
            EXPECT_FALSE(std::filesystem::exists(folder / "abc.bin"));
        }
    }
}

TEST_F(ProfileManagerTest, ANameThatIsNoPlainFileNameChangesNothingAnywhere) {
    ASSERT_TRUE(WriteFileAtomically(data / "x.bin", Pattern(100, 1)));
    ASSERT_TRUE(WriteFileAtomically(data / "keymap.bin", Pattern(keymap_file::kSize, 2)));
    Put("A", Pattern(image::kSize, 3));
    Put("B", Pattern(image::kSize, 4));
    std::filesystem::create_directories(folder / "a");
    const auto before = SnapshotTree(data.path());
    struct Case {
        std::string typed;
        std::string_view message;
    };
    const Case cases[] = {
        {"../x", profile_text::kInvalidName},   {"../x.bin", profile_text::kInvalidName},
        {"a/b", profile_text::kInvalidName},    {"..\\x", profile_text::kInvalidName},
        {"/tmp/x", profile_text::kInvalidName}, {".", profile_text::kInvalidName},
        {"..", profile_text::kInvalidName},     {"...bin", profile_text::kInvalidName},
        {"", profile_text::kInvalidName},       {".bin", profile_text::kInvalidName},
        {"a\nb", profile_text::kInvalidName},   {std::string(300, 'n'), profile_text::kNameTooLong},
    };
    for (const auto& c : cases) {
        manager.Open();
        prompts.messages.clear();
        const Status status = Rename("A", c.typed);
        EXPECT_EQ(status.code(), ErrorCode::InvalidArgument) << c.typed;
        EXPECT_EQ(MessageTexts(), Names{std::string(c.message)}) << c.typed;
        EXPECT_EQ(Listed(), (Names{"A", "B"})) << c.typed;
        EXPECT_EQ(SnapshotTree(data.path()), before) << c.typed;
    }
}

TEST_F(ProfileManagerTest, ARenameThatCannotMoveTheFileShowsFailAndKeepsIt) {
    PutAll({"A", "B"});
    std::filesystem::create_directories(folder / "Z.bin");  // a folder, not a profile
    manager.Open();
    EXPECT_EQ(Rename("A", "Z").code(), ErrorCode::FileError);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].caption, profile_text::kApplicationTitle);
    EXPECT_EQ(prompts.messages[0].text, "Fail");
    EXPECT_TRUE(std::filesystem::exists(folder / "A.bin"));
    EXPECT_EQ(Listed(), (Names{"A", "B"}));
}

TEST_F(ProfileManagerTest, SaveWritesTheSelectedProfileEvenWhenTheDialogIsCancelled) {
    PutAll({"A", "B"});
    FillState(9);
    manager.Open();
    Select("A");
    ASSERT_TRUE(manager.OnProfileSave());
    EXPECT_EQ(FileBytes(folder / "A.bin"), StateBytes());
    EXPECT_EQ(FileBytes(folder / "B.bin"), Pattern(image::kSize, 0));
    ASSERT_EQ(prompts.dialogs.size(), 1u);
    const FileDialogRequest& request = prompts.dialogs[0];
    EXPECT_EQ(request.mode, FileDialogMode::Save);
    EXPECT_EQ(request.fileName, "*.bin");
    EXPECT_EQ(request.filterLabel, "bin Files(*.bin)");
    EXPECT_EQ(request.filterPattern, "*.bin");
    EXPECT_EQ(request.defaultExtension, "bin");
    EXPECT_EQ(request.startFolder, data.path());
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(ProfileManagerTest, SaveExportsToTheChosenFileAndReplacesFilesWhole) {
    PutAll({"A"});
    // A second name for the old file: a file replaced in place would change under it too.
    std::filesystem::create_hard_link(folder / "A.bin", data / "old-A");
    FillState(11);
    manager.Open();
    Select("A");
    prompts.file = data / "export.bin";
    ASSERT_TRUE(manager.OnProfileSave());
    EXPECT_EQ(FileBytes(folder / "A.bin"), StateBytes());
    EXPECT_EQ(FileBytes(data / "export.bin"), StateBytes());
    EXPECT_EQ(FileBytes(data / "old-A"), Pattern(image::kSize, 0));
    EXPECT_EQ(SnapshotTree(folder).size(), 1u);  // no temporary file left behind
}

TEST_F(ProfileManagerTest, AFailedWriteIsReported) {
    PutAll({"A"});
    manager.Open();
    Select("A");
    prompts.file = data.path();  // a folder cannot be replaced by a file
    const Status status = manager.OnProfileSave();
    EXPECT_EQ(status.code(), ErrorCode::FileError);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_TRUE(prompts.messages[0].text.starts_with(profile_text::kCannotWrite)) << prompts.messages[0].text;
    EXPECT_EQ(FileBytes(folder / "A.bin"), StateBytes());

    // A profile folder that has gone: New says it could not write.
    std::filesystem::remove_all(folder);
    manager.Open();
    EXPECT_EQ(manager.OnProfileNew().code(), ErrorCode::FileError);
    EXPECT_TRUE(prompts.messages.back().text.starts_with(profile_text::kCannotWrite));
    EXPECT_FALSE(std::filesystem::exists(folder));
}

TEST_F(ProfileManagerTest, LoadingAnImageOnlyFileKeepsTheRecordsAndFillsTheProfile) {
    PutAll({"A", "B"});
    FillState(7);
    const auto recordsBefore = std::make_unique<RecordTable>(*records);
    const auto loaded = Pattern(image::kSize, 20);
    ASSERT_TRUE(WriteFileAtomically(data / "new.bin", loaded));
    manager.setAfterLoad([this] { ++loads; });
    manager.Open();
    Select("B");
    prompts.file = data / "new.bin";
    ASSERT_TRUE(manager.OnProfileLoad());
    EXPECT_TRUE(std::equal(loaded.begin(), loaded.end(), image.bytes().begin()));
    EXPECT_EQ(std::memcmp(records.get(), recordsBefore.get(), sizeof(RecordTable)), 0);
    EXPECT_EQ(FileBytes(folder / "B.bin"), StateBytes());
    EXPECT_EQ(FileBytes(folder / "A.bin"), Pattern(image::kSize, 0));
    EXPECT_EQ(loads, 1);
    ASSERT_EQ(prompts.dialogs.size(), 1u);
    EXPECT_EQ(prompts.dialogs[0].mode, FileDialogMode::Open);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(ProfileManagerTest, LoadingAWholeProfileReplacesImageAndRecords) {
    PutAll({"A"});
    const auto loaded = Pattern(keymap_file::kSize, 30);
    ASSERT_TRUE(WriteFileAtomically(data / "full.bin", loaded));
    manager.setAfterLoad([this] { ++loads; });
    manager.Open();
    Select("A");
    prompts.file = data / "full.bin";
    ASSERT_TRUE(manager.OnProfileLoad());
    EXPECT_EQ(StateBytes(), loaded);
    EXPECT_EQ(FileBytes(folder / "A.bin"), loaded);
    EXPECT_EQ(loads, 1);
}

TEST_F(ProfileManagerTest, LoadChangesNothingWhenCancelledOrGivenSomethingElse) {
    PutAll({"A"});
    FillState(3);
    ASSERT_TRUE(WriteFileAtomically(data / "empty.bin", {}));
    ASSERT_TRUE(WriteFileAtomically(data / "short.bin", Pattern(100, 1)));
    ASSERT_TRUE(WriteFileAtomically(data / "long.bin", Pattern(image::kSize + 1, 1)));
    ASSERT_TRUE(WriteFileAtomically(data / "huge.bin", Pattern(keymap_file::kSize + 1, 1)));
    const auto state = StateBytes();
    const auto before = SnapshotTree(data.path());
    manager.setAfterLoad([this] { ++loads; });
    manager.Open();
    struct Case {
        std::optional<std::filesystem::path> chosen;
        std::string_view message;  // empty: none
    };
    const Case cases[] = {
        {std::nullopt, ""},
        {data / "empty.bin", profile_text::kNotAProfile},
        {data / "short.bin", profile_text::kNotAProfile},
        {data / "long.bin", profile_text::kNotAProfile},
        {data / "huge.bin", profile_text::kNotAProfile},
        {data / "missing.bin", profile_text::kCannotRead},
    };
    for (const auto& c : cases) {
        Select("A");
        prompts.file = c.chosen;
        prompts.messages.clear();
        const Status status = manager.OnProfileLoad();
        const std::string chosen = c.chosen ? c.chosen->string() : "(cancelled)";
        EXPECT_EQ(status.ok(), c.message.empty()) << chosen;
        if (c.message.empty()) {
            EXPECT_TRUE(prompts.messages.empty()) << chosen;
        } else {
            ASSERT_EQ(prompts.messages.size(), 1u) << chosen;
            EXPECT_TRUE(prompts.messages[0].text.starts_with(c.message)) << chosen;
        }
        EXPECT_EQ(StateBytes(), state) << chosen;
        EXPECT_EQ(SnapshotTree(data.path()), before) << chosen;
    }
    EXPECT_EQ(loads, 0);
}

}  // namespace
}  // namespace solvane
