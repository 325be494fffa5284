// The pictures are XPM images, kept in res/ and compiled in.
#include "app/about_pictures.h"

#include <wx/icon.h>
#include <wx/image.h>

#include "app/program_icons.h"

namespace tavik {

namespace {
#include "../../res/tavik_icon_16.xpm"
#include "../../res/tavik_icon_32.xpm"
#include "../../res/tavik_picture.xpm"
}  // namespace

wxIconBundle TavikIcons() {
    // The installed icon at every size it comes in, so the desktop need not
    // scale one; the drawn ones stand in should a picture not decode.
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
    wxIconBundle icons;
    for (const PngData& png : ProgramIconPngs()) {
        const wxBitmap bitmap = wxBitmap::NewFromPNGData(png.bytes, png.size);
        if (!bitmap.IsOk()) continue;
        wxIcon icon;
        icon.CopyFromBitmap(bitmap);
        icons.AddIcon(icon);
    }
    if (icons.IsEmpty()) {
        icons.AddIcon(wxIcon(tavik_icon_32_xpm));
        icons.AddIcon(wxIcon(tavik_icon_16_xpm));
    }
    return icons;
}

wxBitmap AboutPicture() { return wxBitmap(tavik_picture_xpm); }

}  // namespace tavik
