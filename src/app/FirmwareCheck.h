#pragma once

#include <cstddef>
#include <filesystem>
#include <span>

#include "link/KeyboardLink.h"

namespace solvane {

// VER.bin: 12 bytes beside the program; bytes 5 and 7 are the ASCII digits of the firmware
// version this program expects.
namespace ver_file {
inline constexpr const char* kFileName = "VER.bin";
inline constexpr std::size_t kSize = 12;
inline constexpr std::size_t kMajorDigit = 5;
inline constexpr std::size_t kMinorDigit = 7;
}  // namespace ver_file

// The expected version from VER.bin's bytes; digits below '0' wrap around as unsigned bytes.
// A file too short to hold a digit gives 0 for it.
FirmwareVersion DriverVersionFromBytes(std::span<const std::uint8_t> bytes);

// (0, 0) when the file is missing or unreadable.
FirmwareVersion LoadDriverVersion(const std::filesystem::path& verFile);

// True when the keyboard's firmware is older than the version the program expects.
bool FirmwareUpdateOffered(FirmwareVersion driver, FirmwareVersion firmware);

}  // namespace solvane
