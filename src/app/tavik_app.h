// The application object: start-up, and the settings every part of the
// window shares (home folder, skin layout, word lists, current dictionary).
#pragma once

#include <wx/app.h>
#include <wx/confbase.h>
#include <wx/docview.h>

#include <filesystem>
#include <memory>
#include <optional>

#include "app/dictionary_codepages.h"
#include "config/home_folder.h"
#include "config/skin_layout.h"
#include "text/codepage.h"
#include "wordlists/word_stores.h"

namespace tavik {

class CTavikView;
class InstanceLink;

class CTavikApp : public wxApp {
public:
    CTavikApp();
    ~CTavikApp() override;

    bool OnInit() override;
    int OnRun() override;
    int OnExit() override;
    void OnInitCmdLine(wxCmdLineParser& parser) override;
    bool OnCmdLineParsed(wxCmdLineParser& parser) override;

    // The code page of the current dictionary, found in the file itself
    // unless the user chose one for it.
    const CodePage& CodePageInUse() { return m_dictionaryCodePages->For(m_strDicPath); }
    DictionaryCodePages& CodePages() { return *m_dictionaryCodePages; }
    WordStores& Words() { return *m_words; }
    wxConfigBase& Settings() { return *m_settings; }
    CTavikView* View() const;

    // The dictionary path as stored in the settings.
    std::filesystem::path StoredDictionaryPath();
    // Makes `path` the current dictionary and stores it; the next search
    // reads it.
    void ChooseDictionary(const std::filesystem::path& path);
    // Shows `text` in the main window's status line (empty clears it).
    void ReportStatus(const Text& text);

    // The home and the installed data read beside it.
    const HomePlaces& Places() const { return m_places; }
    std::vector<std::filesystem::path> DataFolders() const { return m_places.DataFolders(); }
    // The folder whose Skin is used (the home's own, or the installed one).
    const std::filesystem::path& SkinHome() const { return m_places.skinHome; }

    std::filesystem::path m_strAppDir;  // the home folder
    SkinLayout m_rcSkin{};
    std::filesystem::path m_strDicPath;

private:
    void OnAppAbout(wxCommandEvent& event);
    // A word from the command line or from a later start: searched, and
    // the window comes to the front.
    void SearchHandedWord(const wxString& word);

    std::optional<std::filesystem::path> m_homeOption;
    HomePlaces m_places;
    wxString m_startWord;
    bool m_lookUpSelection = false;  // --selection
    std::unique_ptr<InstanceLink> m_instanceLink;
    bool m_handedOver = false;
    std::unique_ptr<wxConfigBase> m_settings;
    std::optional<CodePage> m_codePage;
    std::unique_ptr<DictionaryCodePages> m_dictionaryCodePages;
    std::unique_ptr<WordStores> m_words;
    wxString m_pendingStatus;  // said once the window shows
    std::unique_ptr<wxDocManager> m_docManager;

    wxDECLARE_EVENT_TABLE();
};

}  // namespace tavik

wxDECLARE_APP(tavik::CTavikApp);

namespace tavik {
// The one application object.
inline CTavikApp& theApp() { return wxGetApp(); }
}  // namespace tavik
