// The text the user selected in any program, for `tavik --selection`.
#pragma once

#include <wx/string.h>

namespace tavik {

// The word of the X11 primary selection (what is highlighted now), else of
// the clipboard (what was copied); empty when neither holds text.
wxString SelectedWord();

}  // namespace tavik
