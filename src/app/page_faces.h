// The faces the page is drawn in.
#pragma once

#include <wx/string.h>

#include "app/ui_language.h"

namespace tavik {

struct PageFaces {
    wxString normal;  // empty: the toolkit's default face
    wxString fixed;
};

// Korean windows draw pages in NanumGothic where it is installed, as the
// controls are. Its backslash is the won sign, the Korean convention, which
// an English reader takes for a currency in every dictd pronunciation
// (GCIDE's \Keg\), so other languages keep the toolkit's face; the toolkit
// still finds a Korean face for Hangul on its own.
PageFaces ChoosePageFaces(UiLanguage language, bool nanumInstalled);

// The faces for the language the window speaks, on this computer.
PageFaces CurrentPageFaces();

}  // namespace tavik
