#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "keys/Configuration.h"
#include "macros/MacroRecord.h"

namespace solvane::fuzz {

// Recognisable contents, so a byte a loader should have left alone shows when it changed.
inline DeviceImage PatternedImage(std::uint8_t seed) {
    DeviceImage image;
    for (std::size_t i = 0; i < image::kSize; ++i) {
        image.bytes()[i] = static_cast<std::uint8_t>(seed + i * 7);
    }
    return image;
}

template <class Table>
void FillPattern(Table& table, std::uint8_t seed) {
    auto* bytes = reinterpret_cast<std::uint8_t*>(table.data());
    for (std::size_t i = 0; i < sizeof(Table); ++i) {
        bytes[i] = static_cast<std::uint8_t>(seed + i * 13);
    }
}

template <class Table>
bool SameBytes(const Table& a, const Table& b) {
    return std::memcmp(static_cast<const void*>(a.data()), static_cast<const void*>(b.data()),
                       sizeof(Table)) == 0;
}

// A few named macros, as a store that keys may refer to.
inline MacroStore SomeMacros() {
    MacroStore store{};
    for (std::size_t n = 0; n < 3; ++n) {
        SetMacroName(store[n], n == 0 ? u"one" : n == 1 ? u"two" : u"three");
        SetLoopCount(store[n], static_cast<std::uint16_t>(n + 1));
    }
    return store;
}

}  // namespace solvane::fuzz
