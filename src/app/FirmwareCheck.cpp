#include "app/FirmwareCheck.h"

#include "common/AtomicFile.h"

namespace solvane {
namespace {

constexpr std::uint8_t kDigitZero = '0';

std::uint8_t Digit(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return offset < bytes.size() ? static_cast<std::uint8_t>(bytes[offset] - kDigitZero) : 0;
}

}  // namespace

FirmwareVersion DriverVersionFromBytes(std::span<const std::uint8_t> bytes) {
    return {Digit(bytes, ver_file::kMajorDigit), Digit(bytes, ver_file::kMinorDigit)};
}

FirmwareVersion LoadDriverVersion(const std::filesystem::path& verFile) {
    const auto bytes = ReadFileBounded(verFile, ver_file::kSize);
    return bytes ? DriverVersionFromBytes(bytes.value()) : FirmwareVersion{};
}

bool FirmwareUpdateOffered(FirmwareVersion driver, FirmwareVersion firmware) {
    return driver.major > firmware.major ||
           (driver.major == firmware.major && driver.minor > firmware.minor);
}

}  // namespace solvane
