// The dictionary dialog: the files of the Data folder as they are now, to
// make one of them the current dictionary, and the code page it is read in.
#pragma once

#include <wx/combobox.h>
#include <wx/dialog.h>
#include <wx/listbox.h>

#include <filesystem>
#include <vector>

namespace tavik {

class CTavikApp;

inline constexpr char kDicSelectDlgResource[] = "132";

enum DicSelectDlgId : int {
    kIdDicSelectList = 1005,
};

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
    void OnSelchangeDicList(wxCommandEvent& event);
    // Puts the stored code-page choice of the selected file in the box.
    void ShowCodePageChoice();

    CTavikApp& m_app;
    wxListBox* m_list = nullptr;
    wxComboBox* m_codePage = nullptr;  // item 0 is "automatic"
};

// Runs the dialog on the home's Data and the installed Data folders; true when
// it closed with "선택" (the choice, if any, is then the current dictionary and
// stored, with its code page). An unknown code-page name is refused with a
// message and keeps the dialog open.
bool RunDicSelectDlg(wxWindow* parent, CTavikApp& app);

}  // namespace tavik
