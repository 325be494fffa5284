// The main frame: menus, toolbar and accelerators around the main form.
#pragma once

#include <wx/docview.h>

namespace tavik {

class CMainFrame : public wxDocParentFrame {
public:
    CMainFrame(wxDocManager* manager, const wxString& title);

    // Enables the commands that act on a shown entry (add to wordbook,
    // previous and next word); set once a word has been looked up.
    void SetEntryCommands(bool enabled) { m_bEntryCommands = enabled; }
    bool EntryCommands() const { return m_bEntryCommands; }

private:
    void CreateMenu();
    void CreateTools();
    void CreateAccelerators();

    void OnUpdateEntryCommand(wxUpdateUIEvent& event);
    void OnExit(wxCommandEvent& event);
    // Stores the window's geometry and hands the clipboard over.
    void OnClose(wxCloseEvent& event);
    // The language chosen for good; it takes effect at the next start.
    void OnLanguage(wxCommandEvent& event);
    // Ctrl+X and Ctrl+V act on the focused text field, if any.
    void OnTextEdit(wxCommandEvent& event);

    bool m_bEntryCommands = false;

    wxDECLARE_EVENT_TABLE();
};

}  // namespace tavik
