// The about box: the icon, the name and version, a picture, the contact line
// and the rights notice, centred over the main window.
#pragma once

#include <wx/dialog.h>

namespace tavik {

inline constexpr char kAboutDlgResource[] = "100";

enum AboutDlgId : int {
    kIdAboutIcon = 128,
    kIdAboutContact = 1025,
    kIdAboutPicture = 155,
};

class CAboutDlg : public wxDialog {
public:
    // Builds the window from its resource, with its pictures, centred over
    // `parent`; false when that fails.
    bool Load(wxWindow* parent);

private:
    void OnCharHook(wxKeyEvent& event);
};

void RunAboutDlg(wxWindow* parent);

}  // namespace tavik
