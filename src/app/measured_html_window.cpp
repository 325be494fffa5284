// Setting a page: the steps of wxHtmlWindow's own, with the measuring
// context in place of the window's.
#include "app/measured_html_window.h"

#include <wx/dcclient.h>
#include <wx/html/winpars.h>

#include <utility>

namespace tavik {

bool MeasuredHtmlWindow::SetPage(const wxString& source) {
    // A selection being dragged holds a cell of the page in the base class,
    // out of reach here: the base class replaces the page then.
    if (m_makingSelection) return wxHtmlWindow::SetPage(source);

    m_OpenedPage.clear();
    m_OpenedAnchor.clear();
    m_OpenedPageTitle.clear();
    wxDELETE(m_selection);

    wxClientDC window(this);
    window.SetMapMode(wxMM_TEXT);
    SetBackgroundColour(*wxWHITE);
    SetBackgroundImage(wxBitmapBundle());
    double pixelScale = 1.0;
#ifndef wxHAVE_DPI_INDEPENDENT_PIXELS
    pixelScale = GetContentScaleFactor();
#endif
    MeasuringDC measuring(window, m_measured);
    m_Parser->SetDC(&measuring, pixelScale, 1.0);
    // The parser may look at the page being replaced while it works: it
    // must not find it.
    const bool deletionPending = m_replaced != nullptr;
    m_replaced.reset(std::exchange(m_Cell, nullptr));
    m_Cell = static_cast<wxHtmlContainerCell*>(m_Parser->Parse(source));
    m_Parser->SetDC(nullptr);

    m_Cell->SetIndent(m_Borders, wxHTML_INDENT_ALL, wxHTML_UNITS_PIXELS);
    m_Cell->SetAlignHor(wxHTML_ALIGN_CENTER);
    CreateLayout();
    Refresh();
    if (!deletionPending) CallAfter([this] { m_replaced.reset(); });
    return true;
}

}  // namespace tavik
