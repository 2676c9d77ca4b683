#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "keys/KeymapFile.h"
#include "profiles/ProfileFiles.h"
#include "profiles/FolderSnapshot.h"
#include "support/TempFolder.h"

namespace solvane {
namespace {

using testing::FileBytes;
using testing::Pattern;

TEST(ProfileFilesTest, TheProfileFolderIsCreatedWhenMissing) {
    testing::TempFolder data;
    const auto folder = PrepareProfileFolder(data.path());
    ASSERT_TRUE(folder) << folder.status().message();
    EXPECT_EQ(folder.value(), data / "Configure");
    EXPECT_TRUE(std::filesystem::is_directory(folder.value()));
    EXPECT_TRUE(PrepareProfileFolder(data.path()));  // and left alone when it is there

    ASSERT_TRUE(WriteFileAtomically(data / "file", std::vector<std::uint8_t>{1}));
    EXPECT_EQ(PrepareProfileFolder(data / "file").status().code(), ErrorCode::FileError);
}

// A remover that fails `failures` times with `error`, then succeeds.
struct FlakyRemover {
    int failures;
    std::errc error;
    int calls = 0;
    std::error_code operator()(const std::filesystem::path&) {
        ++calls;
        return calls <= failures ? std::make_error_code(error) : std::error_code();
    }
};

TEST(ProfileFilesTest, EveryDeleteGetsItsOwnRetries) {
    FlakyRemover remover{kProfileRemoveRetries, std::errc::device_or_resource_busy};
    auto remove = [&](const std::filesystem::path& p) { return remover(p); };
    EXPECT_TRUE(RemoveProfileFile("a.bin", remove));
    EXPECT_EQ(remover.calls, kProfileRemoveRetries + 1);
    // A later delete that meets the same trouble retries as often as the first.
    remover.calls = 0;
    EXPECT_TRUE(RemoveProfileFile("b.bin", remove));
    EXPECT_EQ(remover.calls, kProfileRemoveRetries + 1);

    FlakyRemover stuck{1000, std::errc::device_or_resource_busy};
    const Status failed = RemoveProfileFile("c.bin", [&](const std::filesystem::path& p) { return stuck(p); });
    EXPECT_EQ(failed.code(), ErrorCode::FileError);
    EXPECT_EQ(stuck.calls, kProfileRemoveRetries + 1);

    FlakyRemover gone{1000, std::errc::no_such_file_or_directory};
    EXPECT_TRUE(RemoveProfileFile("d.bin", [&](const std::filesystem::path& p) { return gone(p); }));
    EXPECT_EQ(gone.calls, 1);
}

TEST(ProfileFilesTest, ReadingAProfileTakesOnlyTheTwoProfileSizes) {
    testing::TempFolder folder;
    const auto path = folder / "p.bin";
    DeviceImage image;
    auto records = std::make_unique<RecordTable>();
    records->at(3).kind = KIND_MACRO;
    const DeviceImage imageBefore = image;
    const RecordTable recordsBefore = *records;

    for (std::size_t size : {0u, 1u, 7479u, 7481u, 204339u, 204341u, 300000u}) {
        ASSERT_TRUE(WriteFileAtomically(path, Pattern(size, 9)));
        const Status status = ReadProfileFile(path, image, *records);
        EXPECT_EQ(status.code(), ErrorCode::InvalidArgument) << size;
        EXPECT_EQ(image, imageBefore) << size;
        EXPECT_EQ(std::memcmp(records.get(), &recordsBefore, sizeof(RecordTable)), 0) << size;
    }
    EXPECT_EQ(ReadProfileFile(folder / "missing.bin", image, *records).code(), ErrorCode::FileError);
    EXPECT_EQ(ReadProfileFile(folder.path(), image, *records).code(), ErrorCode::FileError);

    // Just the image: the records stay.
    const auto small = Pattern(image::kSize, 1);
    ASSERT_TRUE(WriteFileAtomically(path, small));
    ASSERT_TRUE(ReadProfileFile(path, image, *records));
    EXPECT_TRUE(std::equal(small.begin(), small.end(), image.bytes().begin()));
    EXPECT_EQ(std::memcmp(records.get(), &recordsBefore, sizeof(RecordTable)), 0);

    // Both blocks.
    const auto whole = Pattern(keymap_file::kSize, 2);
    ASSERT_TRUE(WriteFileAtomically(path, whole));
    ASSERT_TRUE(ReadProfileFile(path, image, *records));
    EXPECT_TRUE(std::equal(image.bytes().begin(), image.bytes().end(), whole.begin()));
    EXPECT_EQ(std::memcmp(records.get(), whole.data() + keymap_file::kRecordsOffset, sizeof(RecordTable)), 0);
}

TEST(ProfileFilesTest, ACopyHoldsAWholeFirstBlockAndWhatTheSourceHasBeyond) {
    testing::TempFolder folder;
    struct Case {
        std::size_t sourceSize;
        std::size_t copySize;
    };
    for (const Case c : {Case{0, 7480}, Case{100, 7480}, Case{7480, 7480}, Case{9000, 9000},
                         Case{204340, 204340}, Case{250000, 204340}}) {
        const auto source = Pattern(c.sourceSize, 3);
        ASSERT_TRUE(WriteFileAtomically(folder / "s.bin", source));
        const auto copy = ReadProfileForCopy(folder / "s.bin");
        ASSERT_TRUE(copy);
        ASSERT_EQ(copy->size(), c.copySize) << c.sourceSize;
        const std::size_t kept = std::min(c.sourceSize, c.copySize);
        EXPECT_TRUE(std::equal(source.begin(), source.begin() + static_cast<std::ptrdiff_t>(kept), copy->begin()));
        EXPECT_TRUE(std::all_of(copy->begin() + static_cast<std::ptrdiff_t>(kept), copy->end(),
                                [](std::uint8_t b) { return b == 0; }));
    }
}

}  // namespace
}  // namespace solvane
