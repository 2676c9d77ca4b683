#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "link/DeviceImage.h"
#include "macros/MacroRecord.h"

namespace solvane {

// One macro as the keyboard holds it: block n of the image's macro area carries macro n.
struct MacroBlock {
    std::array<std::uint8_t, 2> loopCount;  // big-endian, unlike the record's
    std::array<std::uint8_t, kMacroEventBytes> deviceEvents;
};

namespace macro_block {
inline constexpr std::size_t kLoopCount = 0;
inline constexpr std::size_t kDeviceEvents = 2;
}  // namespace macro_block

static_assert(sizeof(MacroBlock) == image::kMacroBlockSize);
static_assert(offsetof(MacroBlock, loopCount) == macro_block::kLoopCount);
static_assert(offsetof(MacroBlock, deviceEvents) == macro_block::kDeviceEvents);

MacroBlock EncodeMacroBlock(const MacroRecord& record);

// Writes block n from macro n for every macro of the store, stopping at the first unnamed
// record and after block 31, the last the keyboard holds. Blocks past the last macro keep their
// content; an empty store changes nothing.
void EncodeMacroBlocks(const MacroStore& store, DeviceImage& image);

}  // namespace solvane
