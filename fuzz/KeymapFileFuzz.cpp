// keymap.bin as the user's disk holds it: loaded in both modes and at start-up, then used the
// way the program uses the records.
#include <algorithm>
#include <cstring>
#include <memory>

#include "FuzzFixtures.h"
#include "FuzzSupport.h"
#include "app/Launcher.h"
#include "cli/KeyText.h"
#include "keys/AssignmentDraft.h"
#include "keys/KeySlotTable.h"
#include "keys/KeymapFile.h"

namespace solvane::fuzz {
namespace {

// What a load of `content` must leave: the file's bytes over the old ones as far as the file
// goes, the default codes set.
void ExpectedAfterLoad(std::span<const std::uint8_t> content, KeymapLoadMode mode,
                       DeviceImage& image, RecordTable& records) {
    const auto bounded = content.first(std::min(content.size(), keymap_file::kSize));
    if (mode == KeymapLoadMode::Full) {
        std::copy_n(bounded.begin(), std::min(bounded.size(), image::kSize), image.bytes().begin());
    }
    if (bounded.size() > keymap_file::kRecordsOffset) {
        std::memcpy(static_cast<void*>(records.data()), bounded.data() + keymap_file::kRecordsOffset,
                    bounded.size() - keymap_file::kRecordsOffset);
    }
    SetDefaultCodes(records);
}

void SavesAndReloadsTheSame(const DeviceImage& image, const RecordTable& records) {
    const auto copy = Scratch().path() / "saved.bin";
    FUZZ_REQUIRE(SaveKeymapFile(copy, image, records).ok(), "an accepted keymap saves");
    FUZZ_REQUIRE(std::filesystem::file_size(copy) == keymap_file::kSize, "a whole file is saved");
    DeviceImage reloadedImage = PatternedImage(0x33);
    auto reloadedRecords = std::make_unique<RecordTable>();
    FillPattern(*reloadedRecords, 0x44);
    FUZZ_REQUIRE(LoadKeymapFile(copy, KeymapLoadMode::Full, reloadedImage, *reloadedRecords).ok(),
                 "the saved keymap loads");
    // A load always sets the default codes; the rest reloads as saved.
    auto expected = std::make_unique<RecordTable>(records);
    SetDefaultCodes(*expected);
    FUZZ_REQUIRE(reloadedImage == image, "the image reloads as saved");
    FUZZ_REQUIRE(SameBytes(*reloadedRecords, *expected), "the records reload as saved");
}

// What the windows and the command line read from the records.
void UseTheRecords(const Configuration& loaded) {
    auto configuration = std::make_unique<Configuration>(loaded);
    const MacroStore macros = SomeMacros();
    RecomputeReassignedMarks(*configuration);
    for (std::size_t slot = 0; slot < kKeySlotCount; ++slot) {
        const std::string line = KeyLine(*configuration, macros, slot);
        FUZZ_REQUIRE(!line.empty(), "every key has a line");
        const AssignmentDraft draft =
            CurrentAssignmentDraft(*configuration, static_cast<std::uint8_t>(slot), macros);
        FUZZ_REQUIRE(draft.MacroIndex < static_cast<std::int32_t>(MacroCount(macros)),
                     "a draft never names a macro the store does not hold");
        FUZZ_REQUIRE(draft.TargetPath.size() <= kAssignmentPathUnits, "paths stay in their field");
    }
    for (const auto& record : configuration->records) {
        FUZZ_REQUIRE(RecordPath(record).size() <= kAssignmentPathUnits, "paths stay in their field");
        if (IsLaunchKind(record.kind)) {
            (void)MakeLaunchRequest(record);  // what a launch key does; it looks at the disk
        }
    }
    for (unsigned key = 0; key < 256; key += 17) {
        if (auto found = FindLaunchRecord(configuration->records, static_cast<std::uint8_t>(key))) {
            FUZZ_REQUIRE(*found < record::kCount, "a launch record is a record");
        }
    }
    (void)ChangedKeysText(*configuration);
}

}  // namespace
}  // namespace solvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace solvane;
    using namespace solvane::fuzz;
    const std::span input(data, size);
    const bool missing = size < 3;
    const auto content = SizedFileBytes(input, keymap_file::kSize + 64);
    const auto path = missing ? Scratch().path() / keymap_file::kFileName
                              : Scratch().Write(keymap_file::kFileName, content);
    auto configuration = std::make_unique<Configuration>();

    for (const auto mode : {KeymapLoadMode::Full, KeymapLoadMode::RecordsOnly}) {
        if (missing) {
            Scratch().Remove(keymap_file::kFileName);
        }
        DeviceImage image = PatternedImage(0x11);
        auto records = std::make_unique<RecordTable>();
        FillPattern(*records, 0x22);
        DeviceImage expectedImage = image;
        auto expectedRecords = std::make_unique<RecordTable>(*records);
        if (missing) {
            ZeroRecords(*expectedRecords);
        } else {
            ExpectedAfterLoad(content, mode, expectedImage, *expectedRecords);
        }
        FUZZ_REQUIRE(LoadKeymapFile(path, mode, image, *records).ok(), "a readable keymap loads");
        FUZZ_REQUIRE(image == expectedImage, "the image holds the file's bytes and no others");
        FUZZ_REQUIRE(SameBytes(*records, *expectedRecords), "the records hold the file's bytes");
        if (missing) {
            FUZZ_REQUIRE(std::filesystem::file_size(path) == keymap_file::kSize,
                         "a missing keymap is created whole");
        }
        SavesAndReloadsTheSame(image, *records);
    }

    if (!missing) {
        Scratch().Write(keymap_file::kFileName, content);
    }
    FUZZ_REQUIRE(LoadKeymapAtStartUp(path, configuration->image, configuration->records).ok(),
                 "start-up loads a readable keymap");
    UseTheRecords(*configuration);
    return 0;
}
