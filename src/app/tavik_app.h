// The application object: start-up, and the settings every part of the
// window shares (home folder, skin layout, word lists, current dictionary).
#pragma once

#include <wx/app.h>
#include <wx/confbase.h>
#include <wx/docview.h>

#include <filesystem>
#include <memory>
#include <optional>

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

    const CodePage& CodePageInUse() const { return *m_codePage; }
    WordStores& Words() { return *m_words; }
    wxConfigBase& Settings() { return *m_settings; }
    CTavikView* View() const;

    // The dictionary path as stored in the settings.
    std::filesystem::path StoredDictionaryPath();
    // Makes `path` the current dictionary and stores it; the next search
    // reads it.
    void ChooseDictionary(const std::filesystem::path& path);

    std::filesystem::path m_strAppDir;  // the home folder
    SkinLayout m_rcSkin{};
    std::filesystem::path m_strDicPath;

private:
    void OnAppAbout(wxCommandEvent& event);
    // A word from the command line or from a later start: searched, and
    // the window comes to the front.
    void SearchHandedWord(const wxString& word);

    std::optional<std::filesystem::path> m_homeOption;
    wxString m_startWord;
    std::unique_ptr<InstanceLink> m_instanceLink;
    bool m_handedOver = false;
    std::unique_ptr<wxConfigBase> m_settings;
    std::optional<CodePage> m_codePage;
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
