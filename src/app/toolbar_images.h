// The toolbar pictures, 16x16, drawn in code: blue on light grey. Drawn
// rather than taken from the icon theme, so that they look alike and stay
// readable on a desktop whose theme lacks them.
#pragma once

#include <wx/bitmap.h>

namespace tavik {

wxBitmap BackImage();         // an arrow to the left
wxBitmap ForwardImage();      // an arrow to the right
wxBitmap AddWordBookImage();  // a plus
wxBitmap RecentWordsImage();  // a page of lines
wxBitmap WordBookImage();     // a ring-bound notebook
wxBitmap AboutImage();        // a question mark

}  // namespace tavik
