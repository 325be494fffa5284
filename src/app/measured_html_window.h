// An HTML window that lays pages out with the words it measured before.
#pragma once

#include <wx/html/htmlwin.h>

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
};

}  // namespace tavik
