// The entry viewer: an HTML window that receives pages as a clear, pieces of
// text and an end of source, and asks its host about links and pictures.
#pragma once

#include <wx/html/htmlwin.h>

#include <functional>

#include "dict/screen.h"

namespace tavik {

class HtmlViewerHost : public wxHtmlWindow, public PageSink {
public:
    struct Callbacks {
        std::function<void(const wxString& target)> onHotspot;
        // Answers a picture request: true when the picture is available.
        std::function<bool(const wxString& source)> onPicture;
        std::function<void(const Text& plain)> onCopyText;
    };

    HtmlViewerHost(wxWindow* parent, const wxRect& rect, Callbacks callbacks);

    void Clear() override;
    void AddText(const Text& html) override;
    void EndOfSource() override;
    void SetCopyText(const Text& plain) override;

    // The source of the page shown last.
    const wxString& ShownSource() const { return m_shownSource; }

protected:
    void OnLinkClicked(const wxHtmlLinkInfo& link) override;
    wxHtmlOpeningStatus OnOpeningURL(wxHtmlURLType type, const wxString& url,
                                     wxString* redirect) const override;

private:
    Callbacks m_callbacks;
    wxString m_source;
    wxString m_shownSource;
};

}  // namespace tavik
