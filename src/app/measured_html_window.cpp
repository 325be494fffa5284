// Setting a page: the steps of wxHtmlWindow's own, with the measuring
// context in place of the window's, and a long page in two steps.
#include "app/measured_html_window.h"

#include <wx/dcclient.h>
#include <wx/html/winpars.h>

#include <algorithm>
#include <utility>

#include "app/wx_text.h"
#include "dict/page_first_part.h"

namespace tavik {

MeasuredHtmlWindow::MeasuredHtmlWindow(wxWindow* parent, wxWindowID id, const wxPoint& pos,
                                       const wxSize& size, long style)
    : wxHtmlWindow(parent, id, pos, size, style) {
    // Bound before anyone else's handlers, so it runs after theirs: theirs
    // only decide; the base class's event table, which acts, runs last.
    for (const auto type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_DCLICK, wxEVT_RIGHT_DOWN, wxEVT_MIDDLE_DOWN,
                            wxEVT_MOUSEWHEEL})
        Bind(type, &MeasuredHtmlWindow::CompleteFirst, this);
    Bind(wxEVT_KEY_DOWN, &MeasuredHtmlWindow::CompleteFirst, this);
    for (const auto type :
         {wxEVT_SCROLLWIN_TOP, wxEVT_SCROLLWIN_BOTTOM, wxEVT_SCROLLWIN_LINEUP,
          wxEVT_SCROLLWIN_LINEDOWN, wxEVT_SCROLLWIN_PAGEUP, wxEVT_SCROLLWIN_PAGEDOWN,
          wxEVT_SCROLLWIN_THUMBTRACK, wxEVT_SCROLLWIN_THUMBRELEASE})
        Bind(type, &MeasuredHtmlWindow::CompleteFirst, this);
}

bool MeasuredHtmlWindow::SetPage(const wxString& source) {
    m_pending.reset();
    // A selection being dragged holds a cell of the page in the base class,
    // out of reach here: the base class replaces the page then.
    if (m_makingSelection) return wxHtmlWindow::SetPage(PageToShow(source));

    m_OpenedPage.clear();
    m_OpenedAnchor.clear();
    m_OpenedPageTitle.clear();
    wxDELETE(m_selection);
    SetBackgroundColour(*wxWHITE);
    SetBackgroundImage(wxBitmapBundle());

    // The parser may look at the page being replaced while it works: it
    // must not find it.
    const bool deletionPending = m_replaced != nullptr;
    m_replaced.reset(std::exchange(m_Cell, nullptr));
    if (!ShowFirstPart(source)) {
        PageParsing();
        ShowCells(Parse(PageToShow(source)));
    }
    Refresh();
    if (!deletionPending) CallAfter([this] { m_replaced.reset(); });
    if (PagePending()) Update();  // on the screen before the rest is laid out
    return true;
}

bool MeasuredHtmlWindow::ShowFirstPart(const wxString& source) {
    if (source.length() < kTwoStepLength) return false;
    for (size_t least = kFirstPartLength; 2 * least < source.length();) {
        // Where to cut depends only on what comes before: the start of the
        // page is enough to find it.
        const Text start = FromWx(source.Left(2 * least));
        const std::optional<size_t> end = PageFirstPartEnd(start, least);
        if (!end) break;
        delete std::exchange(m_Cell, nullptr);
        PageParsing();
        ShowCells(Parse(PageToShow(ToWx(start.substr(0, *end)))));
        // The first part must fill the window: what it shows is then all
        // anyone sees until the whole page is there.
        if (FillsWindow()) {
            m_pending = std::make_unique<wxString>(source);
            return true;
        }
        // Longer by what was missing, and some more.
        const double missing = double(WindowFillHeight()) / std::max(m_Cell->GetHeight(), 1);
        least = std::max(2 * least, size_t(double(*end) * missing * 1.25));
    }
    delete std::exchange(m_Cell, nullptr);
    return false;
}

void MeasuredHtmlWindow::CompletePage() {
    if (!m_pending) return;
    const std::unique_ptr<wxString> source = std::move(m_pending);
    PageParsing();
    const wxPoint at = GetViewStart();
    wxDELETE(m_selection);
    // The window shows nothing but the first part's lines, which the whole
    // page lays out the same: it is not drawn again.
    const bool sameOnScreen = at == wxPoint(0, 0) && FillsWindow();
    std::unique_ptr<wxHtmlContainerCell> firstPart(std::exchange(m_Cell, nullptr));
    m_completing = true;
    ShowCells(Parse(PageToShow(*source)));
    m_completing = false;
    Scroll(at);
    if (!sameOnScreen) Refresh();
    WholePageShown();
}

int MeasuredHtmlWindow::WindowFillHeight() const {
    // With a margin: the end of a page is laid out with less space after
    // its last line than that line has with more below it.
    const int visible = GetClientSize().y;
    return visible + visible / 4 + 2 * m_Borders;
}

bool MeasuredHtmlWindow::FillsWindow() const {
    return m_Cell && m_Cell->GetHeight() > WindowFillHeight();
}

wxHtmlContainerCell* MeasuredHtmlWindow::Parse(const wxString& source) {
    wxClientDC window(this);
    window.SetMapMode(wxMM_TEXT);
    double pixelScale = 1.0;
#ifndef wxHAVE_DPI_INDEPENDENT_PIXELS
    pixelScale = GetContentScaleFactor();
#endif
    MeasuringDC measuring(window, m_measured);
    m_Parser->SetDC(&measuring, pixelScale, 1.0);
    auto* cells = static_cast<wxHtmlContainerCell*>(m_Parser->Parse(source));
    m_Parser->SetDC(nullptr);
    return cells;
}

void MeasuredHtmlWindow::ShowCells(wxHtmlContainerCell* cells) {
    m_Cell = cells;
    m_Cell->SetIndent(m_Borders, wxHTML_INDENT_ALL, wxHTML_UNITS_PIXELS);
    m_Cell->SetAlignHor(wxHTML_ALIGN_CENTER);
    CreateLayout();
}

wxString MeasuredHtmlWindow::SelectionToText() {
    CompletePage();
    return wxHtmlWindow::SelectionToText();
}

wxString MeasuredHtmlWindow::ToText() {
    CompletePage();
    return wxHtmlWindow::ToText();
}

void MeasuredHtmlWindow::SelectAll() {
    CompletePage();
    wxHtmlWindow::SelectAll();
}

void MeasuredHtmlWindow::OnInternalIdle() {
    wxHtmlWindow::OnInternalIdle();
    CompletePage();
}

void MeasuredHtmlWindow::DoScroll(int x, int y) {
    // Only the top of the page is sure to be laid out as it will stay.
    if (x != 0 || y != 0) CompletePage();
    wxHtmlWindow::DoScroll(x, y);
}

void MeasuredHtmlWindow::CompleteFirst(wxEvent& event) {
    CompletePage();
    event.Skip();
}

}  // namespace tavik
