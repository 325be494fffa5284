// A decoded picture: the skin's backgrounds and whatever pictures a page
// names. Only regular files of a sane size in BMP, GIF, PNG or JPEG are
// decoded; anything else leaves nothing held.
#pragma once

#include <wx/bitmap.h>

#include <cstdint>
#include <filesystem>

namespace tavik {

// Bounds on what a picture file may claim, checked before decoding.
inline constexpr int64_t kMaxPictureBytes = 32 * 1024 * 1024;
inline constexpr int kMaxPictureSide = 10000;
inline constexpr int64_t kMaxPicturePixels = 25'000'000;
// The pixels of all pictures of one page together, each use counted: the
// viewer holds a decoded copy for every use.
inline constexpr int64_t kMaxPagePicturePixels = kMaxPicturePixels;

class ImageBitmap {
public:
    ImageBitmap() = default;
    virtual ~ImageBitmap() = default;
    ImageBitmap(const ImageBitmap&) = delete;
    ImageBitmap& operator=(const ImageBitmap&) = delete;

    // Replaces the held picture by the one in `path`; false when nothing is
    // held afterwards (the previous picture is gone either way).
    bool LoadFromFile(const std::filesystem::path& path);
    // A new bitmap holding a copy of the picture, shared with nothing;
    // invalid when no picture is held.
    wxBitmap CreateCopy() const;
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    bool IsOk() const { return m_bitmap.IsOk(); }
    const wxBitmap& Bitmap() const { return m_bitmap; }

private:
    void Release();

    int m_height = 0;
    int m_width = 0;
    wxBitmap m_bitmap;
};

}  // namespace tavik
