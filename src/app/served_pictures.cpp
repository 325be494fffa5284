// In-memory picture files for the page parser.
#include "app/served_pictures.h"

#include <wx/fs_mem.h>

#include <algorithm>
#include <cstring>

namespace tavik {

bool SamePicture(const wxImage& a, const wxImage& b) {
    if (!a.IsOk() || !b.IsOk()) return false;
    if (a.GetSize() != b.GetSize() || a.HasAlpha() != b.HasAlpha() || a.HasMask() != b.HasMask())
        return false;
    const size_t pixels = size_t(a.GetWidth()) * size_t(a.GetHeight());
    if (std::memcmp(a.GetData(), b.GetData(), pixels * 3) != 0) return false;
    if (a.HasAlpha() && std::memcmp(a.GetAlpha(), b.GetAlpha(), pixels) != 0) return false;
    return !a.HasMask() ||
           (a.GetMaskRed() == b.GetMaskRed() && a.GetMaskGreen() == b.GetMaskGreen() &&
            a.GetMaskBlue() == b.GetMaskBlue());
}

ServedPictures::~ServedPictures() {
    PageDone();
    if (m_kept) wxMemoryFSHandler::RemoveFile(m_kept->name);
}

wxString ServedPictures::Serve(wxImage image) {
    static int64_t serial = 0;
    if (m_kept && SamePicture(m_kept->image, image)) {
        m_page.push_back(m_kept->name);
        return m_kept->name;
    }
    // Handed over and read at once: speed matters more than size.
    image.SetOption(wxIMAGE_OPTION_PNG_COMPRESSION_LEVEL, 1);
    const wxString name =
        wxString::Format("tavik-picture-%lld.png", static_cast<long long>(++serial));
    wxMemoryFSHandler::AddFile(name, image, wxBITMAP_TYPE_PNG);
    ++m_written;
    m_page.push_back(name);
    if (int64_t(image.GetWidth()) * image.GetHeight() <= kMaxKeptPixels) {
        // The picture kept before goes with this page's files if this page
        // uses it too, else now.
        if (m_kept && !Serves(m_kept->name)) wxMemoryFSHandler::RemoveFile(m_kept->name);
        m_kept = Kept{std::move(image), name};
    }
    return name;
}

bool ServedPictures::Serves(const wxString& name) const {
    return std::find(m_page.begin(), m_page.end(), name) != m_page.end();
}

void ServedPictures::PageDone() {
    std::sort(m_page.begin(), m_page.end());
    m_page.erase(std::unique(m_page.begin(), m_page.end()), m_page.end());
    for (const wxString& name : m_page)
        if (!IsKept(name)) wxMemoryFSHandler::RemoveFile(name);
    m_page.clear();
}

}  // namespace tavik
