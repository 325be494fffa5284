// Tavik's icon and the about box's picture.
#pragma once

#include <wx/bitmap.h>
#include <wx/iconbndl.h>

namespace tavik {

// The application icon at 16, 32, 48 and 128 pixels.
wxIconBundle TavikIcons();
// The picture of the about box, 80 by 36 pixels.
wxBitmap AboutPicture();

}  // namespace tavik
