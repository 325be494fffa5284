// What the dialogs built from resources share: loading the resource, finding
// a control, the Enter key, and the confirmation question.
#pragma once

#include <wx/dialog.h>
#include <wx/string.h>

namespace tavik {

// Builds `dialog` from the resource `name`, owned by `parent`; false (and an
// error in the log) when the resource is missing or broken.
bool LoadDialogResource(wxDialog& dialog, wxWindow* parent, const char* name);

// The control `id` of `dialog` as a `Control`; null when there is none.
template <typename Control>
Control* DialogControl(wxDialog& dialog, int id) {
    return dynamic_cast<Control*>(dialog.FindWindow(id));
}

// Enter runs the OK button from wherever the focus is, as a default push
// button does; on another button it presses that button.
void RouteEnterToOk(wxDialog& dialog);

// A double click on an item of `list` chooses it, as selecting it and
// pressing the OK button does.
void ChooseOnDoubleClick(wxDialog& dialog, wxWindow& list);

// Korean text from UTF-8 source, whatever the locale.
inline wxString Korean(const char* utf8) { return wxString::FromUTF8(utf8); }

// Asks the user, Yes or No, in a box owned by `dialog`; true for Yes.
bool ConfirmDeletion(wxDialog& dialog, const char* questionUtf8);

}  // namespace tavik
