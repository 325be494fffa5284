// The dictionary dialog: the files of the Data folders as they are now, each
// with its size and code page, to make one of them the current dictionary,
// choose the code page it is read in, or move it to the trash.
#pragma once

#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/dialog.h>
#include <wx/listctrl.h>

#include <filesystem>
#include <optional>
#include <vector>

#include "wordlists/dictionary_choice.h"

namespace tavik {

class CTavikApp;

inline constexpr char kDicSelectDlgResource[] = "132";

enum DicSelectDlgId : int {
    kIdDicSelectList = 1005,
};

// The columns of the dialog's list.
enum DicSelectColumn : int { kDicColumnName, kDicColumnSize, kDicColumnCodePage };

class CDicSelectDlg : public wxDialog {
public:
    explicit CDicSelectDlg(CTavikApp& app) : m_app(app) {}

    // Builds the window from its resource; false when that fails.
    bool Load(wxWindow* parent);

    // The folders listed, the home's Data first; set before the run.
    std::vector<std::filesystem::path> m_dataFolders;

private:
    void OnInitDialog(wxInitDialogEvent& event);
    void OnOK(wxCommandEvent& event);
    void OnSelchangeDicList(wxListEvent& event);
    void OnItemActivated(wxListEvent& event);
    void OnRemove(wxCommandEvent& event);
    // Lists the folders afresh, the dictionary in use selected.
    void FillList();
    int SelectedRow() const;
    std::optional<std::filesystem::path> SelectedFile() const;
    // Puts the stored code-page choice of the selected file in the box.
    void ShowCodePageChoice();
    // What the list's code-page column says of `file`.
    wxString CodePageText(const std::filesystem::path& file);

    CTavikApp& m_app;
    DictionaryListing m_listing;
    wxListCtrl* m_list = nullptr;
    wxComboBox* m_codePage = nullptr;  // item 0 is "automatic"
    wxButton* m_remove = nullptr;
};

// Runs the dialog on the home's Data and the installed Data folders; true when
// it closed with "선택" (the choice, if any, is then the current dictionary and
// stored, with its code page). An unknown code-page name is refused with a
// message and keeps the dialog open. A file removed in the dialog is gone
// whichever way it closes; when it was the dictionary in use, another one
// (or none) is current and stored.
bool RunDicSelectDlg(wxWindow* parent, CTavikApp& app);

}  // namespace tavik
