// The entry viewer on wxHtmlWindow.
#include "app/html_viewer.h"

#include <wx/dc.h>
#include <wx/filesys.h>
#include <wx/fs_mem.h>
#include <wx/image.h>

#include <algorithm>
#include <utility>

#include "app/command_ids.h"
#include "app/page_faces.h"
#include "app/picture.h"
#include "app/wx_text.h"
#include "dict/page_bounds.h"

namespace tavik {

namespace {

// Pictures reach the page parser as files: each answered picture is handed
// over as an in-memory file under a name of its own.
const wxString kMemoryScheme = "memory:";

void AddMemoryFiles() {
    if (!wxFileSystem::HasHandlerForPath(kMemoryScheme + "x"))
        wxFileSystem::AddHandler(new wxMemoryFSHandler);
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
}

}  // namespace

HtmlViewerHost::HtmlViewerHost(wxWindow* parent, const wxRect& rect, Callbacks callbacks)
    : MeasuredHtmlWindow(parent, kIdHtmlView, rect.GetPosition(), rect.GetSize(),
                         wxHW_SCROLLBAR_AUTO | wxCLIP_SIBLINGS),
      m_callbacks(std::move(callbacks)) {
    AddMemoryFiles();
    const PageFaces faces = CurrentPageFaces();
    SetFonts(faces.normal, faces.fixed);
    SetBorders(6);
    // The background stays put while the text scrolls, so a scroll redraws
    // the whole window instead of moving what is drawn.
    EnableScrolling(false, false);
    Bind(wxEVT_ERASE_BACKGROUND, &HtmlViewerHost::OnPageBackground, this);
}

HtmlViewerHost::~HtmlViewerHost() = default;

void HtmlViewerHost::Clear() { m_source.clear(); }

void HtmlViewerHost::AddText(const Text& html) { m_source += ToWx(html); }

void HtmlViewerHost::EndOfSource() {
    m_shownSource = m_source;
    m_pageBackground = wxBitmap();
    // The pictures of a page shown in two steps stay served until the
    // whole page is parsed.
    if (PagePending()) ForgetServedPictures();
    SetPage(m_source);
    if (!PagePending()) WholePageShown();
}

wxString HtmlViewerHost::PageToShow(const wxString& source) {
    // Dictionary markup reaches the page as it is written: a page the layout
    // could not take in bounded time and memory is trimmed first.
    const std::optional<Text> bounded = BoundPage(FromWx(source));
    return bounded ? ToWx(*bounded) : source;
}

void HtmlViewerHost::PageParsing() {
    // A first part's pictures are asked for again, from memory: each use
    // counts once.
    m_pagePixels = 0;
}

void HtmlViewerHost::WholePageShown() {
    // The parser has read every picture by now.
    m_picturePixelsShown = m_pagePixels;
    ForgetServedPictures();
}

void HtmlViewerHost::SetCopyText(const Text& plain) {
    if (m_callbacks.onCopyText) m_callbacks.onCopyText(plain);
}

void HtmlViewerHost::SetImage(int cookie, const wxBitmap& picture) {
    if (m_pendingCookie != cookie) return;
    m_answer = picture;
}

void HtmlViewerHost::ImageFail(int cookie) {
    if (m_pendingCookie != cookie) return;
    m_answer = wxBitmap();
}

void HtmlViewerHost::SetHTMLBackgroundImage(const wxBitmapBundle& picture) {
    m_pageBackground = picture.IsOk() ? picture.GetBitmap(wxDefaultSize) : wxBitmap();
    if (!CompletingPage()) Refresh();
}

void HtmlViewerHost::OnLinkClicked(const wxHtmlLinkInfo& link) {
    // Links are shown, never followed: the dictionary holds no pages to go to.
    if (m_callbacks.onHotspot) m_callbacks.onHotspot(link.GetHref());
}

wxHtmlOpeningStatus HtmlViewerHost::OnOpeningURL(wxHtmlURLType type, const wxString& url,
                                                 wxString* redirect) const {
    // Nothing but pictures is ever loaded from a page, and every picture
    // comes from the host: the parser never opens a path a page names.
    if (type != wxHTML_URL_IMAGE) return wxHTML_BLOCK;
    if (url.StartsWith(kMemoryScheme) && m_served.Serves(url.Mid(kMemoryScheme.length())))
        return wxHTML_OPEN;
    if (!m_callbacks.onPicture || !redirect) return wxHTML_BLOCK;

    // Each picture a page names is asked for once, however often the page
    // uses it; every use counts against the page's pixels, since the viewer
    // holds a decoded copy for each.
    auto known = m_pagePictures.find(url);
    if (known == m_pagePictures.end()) {
        if (m_pagePixels >= kMaxPagePicturePixels) return wxHTML_BLOCK;
        known = m_pagePictures.emplace(url, AskForPicture(url)).first;
    }
    const ServedPicture& picture = known->second;
    if (picture.name.empty() || m_pagePixels + picture.pixels > kMaxPagePicturePixels)
        return wxHTML_BLOCK;
    m_pagePixels += picture.pixels;
    *redirect = kMemoryScheme + picture.name;
    return wxHTML_REDIRECT;
}

HtmlViewerHost::ServedPicture HtmlViewerHost::AskForPicture(const wxString& url) const {
    const int cookie = ++m_lastCookie;
    m_pendingCookie = cookie;
    m_answer = wxBitmap();
    m_callbacks.onPicture(PictureRequest{cookie, url});
    m_pendingCookie.reset();
    const wxBitmap answer = std::exchange(m_answer, wxBitmap());
    if (!answer.IsOk()) return {};

    wxImage image = answer.ConvertToImage();
    const int64_t pixels = int64_t(image.GetWidth()) * image.GetHeight();
    return {m_served.Serve(std::move(image)), pixels};
}

void HtmlViewerHost::ForgetServedPictures() {
    m_served.PageDone();
    m_pagePictures.clear();
    m_pagePixels = 0;
}

void HtmlViewerHost::OnPageBackground(wxEraseEvent& event) {
    wxDC& dc = *event.GetDC();
    dc.SetBackground(wxBrush(GetBackgroundColour()));
    dc.Clear();
    if (!m_pageBackground.IsOk()) return;
    // The drawing context follows the scrolled text; the picture stays at
    // the window's bottom right corner.
    const wxSize client = GetClientSize();
    const wxPoint corner(client.x - m_pageBackground.GetWidth(),
                         client.y - m_pageBackground.GetHeight());
    dc.DrawBitmap(m_pageBackground, CalcUnscrolledPosition(corner), true);
}

}  // namespace tavik
