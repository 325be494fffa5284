// Shared parts of the dialogs.
#include "app/dialog_support.h"

#include <wx/button.h>
#include <wx/log.h>
#include <wx/xrc/xmlres.h>

#include "app/prompts.h"

namespace tavik {

bool LoadDialogResource(wxDialog& dialog, wxWindow* parent, const char* name) {
    if (wxXmlResource::Get()->LoadDialog(&dialog, parent, name)) return true;
    wxLogError("The window resource %s cannot be loaded.", name);
    return false;
}

void RouteEnterToOk(wxDialog& dialog) {
    dialog.Bind(wxEVT_CHAR_HOOK, [&dialog](wxKeyEvent& event) {
        const int key = event.GetKeyCode();
        const bool enter = key == WXK_RETURN || key == WXK_NUMPAD_ENTER;
        auto* ok = DialogControl<wxButton>(dialog, wxID_OK);
        if (!enter || !ok || dynamic_cast<wxButton*>(wxWindow::FindFocus())) {
            event.Skip();
            return;
        }
        // Taken here, the key never reaches the list, which would treat it
        // as a double click.
        wxCommandEvent click(wxEVT_BUTTON, wxID_OK);
        click.SetEventObject(ok);
        ok->ProcessWindowEvent(click);
    });
}

void ChooseOnDoubleClick(wxDialog& dialog, wxWindow& list) {
    list.Bind(wxEVT_LISTBOX_DCLICK, [&dialog](wxCommandEvent& /*event*/) {
        auto* ok = DialogControl<wxButton>(dialog, wxID_OK);
        if (!ok) return;
        wxCommandEvent click(wxEVT_BUTTON, wxID_OK);
        click.SetEventObject(ok);
        ok->ProcessWindowEvent(click);
    });
}

bool ConfirmDeletion(wxDialog& dialog, const char* questionUtf8) {
    return AppPrompts().confirm(&dialog, Korean(questionUtf8));
}

}  // namespace tavik
