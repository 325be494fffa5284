// The decoded-picture cache.
#include "app/picture_cache.h"

#include <sys/stat.h>

#include <optional>

namespace tavik {

namespace {

std::optional<FileVersion> VersionOf(const std::filesystem::path& path) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    return FileVersion{info.st_dev, info.st_ino, info.st_size, info.st_mtim};
}

int64_t Pixels(const ImageBitmap& picture) {
    return int64_t(picture.GetWidth()) * picture.GetHeight();
}

}  // namespace

bool FileVersion::operator==(const FileVersion& other) const {
    return device == other.device && inode == other.inode && size == other.size &&
           modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec;
}

PictureCache::PictureCache(size_t maxPictures, int64_t maxPixels)
    : m_maxPictures(maxPictures), m_maxPixels(maxPixels) {}

const ImageBitmap& PictureCache::Get(const std::filesystem::path& path) {
    auto found = m_entries.begin();
    while (found != m_entries.end() && (*found)->path != path) ++found;
    const std::optional<FileVersion> before = VersionOf(path);
    if (found != m_entries.end()) {
        if (before && (*found)->version == *before) {
            m_entries.splice(m_entries.begin(), m_entries, found);
            return m_entries.front()->picture;
        }
        m_entries.erase(found);
    }
    if (!before) return m_none;

    auto entry = std::make_unique<Entry>();
    entry->path = path;
    entry->version = *before;
    ++m_decodes;
    entry->picture.LoadFromFile(path);
    // A file replaced while it was read is decoded again next time.
    const std::optional<FileVersion> after = VersionOf(path);
    if (!after || !(*after == *before)) entry->version = FileVersion{};
    m_entries.push_front(std::move(entry));
    Trim();
    return m_entries.front()->picture;
}

void PictureCache::Trim() {
    int64_t pixels = 0;
    size_t kept = 0;
    for (auto it = m_entries.begin(); it != m_entries.end();) {
        pixels += Pixels((*it)->picture);
        // The picture just asked for stays, whatever its size.
        if (kept > 0 && (kept >= m_maxPictures || pixels > m_maxPixels)) {
            pixels -= Pixels((*it)->picture);
            it = m_entries.erase(it);
        } else {
            ++kept;
            ++it;
        }
    }
}

}  // namespace tavik
