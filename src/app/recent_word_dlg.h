// The recent words dialog: the searched words, most recent first, to look
// one up again or to delete them all.
#pragma once

#include <wx/dialog.h>
#include <wx/listbox.h>

#include "app/prompts.h"
#include "wordlists/recent_word_listing.h"

namespace tavik {

inline constexpr char kRecentWordDlgResource[] = "131";

enum RecentWordDlgId : int {
    kIdRecentWordDeleteAll = 1004,
    kIdRecentWordList = 1005,
};

class CRecentWordDlg : public wxDialog {
public:
    explicit CRecentWordDlg(WordStores& stores) : m_listing(stores) {}

    // Builds the window from its resource; false when that fails.
    bool Load(wxWindow* parent);

    Text m_strWord;              // the word chosen with "검색"; empty otherwise
    bool m_bAllDeleted = false;  // the user deleted all recent words in this run

private:
    void OnInitDialog(wxInitDialogEvent& event);
    void OnOK(wxCommandEvent& event);
    void OnDeleteAll(wxCommandEvent& event);
    void FillWordList();

    RecentWordListing m_listing;
    wxListBox* m_list = nullptr;
};

// Runs the dialog on the recent words of `stores`.
WordChoice RunRecentWordDlg(wxWindow* parent, WordStores& stores);

}  // namespace tavik
