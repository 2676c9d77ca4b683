#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>

#include "common/AtomicFile.h"
#include "support/TempFolder.h"

namespace solvane {
namespace {

std::vector<std::uint8_t> Bytes(std::size_t count, std::uint8_t value) {
    return std::vector<std::uint8_t>(count, value);
}

TEST(AtomicFileTest, ReplacesTheFileAndLeavesNoTemporary) {
    testing::TempFolder folder;
    const auto path = folder / "keymap.bin";
    ASSERT_TRUE(WriteFileAtomically(path, Bytes(10, 1)));
    ASSERT_TRUE(WriteFileAtomically(path, Bytes(4, 2)));
    EXPECT_EQ(ReadFileBounded(path, 100).value(), Bytes(4, 2));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                            std::filesystem::directory_iterator()), 1);
}

// Caps the size of files this process may write, so a write fails half-way as on a full disk
// (this works for root too, unlike a read-only folder).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

TEST(AtomicFileTest, AWriteThatFailsHalfWayLeavesTheOldFileAndSaysWhy) {
    testing::TempFolder folder;
    const auto path = folder / "keymap.bin";
    ASSERT_TRUE(WriteFileAtomically(path, Bytes(300, 7)));
    Status status;
    {
        FileSizeLimit limit(100);
        status = WriteFileAtomically(path, Bytes(1000, 9));
    }
    EXPECT_EQ(status.code(), ErrorCode::FileError);
    EXPECT_NE(status.message().find("keymap.bin"), std::string::npos);
    EXPECT_EQ(ReadFileBounded(path, 2000).value(), Bytes(300, 7));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                            std::filesystem::directory_iterator()), 1);
}

TEST(AtomicFileTest, AReplaceThatCannotHappenLeavesWhatWasThere) {
    testing::TempFolder folder;
    const auto path = folder / "keymap.bin";
    std::filesystem::create_directories(path / "occupied");
    EXPECT_EQ(WriteFileAtomically(path, Bytes(5, 1)).code(), ErrorCode::FileError);
    EXPECT_TRUE(std::filesystem::is_directory(path / "occupied"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                            std::filesystem::directory_iterator()), 1);
}

TEST(AtomicFileTest, AWriteIntoAMissingFolderFailsAndCreatesNothing) {
    testing::TempFolder folder;
    const Status status = WriteFileAtomically(folder / "gone" / "keymap.bin", Bytes(3, 1));
    EXPECT_EQ(status.code(), ErrorCode::FileError);
    EXPECT_FALSE(std::filesystem::exists(folder / "gone"));
}

TEST(AtomicFileTest, ReadsAreBoundedAndMissingFilesFail) {
    testing::TempFolder folder;
    const auto path = folder / "big.bin";
    ASSERT_TRUE(WriteFileAtomically(path, Bytes(1000, 5)));
    EXPECT_EQ(ReadFileBounded(path, 16).value(), Bytes(16, 5));
    EXPECT_EQ(ReadFileBounded(folder / "absent.bin", 16).status().code(), ErrorCode::FileError);
}

}  // namespace
}  // namespace solvane
