// MacroDefine.bin as the user's disk holds it: loaded, then listed, edited and encoded for the
// keyboard the way the macro manager and the save do.
#include <algorithm>
#include <cstring>
#include <memory>

#include "FuzzFixtures.h"
#include "FuzzSupport.h"
#include "macros/MacroBlock.h"
#include "macros/MacroEditBuffers.h"
#include "macros/MacroEventItems.h"
#include "macros/MacroEvents.h"
#include "macros/MacroFile.h"
#include "macros/MacroNames.h"

namespace solvane::fuzz {
namespace {

void UseTheRecord(const MacroRecord& record) {
    FUZZ_REQUIRE(MacroName(record).size() <= kMacroNameUnits, "names stay in their field");

    MacroEditBuffers buffers{record.deviceEvents, record.keyEvents};
    const auto events = BufferedEvents(buffers);
    std::size_t end = 0;
    for (const auto& event : events) {
        FUZZ_REQUIRE(event.position == end, "events follow each other");
        FUZZ_REQUIRE(event.size == macro_event::kShortSize || event.size == macro_event::kLongSize,
                     "an event is of one of the two forms");
        end = event.position + event.size;
        FUZZ_REQUIRE(end <= kMacroEventBytes, "an event lies inside the array");
    }
    FUZZ_REQUIRE(EventsEnd(buffers) == end, "the events end after the last");
    const auto items = EventItemsOf(events);
    FUZZ_REQUIRE(FirstItemOf(items, events.size()) == items.size(), "items end with the events");
    if (!events.empty()) {
        // What the editor does to a loaded macro: delete its first event, then rule its delay.
        RemoveBufferedEvent(buffers, events.front());
        ApplyFirstDelayRule(buffers);
        FUZZ_REQUIRE(EventsEnd(buffers) <= kMacroEventBytes, "edited events stay inside the array");
    }

    // The device events re-encode to what decodes the same.
    const auto decoded = DecodeMacroEvents(record.deviceEvents);
    std::array<std::uint8_t, kMacroEventBytes> encoded{};
    if (EncodeMacroEvents(decoded, encoded).ok()) {
        FUZZ_REQUIRE(DecodeMacroEvents(encoded) == decoded, "encoded events decode the same");
    }
    const MacroBlock block = EncodeMacroBlock(record);
    FUZZ_REQUIRE(std::equal(block.deviceEvents.begin(), block.deviceEvents.end(),
                            record.deviceEvents.begin()),
                 "the keyboard gets the device events");
}

}  // namespace
}  // namespace solvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace solvane;
    using namespace solvane::fuzz;
    const bool missing = size < 3;
    const auto content = SizedFileBytes(std::span(data, size), macro_file::kSize + 64);
    const auto path = Scratch().path() / macro_file::kFileName;
    if (missing) {
        Scratch().Remove(macro_file::kFileName);
    } else {
        Scratch().Write(macro_file::kFileName, content);
    }

    auto store = std::make_unique<MacroStore>();
    FillPattern(*store, 0x5A);
    auto expected = std::make_unique<MacroStore>(*store);
    const std::size_t taken = missing ? 0 : std::min(content.size(), macro_file::kSize);
    if (taken != 0) {
        std::memcpy(static_cast<void*>(expected->data()), content.data(), taken);
    }
    FUZZ_REQUIRE(LoadMacroFile(path, *store).ok(), "a readable macro file loads");
    FUZZ_REQUIRE(SameBytes(*store, *expected), "the store holds the file's bytes over the old ones");
    FUZZ_REQUIRE(std::filesystem::file_size(path) == (missing ? macro_file::kSize : content.size()),
                 "loading leaves a present file alone and creates a missing one whole");

    const auto saved = Scratch().path() / "saved.bin";
    FUZZ_REQUIRE(SaveMacroFile(saved, *store).ok(), "a loaded store saves");
    auto reloaded = std::make_unique<MacroStore>();
    FUZZ_REQUIRE(LoadMacroFile(saved, *reloaded).ok(), "the saved store loads");
    FUZZ_REQUIRE(SameBytes(*reloaded, *store), "the saved store reloads the same");

    const auto names = MacroNames(*store);
    FUZZ_REQUIRE(names.size() == MacroCount(*store) && names.size() <= macro_record::kCount,
                 "one name per macro");
    // The macro manager opens the named records. The first few and the last of them cover what
    // a file holds (its records repeat the input's pattern) at a fraction of the cost of all.
    constexpr std::size_t kRecordsUsed = 8;
    for (std::size_t n = 0; n < store->size(); ++n) {
        if (HasMacroName((*store)[n]) && (n < kRecordsUsed || n + 1 == store->size())) {
            UseTheRecord((*store)[n]);
        }
    }
    DeviceImage image = PatternedImage(0x19);
    DeviceImage untouched = image;
    EncodeMacroBlocks(*store, image);
    for (std::size_t n = 0; n < image::kMacroBlockCount; ++n) {
        std::copy(image.macroBlock(n).begin(), image.macroBlock(n).end(), untouched.macroBlock(n).begin());
    }
    FUZZ_REQUIRE(image == untouched, "encoding the macros touches only the macro blocks");
    return 0;
}
