// The entry viewer: an HTML window that receives pages as a clear, pieces of
// text and an end of source, and asks its host about links and pictures.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "app/measured_html_window.h"
#include "app/served_pictures.h"
#include "dict/screen.h"

namespace tavik {

// A picture a page names. The host answers it, while handling it, with
// SetImage or ImageFail and the same cookie.
struct PictureRequest {
    int cookie = 0;
    wxString source;
};

class HtmlViewerHost : public MeasuredHtmlWindow, public PageSink {
public:
    struct Callbacks {
        std::function<void(const wxString& target)> onHotspot;
        std::function<void(const PictureRequest& request)> onPicture;
        std::function<void(const Text& plain)> onCopyText;
    };

    HtmlViewerHost(wxWindow* parent, const wxRect& rect, Callbacks callbacks);
    ~HtmlViewerHost() override;

    void Clear() override;
    void AddText(const Text& html) override;
    void EndOfSource() override;
    void SetCopyText(const Text& plain) override;

    // Answers to the picture request being handled; an answer with any
    // other cookie is ignored. The viewer keeps the bitmap it is given.
    void SetImage(int cookie, const wxBitmap& picture);
    void ImageFail(int cookie);

    // The source of the page shown last.
    const wxString& ShownSource() const { return m_shownSource; }
    // The pixels of the pictures handed to the page shown last, each use
    // counted.
    int64_t PicturePixelsShown() const { return m_picturePixelsShown; }
    // The page background as the page got it; invalid when it has none.
    const wxBitmap& PageBackground() const { return m_pageBackground; }

    // The page background: drawn by the viewer itself at the bottom right
    // of the visible area, not tiled, not scrolled with the text.
    void SetHTMLBackgroundImage(const wxBitmapBundle& picture) override;

protected:
    wxString PageToShow(const wxString& source) override;
    void PageParsing() override;
    void WholePageShown() override;
    void OnLinkClicked(const wxHtmlLinkInfo& link) override;
    wxHtmlOpeningStatus OnOpeningURL(wxHtmlURLType type, const wxString& url,
                                     wxString* redirect) const override;

private:
    void OnPageBackground(wxEraseEvent& event);
    struct ServedPicture {
        wxString name;  // the in-memory file; empty when there is no picture
        int64_t pixels = 0;
    };
    ServedPicture AskForPicture(const wxString& url) const;
    void ForgetServedPictures();

    Callbacks m_callbacks;
    wxString m_source;
    wxString m_shownSource;
    wxBitmap m_pageBackground;

    // Picture requests are made by the page parser from a const member;
    // these follow the one being answered and the copies handed back.
    mutable int m_lastCookie = 0;
    mutable std::optional<int> m_pendingCookie;
    mutable wxBitmap m_answer;
    mutable ServedPictures m_served;
    // The pictures of the page being parsed, by the source the page names,
    // and the pixels handed to the viewer for it so far.
    mutable std::map<wxString, ServedPicture> m_pagePictures;
    mutable int64_t m_pagePixels = 0;
    int64_t m_picturePixelsShown = 0;
};

}  // namespace tavik
