// A profile file as the user may pick it anywhere on disk: loaded, and read for a copy.
#include <algorithm>
#include <cstring>
#include <memory>

#include "FuzzFixtures.h"
#include "FuzzSupport.h"
#include "keys/KeymapFile.h"
#include "profiles/ProfileFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace solvane;
    using namespace solvane::fuzz;
    const auto content = SizedFileBytes(std::span(data, size), keymap_file::kSize + 64);
    const auto path = Scratch().Write("profile.bin", content);

    DeviceImage image = PatternedImage(0x51);
    auto records = std::make_unique<RecordTable>();
    FillPattern(*records, 0x62);
    const DeviceImage imageBefore = image;
    const auto recordsBefore = std::make_unique<RecordTable>(*records);

    const Status read = ReadProfileFile(path, image, *records);
    const bool imageOnly = content.size() == image::kSize;
    const bool whole = content.size() == keymap_file::kSize;
    FUZZ_REQUIRE(read.ok() == (imageOnly || whole), "only a profile's two sizes are taken");
    if (!read.ok()) {
        FUZZ_REQUIRE(read.code() == ErrorCode::InvalidArgument && !read.message().empty(),
                     "a refused file is said to be no profile");
        FUZZ_REQUIRE(image == imageBefore, "a refused file leaves the image");
        FUZZ_REQUIRE(SameBytes(*records, *recordsBefore), "a refused file leaves the records");
    } else {
        FUZZ_REQUIRE(std::equal(image.bytes().begin(), image.bytes().end(), content.begin()),
                     "the image is the file's first block");
        if (imageOnly) {
            FUZZ_REQUIRE(SameBytes(*records, *recordsBefore), "a new profile keeps the records");
        } else {
            FUZZ_REQUIRE(std::memcmp(static_cast<const void*>(records->data()),
                                     content.data() + keymap_file::kRecordsOffset,
                                     sizeof(RecordTable)) == 0,
                         "the records are the file's second block");
        }
        // Loading a profile rewrites it through the keymap writer: it must read back the same.
        const auto saved = Scratch().path() / "saved.bin";
        FUZZ_REQUIRE(SaveKeymapFile(saved, image, *records).ok(), "a loaded profile saves");
        DeviceImage again = PatternedImage(0x73);
        auto againRecords = std::make_unique<RecordTable>();
        FUZZ_REQUIRE(ReadProfileFile(saved, again, *againRecords).ok(), "a saved profile loads");
        FUZZ_REQUIRE(again == image && SameBytes(*againRecords, *records),
                     "a saved profile reloads the same");
    }

    const auto copy = ReadProfileForCopy(path);
    FUZZ_REQUIRE(copy.ok(), "a readable profile can be copied");
    const std::size_t kept = std::min(content.size(), keymap_file::kSize);
    FUZZ_REQUIRE(copy->size() == std::max(kept, image::kSize), "a copy is at least the first block");
    FUZZ_REQUIRE(std::equal(content.begin(), content.begin() + static_cast<std::ptrdiff_t>(kept),
                            copy->begin()),
                 "a copy holds the file's bytes");
    FUZZ_REQUIRE(std::all_of(copy->begin() + static_cast<std::ptrdiff_t>(kept), copy->end(),
                             [](std::uint8_t b) { return b == 0; }),
                 "a short copy is zero-filled");
    return 0;
}
