// The dictionary dialog: the files of the Data folder as they are now, to
// make one of them the current dictionary.
#pragma once

#include <wx/dialog.h>
#include <wx/listbox.h>

#include <filesystem>

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

    std::filesystem::path m_strDataDir;  // the folder listed; set before the run

private:
    void OnInitDialog(wxInitDialogEvent& event);
    void OnOK(wxCommandEvent& event);

    CTavikApp& m_app;
    wxListBox* m_list = nullptr;
};

// Runs the dialog on `<home>/Data`; true when it closed with "선택" (the
// choice, if any, is then the current dictionary and stored).
bool RunDicSelectDlg(wxWindow* parent, CTavikApp& app);

}  // namespace tavik
