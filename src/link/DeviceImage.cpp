#include "link/DeviceImage.h"

#include <algorithm>
#include <stdexcept>

namespace solvane {
namespace {

struct Range {
    std::size_t offset;
    std::size_t size;
};

// Everything the sequences read from or write to the keyboard.
constexpr std::array<Range, 5> kTransferableRanges{{
    {image::kReportRateStep, 1},
    {image::kKeyMapBlock, image::kKeyMapBlockSize},
    {image::kMacroBlocks, image::kMacroBlockCount * image::kMacroBlockSize},
    {image::kKeyResponse, image::kKeyEnableBitmap - image::kKeyResponse},
    {image::kKeyEnableBitmap, image::kKeyEnableBitmapSize + 1},  // bitmap and winLockOn
}};

}  // namespace

std::span<std::uint8_t, image::kMacroBlockSize> DeviceImage::macroBlock(std::size_t n) {
    if (n >= image::kMacroBlockCount) {
        throw std::out_of_range("macro block number");
    }
    return std::span<std::uint8_t, image::kMacroBlockSize>(
        m_bytes.data() + image::kMacroBlocks + n * image::kMacroBlockSize, image::kMacroBlockSize);
}

std::span<const std::uint8_t, image::kMacroBlockSize> DeviceImage::macroBlock(std::size_t n) const {
    if (n >= image::kMacroBlockCount) {
        throw std::out_of_range("macro block number");
    }
    return std::span<const std::uint8_t, image::kMacroBlockSize>(
        m_bytes.data() + image::kMacroBlocks + n * image::kMacroBlockSize, image::kMacroBlockSize);
}

LightingValues DeviceImage::lighting() const {
    return {m_bytes[image::kLedEffect], m_bytes[image::kLedSpeed], m_bytes[image::kLedBrightness],
            m_bytes[image::kLightingAux], m_bytes[image::kLedDirection]};
}

void DeviceImage::setLighting(const LightingValues& values) {
    m_bytes[image::kLedEffect] = values.effect;
    m_bytes[image::kLedSpeed] = values.speed;
    m_bytes[image::kLedBrightness] = values.brightness;
    m_bytes[image::kLightingAux] = values.aux;
    m_bytes[image::kLedDirection] = values.direction;
}

void DeviceImage::TakeTransferableFields(const DeviceImage& other) {
    for (const auto& range : kTransferableRanges) {
        std::copy_n(other.m_bytes.begin() + static_cast<std::ptrdiff_t>(range.offset), range.size,
                    m_bytes.begin() + static_cast<std::ptrdiff_t>(range.offset));
    }
}

std::uint8_t WinLockFromBitmap(std::span<const std::uint8_t, image::kKeyEnableBitmapSize> bitmap) {
    return (bitmap[image::kWinKeyBitmapByte] & image::kWinKeyEnableBit) == 0 ? 1 : 0;
}

void ApplyWinLockToBitmap(DeviceImage& image) {
    auto& byte = image.keyEnableBitmap()[image::kWinKeyBitmapByte];
    if (image.winLockOn() == 1) {
        byte &= image::kWinLockMask;
    } else {
        byte |= image::kWinKeyEnableBit;
    }
}

}  // namespace solvane
