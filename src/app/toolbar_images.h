// The four 16x16 toolbar pictures, drawn in code: blue on light grey.
#pragma once

#include <wx/bitmap.h>

namespace tavik {

wxBitmap AddWordBookImage();  // a plus
wxBitmap RecentWordsImage();  // a page of lines
wxBitmap WordBookImage();     // a ring-bound notebook
wxBitmap AboutImage();        // a question mark

}  // namespace tavik
