// Default prompts: the real message boxes and dialogs.
#include "app/prompts.h"

#include <wx/msgdlg.h>

#include "app/about_dlg.h"
#include "app/dic_select_dlg.h"
#include "app/recent_word_dlg.h"
#include "app/tavik_app.h"
#include "app/word_book_dlg.h"

namespace tavik {

namespace {

bool AskYesNo(wxWindow* parent, const wxString& question) {
    wxMessageDialog box(parent, question, "TAVIK", wxYES_NO | wxYES_DEFAULT | wxICON_NONE);
    box.SetYesNoLabels(_(L"예"), _(L"아니요"));
    return box.ShowModal() == wxID_YES;
}

Prompts DefaultPrompts() {
    Prompts prompts;
    prompts.message = [](wxWindow* parent, const wxString& text, const wxString& caption) {
        wxMessageDialog box(parent, text, caption, wxOK);
        box.SetOKLabel(_(L"확인"));
        box.ShowModal();
    };
    prompts.confirm = AskYesNo;
    prompts.wordBook = [](wxWindow* parent) { return RunWordBookDlg(parent, theApp().Words()); };
    prompts.recentWords = [](wxWindow* parent) {
        return RunRecentWordDlg(parent, theApp().Words());
    };
    prompts.selectDictionary = [](wxWindow* parent) { return RunDicSelectDlg(parent, theApp()); };
    prompts.about = RunAboutDlg;
    return prompts;
}

}  // namespace

Prompts& AppPrompts() {
    static Prompts prompts = DefaultPrompts();
    return prompts;
}

}  // namespace tavik
