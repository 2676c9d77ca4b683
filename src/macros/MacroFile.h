#pragma once

#include <filesystem>

#include "common/Result.h"
#include "macros/MacroRecord.h"

namespace solvane {

namespace macro_file {
inline constexpr const char* kFileName = "MacroDefine.bin";
inline constexpr std::size_t kSize = sizeof(MacroStore);
}  // namespace macro_file

// Fills the store from the front with what the file holds (the rest stays as it was; bytes past
// 169,860 are ignored). A missing file is created from the store as it stands (all zero at
// start-up). A file that exists but cannot be read is reported and left alone.
Status LoadMacroFile(const std::filesystem::path& path, MacroStore& store);

// Replaces the file atomically with the whole store.
Status SaveMacroFile(const std::filesystem::path& path, const MacroStore& store);

}  // namespace solvane
