// Decoded pictures kept while their files stay the same, so that a repaint
// or a new page draws from memory instead of decoding the file again.
#pragma once

#include <cstdint>
#include <filesystem>
#include <list>
#include <memory>

#include "app/picture.h"
#include "text/file_identity.h"

namespace tavik {

class PictureCache {
public:
    // Keeps at most `maxPictures` files and `maxPixels` decoded pixels; the
    // picture used longest ago goes first.
    PictureCache(size_t maxPictures, int64_t maxPixels);

    // The picture at `path`, decoded anew only when the file is another
    // version than the one decoded last. A file that cannot be decoded gives
    // a picture that is not IsOk(); the reference is good until the next Get.
    const ImageBitmap& Get(const std::filesystem::path& path);

    // How many times a file was decoded: for the tests.
    int Decodes() const { return m_decodes; }

private:
    struct Entry {
        std::filesystem::path path;
        FileIdentity version;
        ImageBitmap picture;
    };
    void Trim();

    size_t m_maxPictures;
    int64_t m_maxPixels;
    std::list<std::unique_ptr<Entry>> m_entries;  // the last used first
    ImageBitmap m_none;
    int m_decodes = 0;
};

}  // namespace tavik
