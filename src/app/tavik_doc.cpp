// The empty document.
#include "app/tavik_doc.h"

namespace tavik {

wxIMPLEMENT_DYNAMIC_CLASS(CTavikDoc, wxDocument);

}  // namespace tavik
