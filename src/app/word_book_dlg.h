// The wordbook dialog: the kept words in alphabetical order, to look one up
// again, delete one, or delete them all.
#pragma once

#include <wx/dialog.h>
#include <wx/listbox.h>

#include "app/prompts.h"
#include "wordlists/word_book_listing.h"

namespace tavik {

inline constexpr char kWordBookDlgResource[] = "130";

enum WordBookDlgId : int {
    kIdWordBookDelete = 1003,
    kIdWordBookDeleteAll = 1004,
    kIdWordBookList = 1006,
};

class CWordBookDlg : public wxDialog {
public:
    explicit CWordBookDlg(WordStores& stores) : m_listing(stores) {}

    // Builds the window from its resource; false when that fails.
    bool Load(wxWindow* parent);

    Text m_strWord;  // the word chosen with "검색"; empty otherwise

private:
    void OnInitDialog(wxInitDialogEvent& event);
    void OnOK(wxCommandEvent& event);
    void OnDelete(wxCommandEvent& event);
    void OnDeleteAll(wxCommandEvent& event);
    void FillWordList();
    // The listing follows the list box, where the user selects.
    void TakeSelection() { m_listing.Select(m_list->GetSelection()); }

    WordBookListing m_listing;
    wxListBox* m_list = nullptr;
};

// Runs the dialog on the wordbook of `stores`.
WordChoice RunWordBookDlg(wxWindow* parent, WordStores& stores);

}  // namespace tavik
