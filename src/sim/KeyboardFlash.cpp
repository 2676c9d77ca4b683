#include "sim/KeyboardFlash.h"

#include <algorithm>

#include "common/AtomicFile.h"

namespace solvane {
namespace {

constexpr FirmwareVersion kFactoryFirmware{1, 1};

std::array<std::uint8_t*, flash_file::kValueCount> Values(KeyboardFlash& f) {
    return {&f.ledEffect, &f.ledSpeedByte,   &f.ledBrightness, &f.lightingAux,
            &f.ledDirection, &f.gameMode, &f.reportRateStep, &f.keyResponse};
}

}  // namespace

KeyboardFlash FactoryFlash(const std::array<std::uint8_t, image::kKeyMapBlockSize>& factoryKeyMap) {
    KeyboardFlash flash;
    flash.ledEffect = 0x03;     // wave
    flash.ledSpeedByte = 5;     // middle speed
    flash.ledBrightness = 50;   // full brightness
    flash.lightingAux = 0;
    flash.ledDirection = 1;     // left
    flash.gameMode = 0;
    flash.reportRateStep = 0;
    flash.keyResponse = 1;      // 2 ms
    flash.firmware = kFactoryFirmware;
    flash.keyMap = factoryKeyMap;
    flash.keyEnable.fill(0xFF);
    return flash;
}

std::vector<std::uint8_t> SerializeFlash(const KeyboardFlash& flash) {
    KeyboardFlash copy = flash;
    std::vector<std::uint8_t> bytes(flash_file::kSize, 0);
    std::copy(flash_file::kMagic.begin(), flash_file::kMagic.end(), bytes.begin());
    const auto values = Values(copy);
    for (std::size_t i = 0; i < values.size(); ++i) {
        bytes[flash_file::kValues + i] = *values[i];
    }
    bytes[flash_file::kFirmware] = flash.firmware.major;
    bytes[flash_file::kFirmware + 1] = flash.firmware.minor;
    std::copy(flash.keyMap.begin(), flash.keyMap.end(), bytes.begin() + flash_file::kKeyMap);
    std::copy(flash.keyEnable.begin(), flash.keyEnable.end(), bytes.begin() + flash_file::kKeyEnable);
    for (std::size_t n = 0; n < flash.macroBlocks.size(); ++n) {
        std::copy(flash.macroBlocks[n].begin(), flash.macroBlocks[n].end(),
                  bytes.begin() + static_cast<std::ptrdiff_t>(flash_file::kMacroBlocks + n * image::kMacroBlockSize));
    }
    return bytes;
}

Result<KeyboardFlash> DeserializeFlash(std::span<const std::uint8_t> bytes) {
    if (bytes.size() != flash_file::kSize ||
        !std::equal(flash_file::kMagic.begin(), flash_file::kMagic.end(), bytes.begin())) {
        return Status{ErrorCode::FileError, "not a virtual keyboard state file"};
    }
    KeyboardFlash flash;
    const auto values = Values(flash);
    for (std::size_t i = 0; i < values.size(); ++i) {
        *values[i] = bytes[flash_file::kValues + i];
    }
    flash.firmware = {bytes[flash_file::kFirmware], bytes[flash_file::kFirmware + 1]};
    auto from = [&](std::size_t offset) { return bytes.begin() + static_cast<std::ptrdiff_t>(offset); };
    std::copy_n(from(flash_file::kKeyMap), flash.keyMap.size(), flash.keyMap.begin());
    std::copy_n(from(flash_file::kKeyEnable), flash.keyEnable.size(), flash.keyEnable.begin());
    for (std::size_t n = 0; n < flash.macroBlocks.size(); ++n) {
        std::copy_n(from(flash_file::kMacroBlocks + n * image::kMacroBlockSize), image::kMacroBlockSize,
                    flash.macroBlocks[n].begin());
    }
    return flash;
}

Status SaveFlashFile(const std::filesystem::path& path, const KeyboardFlash& flash) {
    return WriteFileAtomically(path, SerializeFlash(flash));
}

Result<KeyboardFlash> LoadFlashFile(const std::filesystem::path& path) {
    auto bytes = ReadFileBounded(path, flash_file::kSize + 1);
    if (!bytes) {
        return bytes.status();
    }
    auto flash = DeserializeFlash(bytes.value());
    if (!flash) {
        return Status{ErrorCode::FileError, path.string() + " is " + flash.status().message()};
    }
    return flash;
}

}  // namespace solvane
