#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "keys/Configuration.h"
#include "macros/MacroRecord.h"

namespace solvane::testing {

inline constexpr const char* kCrashProfileName = "Crash";

// One of two versions of everything the crash test saves: keymap.bin, MacroDefine.bin and a
// profile. Every byte depends on the version and on the file, so a mix of two saves, or of two
// files, shows.
struct CrashContents {
    std::unique_ptr<Configuration> keymap = std::make_unique<Configuration>();
    std::unique_ptr<MacroStore> macros = std::make_unique<MacroStore>();
    std::unique_ptr<Configuration> profile = std::make_unique<Configuration>();
};

inline void FillVersion(void* bytes, std::size_t size, int version, std::uint8_t file) {
    auto* raw = static_cast<std::uint8_t*>(bytes);
    for (std::size_t i = 0; i < size; ++i) {
        raw[i] = static_cast<std::uint8_t>((i * 31 + i / 251) ^ (version == 0 ? 0x00 : 0xA5) ^ file);
    }
}

inline CrashContents CrashVersion(int version) {
    CrashContents contents;
    FillVersion(contents.keymap->image.bytes().data(), image::kSize, version, 1);
    FillVersion(contents.keymap->records.data(), sizeof(RecordTable), version, 2);
    FillVersion(contents.macros->data(), sizeof(MacroStore), version, 3);
    FillVersion(contents.profile->image.bytes().data(), image::kSize, version, 4);
    FillVersion(contents.profile->records.data(), sizeof(RecordTable), version, 5);
    return contents;
}

}  // namespace solvane::testing
