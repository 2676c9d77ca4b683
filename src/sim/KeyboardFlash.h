#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "common/Result.h"
#include "link/DeviceImage.h"
#include "link/KeyboardLink.h"

namespace solvane {

// What the keyboard keeps in its flash, in the form the keyboard holds it (the speed as the
// keyboard's byte, 10 minus the slider step).
struct KeyboardFlash {
    std::uint8_t ledEffect = 0;
    std::uint8_t ledSpeedByte = 0;
    std::uint8_t ledBrightness = 0;
    std::uint8_t lightingAux = 0;
    std::uint8_t ledDirection = 0;
    std::uint8_t gameMode = 0;
    std::uint8_t reportRateStep = 0;
    std::uint8_t keyResponse = 0;
    FirmwareVersion firmware;
    std::array<std::uint8_t, image::kKeyMapBlockSize> keyMap{};
    std::array<std::uint8_t, image::kKeyEnableBitmapSize> keyEnable{};
    std::array<std::array<std::uint8_t, image::kMacroBlockSize>, image::kMacroBlockCount> macroBlocks{};

    friend bool operator==(const KeyboardFlash&, const KeyboardFlash&) = default;
};

// The state the keyboard leaves the factory with, around the given key map.
KeyboardFlash FactoryFlash(const std::array<std::uint8_t, image::kKeyMapBlockSize>& factoryKeyMap);

// The state file of the virtual keyboard: a magic line and the flash fields at fixed offsets.
namespace flash_file {
inline constexpr std::array<std::uint8_t, 12> kMagic{'S', 'O', 'L', 'V', 'A', 'N', 'E', '-',
                                                     'V', 'K', 'B', '1'};
inline constexpr std::size_t kValues = 12;  // effect, speed byte, brightness, aux, direction,
                                            // game mode, report rate, key response
inline constexpr std::size_t kValueCount = 8;
inline constexpr std::size_t kFirmware = kValues + kValueCount;
inline constexpr std::size_t kKeyMap = kFirmware + 2;
inline constexpr std::size_t kKeyEnable = kKeyMap + image::kKeyMapBlockSize;
inline constexpr std::size_t kMacroBlocks = kKeyEnable + image::kKeyEnableBitmapSize;
inline constexpr std::size_t kSize = kMacroBlocks + image::kMacroBlockCount * image::kMacroBlockSize;
static_assert(kSize == 6699);
}  // namespace flash_file

std::vector<std::uint8_t> SerializeFlash(const KeyboardFlash& flash);
// Fails on a file of the wrong size or without the magic.
Result<KeyboardFlash> DeserializeFlash(std::span<const std::uint8_t> bytes);

Status SaveFlashFile(const std::filesystem::path& path, const KeyboardFlash& flash);
Result<KeyboardFlash> LoadFlashFile(const std::filesystem::path& path);

}  // namespace solvane
