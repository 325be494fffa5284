// The entry viewer on wxHtmlWindow.
#include "app/html_viewer.h"

#include <wx/fontenum.h>

#include "app/command_ids.h"
#include "app/wx_text.h"

namespace tavik {

HtmlViewerHost::HtmlViewerHost(wxWindow* parent, const wxRect& rect, Callbacks callbacks)
    : wxHtmlWindow(parent, kIdHtmlView, rect.GetPosition(), rect.GetSize(),
                   wxHW_SCROLLBAR_AUTO | wxCLIP_SIBLINGS),
      m_callbacks(std::move(callbacks)) {
    // Korean text needs a face that holds it; the rest falls back to the
    // toolkit's default.
    if (wxFontEnumerator::IsValidFacename("NanumGothic"))
        SetFonts("NanumGothic", "NanumGothicCoding");
    SetBorders(6);
}

void HtmlViewerHost::Clear() { m_source.clear(); }

void HtmlViewerHost::AddText(const Text& html) { m_source += ToWx(html); }

void HtmlViewerHost::EndOfSource() {
    m_shownSource = m_source;
    SetPage(m_source);
}

void HtmlViewerHost::SetCopyText(const Text& plain) {
    if (m_callbacks.onCopyText) m_callbacks.onCopyText(plain);
}

void HtmlViewerHost::OnLinkClicked(const wxHtmlLinkInfo& link) {
    // Links are shown, never followed: the dictionary holds no pages to go to.
    if (m_callbacks.onHotspot) m_callbacks.onHotspot(link.GetHref());
}

wxHtmlOpeningStatus HtmlViewerHost::OnOpeningURL(wxHtmlURLType type, const wxString& url,
                                                 wxString* /*redirect*/) const {
    if (type == wxHTML_URL_IMAGE)
        return m_callbacks.onPicture && m_callbacks.onPicture(url) ? wxHTML_OPEN : wxHTML_BLOCK;
    // Nothing but pictures is ever loaded from a page.
    return wxHTML_BLOCK;
}

}  // namespace tavik
