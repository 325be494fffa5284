// The dictionary dialog.
#include "app/dic_select_dlg.h"

#include "app/dialog_support.h"
#include "app/tavik_app.h"
#include "app/wx_text.h"
#include "dict/dictionary_folder.h"
#include "wordlists/dictionary_choice.h"

namespace tavik {

bool CDicSelectDlg::Load(wxWindow* parent) {
    if (!LoadDialogResource(*this, parent, kDicSelectDlgResource)) return false;
    m_list = DialogControl<wxListBox>(*this, kIdDicSelectList);
    if (!m_list) return false;
    Bind(wxEVT_INIT_DIALOG, &CDicSelectDlg::OnInitDialog, this);
    Bind(wxEVT_BUTTON, &CDicSelectDlg::OnOK, this, wxID_OK);
    ChooseOnDoubleClick(*this, *m_list);
    RouteEnterToOk(*this);
    return true;
}

void CDicSelectDlg::OnInitDialog(wxInitDialogEvent& event) {
    event.Skip();
    // Read afresh each time: files copied in since the start show up here.
    const DictionaryListing listing = ListDictionaries(m_strDataDir, m_app.StoredDictionaryPath());
    wxArrayString names;
    for (const Text& name : listing.names) names.Add(ToWx(name));
    m_list->Set(names);
    if (listing.selection >= 0) m_list->SetSelection(listing.selection);
}

void CDicSelectDlg::OnOK(wxCommandEvent& event) {
    // The choice takes effect at the next search.
    const Text name = FromWx(m_list->GetStringSelection());
    if (const auto path = ChosenDictionaryPath(m_app.m_strAppDir, name))
        m_app.ChooseDictionary(*path);
    event.Skip();  // the dialog's own OK handling closes it
}

bool RunDicSelectDlg(wxWindow* parent, CTavikApp& app) {
    CDicSelectDlg dialog(app);
    if (!dialog.Load(parent)) return false;
    dialog.m_strDataDir = DataFolder(app.m_strAppDir);
    return dialog.ShowModal() == wxID_OK;
}

}  // namespace tavik
