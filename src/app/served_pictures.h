// The pictures a page names, handed to the page parser as in-memory files.
#pragma once

#include <wx/image.h>
#include <wx/string.h>

#include <optional>
#include <vector>

namespace tavik {

// Every page of an entry names the same background: the last picture
// served is kept for the next page, which takes it without its file being
// written again (writing it cost more than all the rest of the picture).
class ServedPictures {
public:
    // Keeps the last picture only up to this size (pixels): a larger one
    // is written again for each page rather than held.
    static constexpr int64_t kMaxKeptPixels = 1'000'000;

    ServedPictures() = default;
    ~ServedPictures();
    ServedPictures(const ServedPictures&) = delete;
    ServedPictures& operator=(const ServedPictures&) = delete;

    // The name of an in-memory file that holds `image` for the page being
    // parsed. Names are unique in the process: a kept file outlives the
    // page, and other viewers serve pictures too.
    wxString Serve(wxImage image);
    // Whether `name` is a file served for the page being parsed.
    bool Serves(const wxString& name) const;
    // The page is parsed: its files go, except the one kept.
    void PageDone();

    // How many files were written: for the tests.
    int Written() const { return m_written; }

private:
    struct Kept {
        wxImage image;
        wxString name;
    };
    bool IsKept(const wxString& name) const { return m_kept && m_kept->name == name; }

    std::vector<wxString> m_page;
    std::optional<Kept> m_kept;
    int m_written = 0;
};

// Whether two pictures have the same size and the same pixels, alpha and
// mask.
bool SamePicture(const wxImage& a, const wxImage& b);

}  // namespace tavik
