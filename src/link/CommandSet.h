#pragma once

#include <cstddef>
#include <cstdint>

#include "common/Result.h"
#include "link/DeviceImage.h"
#include "link/KeyboardLink.h"

namespace solvane {

// Each command of the keyboard with its parameters, reply bytes and pauses. The reads store
// what the keyboard answered into the image; a failed command leaves the image as it was.

Result<FirmwareVersion> GetVersion(KeyboardLink& link);
Status GetReportRate(KeyboardLink& link, DeviceImage& image);
Status GetKeyResponse(KeyboardLink& link, DeviceImage& image);
Status GetLighting(KeyboardLink& link, DeviceImage& image);
Status GetGameMode(KeyboardLink& link, DeviceImage& image);
Status GetKeyMap(KeyboardLink& link, DeviceImage& image);
// Also sets winLockOn from the Windows key's enable bit.
Status GetKeyEnable(KeyboardLink& link, DeviceImage& image);
Status GetMacroBlock(KeyboardLink& link, DeviceImage& image, std::size_t block);

Status SetReportRate(KeyboardLink& link, std::uint8_t step);
Status SetKeyResponse(KeyboardLink& link, std::uint8_t value);
Status SetLighting(KeyboardLink& link, const LightingValues& lighting);
Status SetGameMode(KeyboardLink& link, std::uint8_t value);
Status SetKeyMap(KeyboardLink& link, const DeviceImage& image);
Status SetKeyEnable(KeyboardLink& link, const DeviceImage& image);
Status SetMacroBlock(KeyboardLink& link, const DeviceImage& image, std::size_t block);
// The command only; the settling pauses belong to the factory reset sequence.
Status FactoryReset(KeyboardLink& link);

// The keyboard holds the speed as 10 minus the slider step (larger is slower).
constexpr std::uint8_t SpeedStepFromKeyboard(std::uint8_t keyboardByte) {
    return static_cast<std::uint8_t>(10 - keyboardByte);
}
constexpr std::uint8_t SpeedStepToKeyboard(std::uint8_t step) {
    return static_cast<std::uint8_t>(10 - step);
}

}  // namespace solvane
