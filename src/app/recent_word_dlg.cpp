// The recent words dialog.
#include "app/recent_word_dlg.h"

#include "app/dialog_support.h"
#include "app/wx_text.h"

namespace tavik {

bool CRecentWordDlg::Load(wxWindow* parent) {
    if (!LoadDialogResource(*this, parent, kRecentWordDlgResource)) return false;
    m_list = DialogControl<wxListBox>(*this, kIdRecentWordList);
    if (!m_list) return false;
    Bind(wxEVT_INIT_DIALOG, &CRecentWordDlg::OnInitDialog, this);
    Bind(wxEVT_BUTTON, &CRecentWordDlg::OnOK, this, wxID_OK);
    Bind(wxEVT_BUTTON, &CRecentWordDlg::OnDeleteAll, this, kIdRecentWordDeleteAll);
    RouteEnterToOk(*this);
    ChooseOnDoubleClick(*this, *m_list);
    return true;
}

void CRecentWordDlg::OnInitDialog(wxInitDialogEvent& event) {
    event.Skip();
    m_strWord.clear();
    FillWordList();
}

void CRecentWordDlg::FillWordList() {
    m_listing.FillWordList();
    wxArrayString words;
    for (const Text& word : m_listing.Items()) words.Add(ToWx(word));
    m_list->Set(words);
    if (m_listing.Selection() >= 0) m_list->SetSelection(m_listing.Selection());
}

void CRecentWordDlg::OnOK(wxCommandEvent& event) {
    m_listing.Select(m_list->GetSelection());
    m_strWord = m_listing.SelectedWord();
    event.Skip();  // the dialog's own OK handling closes it
}

void CRecentWordDlg::OnDeleteAll(wxCommandEvent& /*event*/) {
    if (!ConfirmDeletion(*this, "항목 전체를 삭제 하시겠습니까 ?")) return;
    m_list->Clear();
    m_listing.DeleteAll();
    m_bAllDeleted = m_listing.AllDeleted();
}

WordChoice RunRecentWordDlg(wxWindow* parent, WordStores& stores) {
    CRecentWordDlg dialog(stores);
    if (!dialog.Load(parent)) return {};
    const bool ok = dialog.ShowModal() == wxID_OK;
    return WordChoice{ok, dialog.m_strWord, dialog.m_bAllDeleted};
}

}  // namespace tavik
