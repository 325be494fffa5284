// An HTML window that lays pages out with the words it measured before.
#pragma once

#include <wx/html/htmlwin.h>

#include <memory>

#include "app/measuring_dc.h"

namespace tavik {

// Shows a page exactly as wxHtmlWindow does; only the measuring of its
// words goes through a cache kept for the window's life, which most of the
// time of showing a long entry went to.
class MeasuredHtmlWindow : public wxHtmlWindow {
public:
    using wxHtmlWindow::wxHtmlWindow;

    bool SetPage(const wxString& source) override;

    const TextExtentCache& MeasuredWords() const { return m_measured; }

private:
    TextExtentCache m_measured;
    // The page replaced last, deleted once the new one is on the screen:
    // freeing a long page's cells costs as much as laying a short one out.
    std::unique_ptr<wxHtmlContainerCell> m_replaced;
};

}  // namespace tavik
