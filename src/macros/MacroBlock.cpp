#include "macros/MacroBlock.h"

#include <algorithm>
#include <cstring>

namespace solvane {

MacroBlock EncodeMacroBlock(const MacroRecord& record) {
    const std::uint16_t count = LoopCountOf(record);
    return {{static_cast<std::uint8_t>(count >> 8), static_cast<std::uint8_t>(count & 0xFF)},
            record.deviceEvents};
}

void EncodeMacroBlocks(const MacroStore& store, DeviceImage& image) {
    const std::size_t count = std::min(MacroCount(store), image::kMacroBlockCount);
    for (std::size_t n = 0; n < count; ++n) {
        const MacroBlock block = EncodeMacroBlock(store[n]);
        std::memcpy(image.macroBlock(n).data(), &block, sizeof block);
    }
}

}  // namespace solvane
