// The 사전 추가 dialog: the dictionaries installed on this computer that are
// not in Data yet, each with its title, format and size, to import with
// progress; any other dictionary file can be picked as well. Every
// dictionary added becomes the current one at once.
#pragma once

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/listctrl.h>
#include <wx/stattext.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "text/codepage.h"
#include "tools/dictionary_adding.h"
#include "tools/installed_dictionaries.h"

namespace tavik {

struct AddDictionaryContext {
    DictionaryFolders installed;                     // where installed dictionaries are looked for
    std::vector<std::filesystem::path> dataFolders;  // the home's Data first: new files go there
    // The code page a Tavik text file is read in.
    std::function<CodePage(const std::filesystem::path&)> codePageOf;
    // Told of each dictionary added, once its file is complete.
    std::function<void(const std::filesystem::path&)> added;
};

// What the dialog asks of the desktop, replaceable so that it can be driven
// unattended.
struct AddDictionaryServices {
    std::function<DictionaryFolders()> installedFolders;
    // The file the user picks; nothing when they pick none.
    std::function<std::optional<std::filesystem::path>(wxWindow* parent)> pickFile;
    // Hears every progress report of a job, on its worker thread.
    std::function<void(const ImportProgress&)> onWorkerProgress;
};

// The services in use; the defaults look in the usual folders and show the
// desktop's file chooser.
AddDictionaryServices& AddDictionaryDefaults();

class AddDictionaryDlg : public wxDialog {
public:
    AddDictionaryDlg(wxWindow* parent, AddDictionaryContext context);

    // Adds `source` to Data with a progress dialog: a Tavik text file out of
    // order is sorted when the user agrees. True when it was added.
    bool AddSource(const DictionarySource& source);

private:
    void FillList();
    void OnImport(wxCommandEvent& event);
    void OnPickFile(wxCommandEvent& event);
    void OnActivated(wxListEvent& event);
    void UpdateButtons();

    AddDictionaryContext m_context;
    std::vector<InstalledDictionary> m_shown;
    wxStaticText* m_intro = nullptr;
    wxListCtrl* m_list = nullptr;
    wxButton* m_import = nullptr;
};

// Runs the dialog modally.
void RunAddDictionaryDlg(wxWindow* parent, AddDictionaryContext context);

}  // namespace tavik

namespace tavik {

// Runs the dialog for the main window: the installed folders from
// AddDictionaryDefaults(), the application's Data folders and code pages.
void RunAddDictionaryForApp(wxWindow* parent,
                            std::function<void(const std::filesystem::path&)> added);

}  // namespace tavik
