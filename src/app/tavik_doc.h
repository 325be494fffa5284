// The document of the single-document template; it holds no data.
#pragma once

#include <wx/docview.h>

namespace tavik {

class CTavikDoc : public wxDocument {
public:
    CTavikDoc() = default;

private:
    wxDECLARE_DYNAMIC_CLASS(CTavikDoc);
};

}  // namespace tavik
