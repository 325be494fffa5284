// The pictures are XPM images, kept in res/ and compiled in.
#include "app/about_pictures.h"

#include <wx/icon.h>

namespace tavik {

namespace {
#include "../../res/tavik_icon_16.xpm"
#include "../../res/tavik_icon_32.xpm"
#include "../../res/tavik_picture.xpm"
}  // namespace

wxIconBundle TavikIcons() {
    wxIconBundle icons;
    icons.AddIcon(wxIcon(tavik_icon_32_xpm));
    icons.AddIcon(wxIcon(tavik_icon_16_xpm));
    return icons;
}

wxBitmap AboutPicture() { return wxBitmap(tavik_picture_xpm); }

}  // namespace tavik
