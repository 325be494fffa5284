// A decoded picture that the entry pages name (the page background).
#pragma once

#include <wx/bitmap.h>

#include <filesystem>

namespace tavik {

class ImageBitmap {
public:
    // Replaces the held picture by the one in `path`; false when nothing is
    // held afterwards. Decoding of the skin's pictures is not wired up yet:
    // every request is answered with "no picture".
    bool LoadFromFile(const std::filesystem::path& path);
    bool IsOk() const { return m_bitmap.IsOk(); }
    int GetWidth() const { return m_bitmap.IsOk() ? m_bitmap.GetWidth() : 0; }
    int GetHeight() const { return m_bitmap.IsOk() ? m_bitmap.GetHeight() : 0; }

private:
    wxBitmap m_bitmap;
};

}  // namespace tavik
