#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <cstring>

#include "common/AtomicFile.h"
#include "keys/KeymapFile.h"
#include "keys/KeySlotTable.h"
#include "support/TempFolder.h"

namespace solvane {
namespace {

std::vector<std::uint8_t> Patterned(std::size_t size, int seed) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 7 + seed);
    }
    return bytes;
}

std::vector<std::uint8_t> ReadAll(const std::filesystem::path& path) {
    auto bytes = ReadFileBounded(path, keymap_file::kSize * 2);
    EXPECT_TRUE(bytes) << bytes.status().message();
    return bytes ? bytes.value() : std::vector<std::uint8_t>{};
}

const std::uint8_t* RecordBytes(const RecordTable& records) {
    return reinterpret_cast<const std::uint8_t*>(records.data());
}

class KeymapFileTest : public ::testing::Test {
protected:
    testing::TempFolder folder;
    std::filesystem::path path = folder / "keymap.bin";
    DeviceImage image;
    RecordTable records{};

    void FillRecords(int seed) {
        const auto bytes = Patterned(sizeof records, seed);
        std::memcpy(static_cast<void*>(records.data()), bytes.data(), bytes.size());
    }
};

TEST_F(KeymapFileTest, AMissingFileIsCreatedWithEmptyRecordsAndStartUpSetsDefaultCodes) {
    image.at(100) = 0x5A;
    FillRecords(3);
    ASSERT_TRUE(LoadKeymapAtStartUp(path, image, records));
    const auto bytes = ReadAll(path);
    ASSERT_EQ(bytes.size(), 204340u);
    EXPECT_EQ(bytes[100], 0x5A);  // the image in memory
    EXPECT_TRUE(std::all_of(bytes.begin() + keymap_file::kRecordsOffset, bytes.end(),
                            [](std::uint8_t b) { return b == 0; }));
    for (std::size_t slot = 0; slot < kKeySlotCount; ++slot) {
        EXPECT_EQ(records[slot].defaultCode, KeySlotTable[slot].defaultCode);
    }
    EXPECT_EQ(records[108].defaultCode, 0);
    EXPECT_EQ(records[0].kind, 0);
}

TEST_F(KeymapFileTest, RecordsOnlyLoadOfAMissingFileEmptiesEveryRecord) {
    image.at(7000) = 0x11;
    FillRecords(9);
    ASSERT_TRUE(LoadKeymapFile(path, KeymapLoadMode::RecordsOnly, image, records));
    EXPECT_TRUE(std::all_of(RecordBytes(records), RecordBytes(records) + sizeof records,
                            [](std::uint8_t b) { return b == 0; }));
    const auto bytes = ReadAll(path);
    ASSERT_EQ(bytes.size(), 204340u);
    EXPECT_EQ(bytes[7000], 0x11);
}

TEST_F(KeymapFileTest, LoadsBothBlocksAndRepairsDefaultCodes) {
    const auto file = Patterned(keymap_file::kSize, 1);
    ASSERT_TRUE(WriteFileAtomically(path, file));
    ASSERT_TRUE(LoadKeymapFile(path, KeymapLoadMode::Full, image, records));
    EXPECT_TRUE(std::equal(image.bytes().begin(), image.bytes().end(), file.begin()));
    auto expected = std::vector<std::uint8_t>(file.begin() + keymap_file::kRecordsOffset, file.end());
    ASSERT_NE(expected[0], 0x1B);  // the file's Esc record carries a wrong default code
    for (std::size_t slot = 0; slot < kKeySlotCount; ++slot) {
        expected[slot * record::kSize] = KeySlotTable[slot].defaultCode;
    }
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), RecordBytes(records)));
    EXPECT_EQ(records[200].defaultCode, expected[200 * record::kSize]);  // not a key slot
}

TEST_F(KeymapFileTest, RecordsOnlyLoadKeepsTheImageInMemory) {
    ASSERT_TRUE(WriteFileAtomically(path, Patterned(keymap_file::kSize, 2)));
    image.bytes().fill(0x33);
    const DeviceImage before = image;
    ASSERT_TRUE(LoadKeymapFile(path, KeymapLoadMode::RecordsOnly, image, records));
    EXPECT_EQ(image, before);
    EXPECT_EQ(records[5].kind, Patterned(keymap_file::kSize, 2)[image::kSize + 5 * record::kSize + 1]);
}

TEST_F(KeymapFileTest, ShortAndLongFilesFillWhatTheyHold) {
    struct Case {
        std::size_t size;
        bool recordsUntouched;
    };
    // A new profile holds only the image; a file cut inside record 3; a file with trailing bytes.
    const Case cases[] = {{7480, true}, {7480 + 3 * 772 + 100, false}, {keymap_file::kSize + 50, false}};
    for (const auto& c : cases) {
        const auto file = Patterned(c.size, 4);
        ASSERT_TRUE(WriteFileAtomically(path, file));
        FillRecords(5);
        RecordTable before = records;
        SetDefaultCodes(before);
        image.bytes().fill(0);
        ASSERT_TRUE(LoadKeymapFile(path, KeymapLoadMode::Full, image, records));
        EXPECT_TRUE(std::equal(image.bytes().begin(), image.bytes().end(), file.begin())) << c.size;
        const std::size_t fromFile = std::min(c.size, keymap_file::kSize) - keymap_file::kRecordsOffset;
        for (std::size_t i = 0; i < sizeof records; ++i) {
            const bool defaultCode = i % record::kSize == 0 && i / record::kSize < kKeySlotCount;
            const std::uint8_t want = defaultCode     ? RecordBytes(before)[i]
                                      : i < fromFile ? file[keymap_file::kRecordsOffset + i]
                                                     : RecordBytes(before)[i];
            ASSERT_EQ(RecordBytes(records)[i], want) << c.size << " at " << i;
        }
        EXPECT_EQ(c.recordsUntouched, std::memcmp(RecordBytes(records), RecordBytes(before), sizeof records) == 0);
    }
}

TEST_F(KeymapFileTest, AnUnreadableFileIsReportedAndLeftAlone) {
    std::filesystem::create_directory(path);  // exists, but cannot be read as a file
    FillRecords(6);
    const RecordTable before = records;
    const auto loaded = LoadKeymapFile(path, KeymapLoadMode::Full, image, records);
    EXPECT_FALSE(loaded);
    EXPECT_EQ(loaded.code(), ErrorCode::FileError);
    EXPECT_EQ(std::memcmp(RecordBytes(records), RecordBytes(before), sizeof records), 0);
    EXPECT_TRUE(std::filesystem::is_directory(path));
}

TEST_F(KeymapFileTest, PathOf255UnitsFitsAndLongerIsRefused) {
    KeyAssignment record{};
    const std::u16string longest(255, u'p');
    ASSERT_TRUE(SetRecordPath(record, longest));
    EXPECT_EQ(record.path[255], u'\0');
    EXPECT_EQ(RecordPath(record), longest);
    ASSERT_TRUE(SetRecordPath(record, u"C:\\a.mp3"));
    EXPECT_EQ(RecordPath(record), u"C:\\a.mp3");
    EXPECT_FALSE(SetRecordPath(record, std::u16string(256, u'q')));
    EXPECT_EQ(RecordPath(record), u"C:\\a.mp3");
    // A record from a foreign file without any terminator is read within its field.
    record.path.fill(u'x');
    EXPECT_EQ(RecordPath(record), std::u16string(256, u'x'));
}

TEST_F(KeymapFileTest, RoundTripThroughTheFile) {
    image.bytes().fill(0x42);
    FillRecords(8);
    SetDefaultCodes(records);
    ASSERT_TRUE(SaveKeymapFile(path, image, records));
    DeviceImage loadedImage;
    RecordTable loadedRecords{};
    ASSERT_TRUE(LoadKeymapFile(path, KeymapLoadMode::Full, loadedImage, loadedRecords));
    EXPECT_EQ(loadedImage, image);
    EXPECT_EQ(std::memcmp(RecordBytes(loadedRecords), RecordBytes(records), sizeof records), 0);
}

// A save that fails half-way (the file size limit stands in for a full disk) leaves the previous
// file byte for byte and no temporary file behind.
TEST_F(KeymapFileTest, ASaveThatFailsHalfWayLeavesThePreviousFile) {
    const auto previous = Patterned(keymap_file::kSize, 7);
    ASSERT_TRUE(WriteFileAtomically(path, previous));
    image.bytes().fill(0x99);
    FillRecords(10);

    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = old;
    limited.rlim_cur = 100000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const auto saved = SaveKeymapFile(path, image, records);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_EQ(saved.code(), ErrorCode::FileError);
    EXPECT_EQ(ReadAll(path), previous);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                            std::filesystem::directory_iterator()),
              1);
}

}  // namespace
}  // namespace solvane
