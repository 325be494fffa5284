// The decoded-picture cache.
#include "app/picture_cache.h"

#include <optional>

namespace tavik {

namespace {

int64_t Pixels(const ImageBitmap& picture) {
    return int64_t(picture.GetWidth()) * picture.GetHeight();
}

}  // namespace

PictureCache::PictureCache(size_t maxPictures, int64_t maxPixels)
    : m_maxPictures(maxPictures), m_maxPixels(maxPixels) {}

const ImageBitmap& PictureCache::Get(const std::filesystem::path& path) {
    auto found = m_entries.begin();
    while (found != m_entries.end() && (*found)->path != path) ++found;
    const std::optional<FileIdentity> before = PathIdentity(path);
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
    const std::optional<FileIdentity> after = PathIdentity(path);
    if (!after || *after != *before) entry->version = FileIdentity{};
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
