#include "controls/SkinImage.h"

#include <QtCore/QBuffer>
#include <QtCore/QByteArray>
#include <QtGui/QImageReader>

#include <system_error>

#include "common/AtomicFile.h"
#include "controls/ResourceBitmaps.h"

namespace solvane {

QImage LoadSkinBitmap(const std::filesystem::path& file) {
    auto bytes = ReadFileBounded(file, kMaxSkinFileBytes + 1);
    if (!bytes || bytes->empty() || bytes->size() > kMaxSkinFileBytes) {
        return {};
    }
    QByteArray data(reinterpret_cast<const char*>(bytes->data()),
                    static_cast<qsizetype>(bytes->size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > kMaxSkinImageSide ||
        size.height() > kMaxSkinImageSide) {
        return {};
    }
    QImage image = reader.read();
    if (image.isNull()) {
        return {};
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage SkinImageCache::Load(const std::filesystem::path& file) {
    const std::string key = file.string();
    std::error_code error;
    const auto modified = std::filesystem::last_write_time(file, error);
    const auto size = error ? 0 : std::filesystem::file_size(file, error);
    if (error) {
        m_files.erase(key);
        return {};
    }
    auto found = m_files.find(key);
    if (found != m_files.end() && found->second.modified == modified &&
        found->second.size == size) {
        return found->second.image;
    }
    QImage image = LoadSkinBitmap(file);
    m_files[key] = Entry{modified, size, image};
    return image;
}

QImage SkinImageCache::Bitmap(int id) {
    auto found = m_bitmaps.find(id);
    if (found == m_bitmaps.end()) {
        found = m_bitmaps.emplace(id, LoadResourceBitmap(id)).first;
    }
    return found->second;
}

void SkinImageCache::Clear() {
    m_files.clear();
    m_bitmaps.clear();
}

}  // namespace solvane
