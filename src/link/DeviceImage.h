#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace solvane {

// Byte layout of the mirror of the keyboard's stored configuration. It is also the first block
// of keymap.bin and of every profile file, so these offsets are a file format.
namespace image {
inline constexpr std::size_t kSize = 7480;
inline constexpr std::size_t kReportRateStep = 11;
inline constexpr std::size_t kKeyMapBlock = 792;
inline constexpr std::size_t kKeyMapBlockSize = 512;
inline constexpr std::size_t kMacroBlocks = 1304;
inline constexpr std::size_t kMacroBlockCount = 32;
inline constexpr std::size_t kMacroBlockSize = 192;
inline constexpr std::size_t kKeyResponse = 7449;
inline constexpr std::size_t kLedEffect = 7450;
inline constexpr std::size_t kLedSpeed = 7451;
inline constexpr std::size_t kLedBrightness = 7452;
inline constexpr std::size_t kLightingAux = 7453;
inline constexpr std::size_t kLedDirection = 7454;
inline constexpr std::size_t kGameMode = 7455;
inline constexpr std::size_t kKeyEnableBitmap = 7456;
inline constexpr std::size_t kKeyEnableBitmapSize = 21;
inline constexpr std::size_t kWinLockOn = 7477;

// Bitmap byte 1, bit 0 enables the left Windows key; the Windows-key lock drives it.
inline constexpr std::size_t kWinKeyBitmapByte = 1;
inline constexpr std::uint8_t kWinKeyEnableBit = 0x01;
// With the lock on, byte 1 keeps only the bits of real entries other than the Windows key.
inline constexpr std::uint8_t kWinLockMask = 0x3E;

static_assert(kKeyMapBlock + kKeyMapBlockSize == kMacroBlocks);
static_assert(kMacroBlocks + kMacroBlockCount * kMacroBlockSize == 7448);
static_assert(kKeyEnableBitmap + kKeyEnableBitmapSize == kWinLockOn);
static_assert(kWinLockOn + 3 == kSize);
}  // namespace image

struct LightingValues {
    std::uint8_t effect = 0;
    std::uint8_t speed = 0;  // slider step; the keyboard holds 10 minus it
    std::uint8_t brightness = 0;
    std::uint8_t aux = 0;
    std::uint8_t direction = 0;
};

class DeviceImage {
public:
    using Bytes = std::array<std::uint8_t, image::kSize>;

    DeviceImage() : m_bytes{} {}

    Bytes& bytes() { return m_bytes; }
    const Bytes& bytes() const { return m_bytes; }

    std::uint8_t& at(std::size_t offset) { return m_bytes.at(offset); }
    std::uint8_t at(std::size_t offset) const { return m_bytes.at(offset); }

    std::span<std::uint8_t, image::kKeyMapBlockSize> keyMapBlock() {
        return std::span(m_bytes).subspan<image::kKeyMapBlock, image::kKeyMapBlockSize>();
    }
    std::span<const std::uint8_t, image::kKeyMapBlockSize> keyMapBlock() const {
        return std::span(m_bytes).subspan<image::kKeyMapBlock, image::kKeyMapBlockSize>();
    }
    std::span<std::uint8_t, image::kKeyEnableBitmapSize> keyEnableBitmap() {
        return std::span(m_bytes).subspan<image::kKeyEnableBitmap, image::kKeyEnableBitmapSize>();
    }
    std::span<const std::uint8_t, image::kKeyEnableBitmapSize> keyEnableBitmap() const {
        return std::span(m_bytes).subspan<image::kKeyEnableBitmap, image::kKeyEnableBitmapSize>();
    }
    // Block n (0..31) of the macro area; throws std::out_of_range for other n.
    std::span<std::uint8_t, image::kMacroBlockSize> macroBlock(std::size_t n);
    std::span<const std::uint8_t, image::kMacroBlockSize> macroBlock(std::size_t n) const;

    std::uint8_t reportRateStep() const { return m_bytes[image::kReportRateStep]; }
    std::uint8_t keyResponse() const { return m_bytes[image::kKeyResponse]; }
    std::uint8_t gameMode() const { return m_bytes[image::kGameMode]; }
    std::uint8_t winLockOn() const { return m_bytes[image::kWinLockOn]; }
    LightingValues lighting() const;

    void setReportRateStep(std::uint8_t v) { m_bytes[image::kReportRateStep] = v; }
    void setKeyResponse(std::uint8_t v) { m_bytes[image::kKeyResponse] = v; }
    void setGameMode(std::uint8_t v) { m_bytes[image::kGameMode] = v; }
    void setWinLockOn(std::uint8_t v) { m_bytes[image::kWinLockOn] = v; }
    void setLighting(const LightingValues& values);

    // Copies every field the keyboard transfers from `other`, leaving the unused bytes alone.
    void TakeTransferableFields(const DeviceImage& other);

    friend bool operator==(const DeviceImage&, const DeviceImage&) = default;

private:
    Bytes m_bytes;
};

static_assert(sizeof(DeviceImage) == image::kSize);

// winLockOn as the keyboard's bitmap implies it: on when the Windows key's enable bit is clear.
std::uint8_t WinLockFromBitmap(std::span<const std::uint8_t, image::kKeyEnableBitmapSize> bitmap);

// Applies winLockOn to the Windows key's bitmap byte, as done before the bitmap is written.
void ApplyWinLockToBitmap(DeviceImage& image);

}  // namespace solvane
