// The main window's size, place and maximised state between runs.
#pragma once

#include <wx/confbase.h>
#include <wx/gdicmn.h>
#include <wx/toplevel.h>

#include <optional>

namespace tavik {

struct WindowGeometry {
    wxRect frame;  // the whole window, in screen coordinates
    bool maximised = false;
};

// The stored geometry; none when nothing usable is stored.
std::optional<WindowGeometry> ReadWindowGeometry(wxConfigBase& settings);
void WriteWindowGeometry(wxConfigBase& settings, const WindowGeometry& geometry);

// `wanted` brought onto `workArea`: no larger than it, no smaller than
// `minimum` (where the work area allows), and moved inside it.
wxRect FitOnScreen(const wxRect& wanted, const wxSize& minimum, const wxRect& workArea);

// Gives `frame` its stored size, place and state, or else the client size
// `client`; either way it fits on its screen and is never smaller than
// `minimumClient`.
void RestoreWindowGeometry(wxTopLevelWindow& frame, wxConfigBase& settings, const wxSize& client,
                           const wxSize& minimumClient);
// Stores the size and place the window has when not maximised, and whether
// it is.
void SaveWindowGeometry(const wxTopLevelWindow& frame, wxConfigBase& settings);

}  // namespace tavik
