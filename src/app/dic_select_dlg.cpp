// The dictionary dialog.
#include "app/dic_select_dlg.h"

#include <wx/intl.h>
#include <wx/xrc/xmlres.h>

#include "app/dialog_support.h"
#include "app/prompts.h"
#include "app/tavik_app.h"
#include "app/wx_text.h"
#include "dict/dictionary_folder.h"
#include "wordlists/dictionary_choice.h"

namespace tavik {

bool CDicSelectDlg::Load(wxWindow* parent) {
    if (!LoadDialogResource(*this, parent, kDicSelectDlgResource)) return false;
    m_list = DialogControl<wxListBox>(*this, kIdDicSelectList);
    m_codePage = DialogControl<wxComboBox>(*this, XRCID("code_page_box"));
    if (!m_list || !m_codePage || m_codePage->GetCount() == 0) return false;
    Bind(wxEVT_INIT_DIALOG, &CDicSelectDlg::OnInitDialog, this);
    Bind(wxEVT_BUTTON, &CDicSelectDlg::OnOK, this, wxID_OK);
    Bind(wxEVT_LISTBOX, &CDicSelectDlg::OnSelchangeDicList, this, kIdDicSelectList);
    ChooseOnDoubleClick(*this, *m_list);
    RouteEnterToOk(*this);
    return true;
}

void CDicSelectDlg::OnInitDialog(wxInitDialogEvent& event) {
    event.Skip();
    // Read afresh each time: files copied in since the start show up here.
    const DictionaryListing listing = ListDictionaries(m_dataFolders, m_app.StoredDictionaryPath());
    wxArrayString names;
    for (const Text& name : listing.names) names.Add(ToWx(name));
    m_list->Set(names);
    if (listing.selection >= 0) m_list->SetSelection(listing.selection);
    ShowCodePageChoice();
}

void CDicSelectDlg::OnSelchangeDicList(wxCommandEvent& event) {
    ShowCodePageChoice();
    event.Skip();
}

void CDicSelectDlg::ShowCodePageChoice() {
    const auto path = ChosenDictionaryPath(m_dataFolders, FromWx(m_list->GetStringSelection()));
    const std::string choice = path ? m_app.CodePages().Choice(*path) : kAutomaticCodePage;
    if (choice == kAutomaticCodePage) {
        m_codePage->SetSelection(0);
        return;
    }
    const int listed = m_codePage->FindString(wxString::FromUTF8(choice));
    if (listed > 0)
        m_codePage->SetSelection(listed);
    else
        m_codePage->SetValue(wxString::FromUTF8(choice));
}

void CDicSelectDlg::OnOK(wxCommandEvent& event) {
    // The choice takes effect at the next search.
    const Text name = FromWx(m_list->GetStringSelection());
    if (const auto path = ChosenDictionaryPath(m_dataFolders, name)) {
        wxString typed = m_codePage->GetValue();
        typed.Trim().Trim(false);
        const bool automatic = typed.empty() || typed == m_codePage->GetString(0);
        const std::string choice = automatic ? kAutomaticCodePage : std::string(typed.utf8_str());
        if (!m_app.CodePages().SetChoice(*path, choice)) {
            AppPrompts().message(
                this,
                wxString::Format(_(L"‘%s’은(는) 알 수 없는 코드 페이지입니다.\nCP949, UTF-8 또는 iconv가 아는 다른 이름(예: EUC-KR)을 입력하십시오."),
                                 typed),
                wxTheApp->GetAppName());
            m_codePage->SetFocus();
            return;  // the dialog stays open, nothing is stored
        }
        m_app.ChooseDictionary(*path);
    }
    event.Skip();  // the dialog's own OK handling closes it
}

bool RunDicSelectDlg(wxWindow* parent, CTavikApp& app) {
    CDicSelectDlg dialog(app);
    if (!dialog.Load(parent)) return false;
    dialog.m_dataFolders = app.DataFolders();
    return dialog.ShowModal() == wxID_OK;
}

}  // namespace tavik
