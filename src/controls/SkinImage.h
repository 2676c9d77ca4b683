#pragma once

#include <QtGui/QImage>

#include <cstdint>
#include <filesystem>
#include <string>
#include <unordered_map>

namespace solvane {

// Skin images larger than this are refused: no window of the skin comes near it.
inline constexpr std::size_t kMaxSkinFileBytes = 16 * 1024 * 1024;
inline constexpr int kMaxSkinImageSide = 4096;

// Reads a skin image as an opaque bitmap (the alpha channel is dropped: images are copied
// pixel for pixel). A file that is missing, too large or not an image gives a null image,
// whose size is 0 x 0.
QImage LoadSkinBitmap(const std::filesystem::path& file);

// Where a skinned window gets its images from at each paint.
class SkinImageSource {
public:
    virtual ~SkinImageSource() = default;
    // The image of `file`; null when it is missing or unreadable.
    virtual QImage Load(const std::filesystem::path& file) = 0;
    // A compiled-in bitmap (ResourceBitmaps.h); null for an unknown id.
    virtual QImage Bitmap(int id) = 0;
};

// Skin images and compiled-in bitmaps kept between paints. A skin image is read again when
// its file's modification time or size has changed, so a replaced file shows at the next paint.
class SkinImageCache final : public SkinImageSource {
public:
    QImage Load(const std::filesystem::path& file) override;
    QImage Bitmap(int id) override;

    void Clear();

private:
    struct Entry {
        std::filesystem::file_time_type modified;
        std::uintmax_t size = 0;
        QImage image;
    };
    std::unordered_map<std::string, Entry> m_files;
    std::unordered_map<int, QImage> m_bitmaps;
};

}  // namespace solvane
