// Default prompts.
#include "app/prompts.h"

#include <wx/msgdlg.h>

namespace tavik {

namespace {

void ShowAboutBox(wxWindow* parent) {
    wxMessageDialog box(parent,
                        wxString::FromUTF8("Tavik ver 1.0\n\n"
                                           "https://tavik.invalid/  ·  team@tavik.invalid\n\n"
                                           "© The Tavik developers. All rights reserved."),
                        "About Tavik", wxOK | wxCENTRE);
    box.ShowModal();
}

Prompts DefaultPrompts() {
    Prompts prompts;
    prompts.message = [](wxWindow* parent, const wxString& text, const wxString& caption) {
        wxMessageBox(text, caption, wxOK, parent);
    };
    prompts.wordBook = [](wxWindow*) { return WordChoice{}; };
    prompts.recentWords = [](wxWindow*) { return WordChoice{}; };
    prompts.selectDictionary = [](wxWindow*) { return false; };
    prompts.about = ShowAboutBox;
    return prompts;
}

}  // namespace

Prompts& AppPrompts() {
    static Prompts prompts = DefaultPrompts();
    return prompts;
}

}  // namespace tavik
