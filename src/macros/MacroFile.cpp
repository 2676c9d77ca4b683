#include "macros/MacroFile.h"

#include <cstring>
#include <span>

#include "common/AtomicFile.h"

namespace solvane {

Status LoadMacroFile(const std::filesystem::path& path, MacroStore& store) {
    auto bytes = ReadFileIfPresent(path, macro_file::kSize);
    if (!bytes) {
        return bytes.status();
    }
    if (!bytes.value()) {
        return SaveMacroFile(path, store);
    }
    const auto& content = *bytes.value();
    std::memcpy(static_cast<void*>(store.data()), content.data(), content.size());
    return Status::Ok();
}

Status SaveMacroFile(const std::filesystem::path& path, const MacroStore& store) {
    const auto* begin = reinterpret_cast<const std::uint8_t*>(store.data());
    return WriteFileAtomically(path, std::span(begin, macro_file::kSize));
}

}  // namespace solvane
