// An HTML window that lays pages out with the words it measured before, and
// shows a long page's first part before the whole of it.
#pragma once

#include <wx/html/htmlwin.h>

#include <memory>

#include "app/measuring_dc.h"

namespace tavik {

// Shows a page exactly as wxHtmlWindow does; only the measuring of its
// words goes through a cache kept for the window's life, which most of the
// time of showing a long entry went to.
//
// A long page is shown in two steps: first a part of it that fills more
// than the window, at once, then, when the program is next idle, the whole
// page in its place, at the same scroll position. Everything that needs the
// whole page (a selection, the page as text, a scroll by the program, a
// click, a key, the wheel) completes it first; a new page drops it.
class MeasuredHtmlWindow : public wxHtmlWindow {
public:
    MeasuredHtmlWindow(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                       long style = wxHW_DEFAULT_STYLE);

    bool SetPage(const wxString& source) override;

    // Whether only the first part of the page is laid out yet.
    bool PagePending() const { return m_pending != nullptr; }
    // Lays the whole page out now when only its first part is.
    void CompletePage();

    // The base class's, on the whole page.
    wxString SelectionToText();
    wxString ToText();
    void SelectAll();

    const TextExtentCache& MeasuredWords() const { return m_measured; }

    // Pages shorter than this many characters are shown whole at once.
    static constexpr size_t kTwoStepLength = 12000;
    // A longer one's first part is at least this long.
    static constexpr size_t kFirstPartLength = 2000;

protected:
    void OnInternalIdle() override;
    void DoScroll(int x, int y) override;
    // The markup the layout is given for a page or its first part: a page
    // as it came, once a long page's first screen is shown.
    virtual wxString PageToShow(const wxString& source) { return source; }
    // A page, or a part of it, is about to be parsed, perhaps again; once
    // the whole page is parsed, it is shown.
    virtual void PageParsing() {}
    virtual void WholePageShown() {}
    // Whether the whole page is being laid out in place of its first part,
    // which looks the same at the top.
    bool CompletingPage() const { return m_completing; }

private:
    // The page's cells as the parser makes them, measured with the cache.
    wxHtmlContainerCell* Parse(const wxString& source);
    void ShowCells(wxHtmlContainerCell* cells);
    bool ShowFirstPart(const wxString& source);
    // Whether the page laid out reaches well below the window's bottom.
    bool FillsWindow() const;
    // The height the first part must pass.
    int WindowFillHeight() const;
    void CompleteFirst(wxEvent& event);

    TextExtentCache m_measured;
    // The page replaced last, deleted once the new one is on the screen:
    // freeing a long page's cells costs as much as laying a short one out.
    std::unique_ptr<wxHtmlContainerCell> m_replaced;
    // The whole page while only its first part is shown.
    std::unique_ptr<wxString> m_pending;
    bool m_completing = false;
};

}  // namespace tavik
