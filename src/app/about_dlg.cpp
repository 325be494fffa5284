// The about box.
#include "app/about_dlg.h"

#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/xrc/xmlres.h>

#include "app/about_pictures.h"
#include "app/dialog_support.h"
#include "version/tavik_version.h"

namespace tavik {

bool CAboutDlg::Load(wxWindow* parent) {
    if (!LoadDialogResource(*this, parent, kAboutDlgResource)) return false;
    auto* icon = DialogControl<wxStaticBitmap>(*this, kIdAboutIcon);
    auto* picture = DialogControl<wxStaticBitmap>(*this, kIdAboutPicture);
    if (!icon || !picture) return false;
    const wxIconBundle icons = TavikIcons();
    SetIcons(icons);
    const wxIcon large = icons.GetIcon(wxSize(32, 32), wxIconBundle::FALLBACK_NONE);
    icon->SetIcon(large);
    icon->SetSize(large.GetSize());
    // The version comes from the build, never from the resource's text.
    if (auto* version = dynamic_cast<wxStaticText*>(FindWindow(XRCID("about_version"))))
        version->SetLabel(wxString::Format("Tavik ver %s", kTavikVersion));
    const wxBitmap bitmap = AboutPicture();
    picture->SetBitmap(bitmap);
    picture->SetSize(bitmap.GetSize());
    Bind(wxEVT_CHAR_HOOK, &CAboutDlg::OnCharHook, this);
    CentreOnParent();
    return true;
}

void CAboutDlg::OnCharHook(wxKeyEvent& event) {
    // The box has no buttons: Enter and Escape close it as OK and Cancel do.
    switch (event.GetKeyCode()) {
        case WXK_RETURN:
        case WXK_NUMPAD_ENTER:
            EndModal(wxID_OK);
            break;
        case WXK_ESCAPE:
            EndModal(wxID_CANCEL);
            break;
        default:
            event.Skip();
            break;
    }
}

void RunAboutDlg(wxWindow* parent) {
    CAboutDlg dialog;
    if (dialog.Load(parent)) dialog.ShowModal();
}

}  // namespace tavik
