// The wordbook dialog.
#include "app/word_book_dlg.h"

#include "app/dialog_support.h"
#include "app/wx_text.h"

namespace tavik {

bool CWordBookDlg::Load(wxWindow* parent) {
    if (!LoadDialogResource(*this, parent, kWordBookDlgResource)) return false;
    m_list = DialogControl<wxListBox>(*this, kIdWordBookList);
    if (!m_list) return false;
    Bind(wxEVT_INIT_DIALOG, &CWordBookDlg::OnInitDialog, this);
    Bind(wxEVT_BUTTON, &CWordBookDlg::OnOK, this, wxID_OK);
    Bind(wxEVT_BUTTON, &CWordBookDlg::OnDelete, this, kIdWordBookDelete);
    Bind(wxEVT_BUTTON, &CWordBookDlg::OnDeleteAll, this, kIdWordBookDeleteAll);
    RouteEnterToOk(*this);
    ChooseOnDoubleClick(*this, *m_list);
    return true;
}

void CWordBookDlg::OnInitDialog(wxInitDialogEvent& event) {
    event.Skip();
    m_strWord.clear();
    FillWordList();
}

void CWordBookDlg::FillWordList() {
    m_listing.FillWordList();
    wxArrayString words;
    for (const WordBookListing::Item& item : m_listing.Items()) words.Add(ToWx(item.word));
    m_list->Set(words);
    if (m_listing.Selection() >= 0) m_list->SetSelection(m_listing.Selection());
}

void CWordBookDlg::OnOK(wxCommandEvent& event) {
    TakeSelection();
    m_strWord = m_listing.SelectedWord();
    event.Skip();  // the dialog's own OK handling closes it
}

void CWordBookDlg::OnDelete(wxCommandEvent& /*event*/) {
    // Asked even with nothing selected; a Yes then deletes nothing.
    if (!ConfirmDeletion(*this, "선택된 항목을 삭제 하시겠습니까 ?")) return;
    TakeSelection();
    const int deleted = m_listing.Selection();
    if (deleted < 0) return;
    // A rewrite that fails leaves Word.dat as it was; the stores say so on
    // the status line.
    m_listing.DeleteSelected();
    m_list->Delete(unsigned(deleted));
    if (m_listing.Selection() >= 0) {
        m_list->SetSelection(m_listing.Selection());
        m_list->EnsureVisible(m_listing.Selection());
    }
}

void CWordBookDlg::OnDeleteAll(wxCommandEvent& /*event*/) {
    if (!ConfirmDeletion(*this, "항목 전체를 삭제 하시겠습니까 ?")) return;
    m_list->Clear();
    m_listing.DeleteAll();
}

WordChoice RunWordBookDlg(wxWindow* parent, WordStores& stores) {
    CWordBookDlg dialog(stores);
    if (!dialog.Load(parent)) return {};
    const bool ok = dialog.ShowModal() == wxID_OK;
    return WordChoice{ok, dialog.m_strWord, false};
}

}  // namespace tavik
