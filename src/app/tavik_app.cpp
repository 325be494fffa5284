// Start-up of the application.
#include "app/tavik_app.h"

#include <wx/cmdline.h>
#include <wx/log.h>
#include <wx/xrc/xmlres.h>

#include <cstdio>
#include <cstdlib>

#include "app/command_ids.h"
#include "app/command_line.h"
#include "app/instance_link.h"
#include "app/main_frame.h"
#include "app/prompts.h"
#include "app/selection_text.h"
#include "app/settings.h"
#include "app/skin_label.h"
#include "app/tavik_doc.h"
#include "app/tavik_view.h"
#include "app/ui_language.h"
#include "app/window_geometry.h"
#include "app/word_list_status.h"
#include "app/wx_text.h"
#include "text/file.h"
#include "text/paths.h"

// Generated from res/*.xrc.
extern void InitTavikResources();

namespace tavik {

wxBEGIN_EVENT_TABLE(CTavikApp, wxApp)
    EVT_MENU(WxId(kCmdAppAbout), CTavikApp::OnAppAbout)
wxEND_EVENT_TABLE()

CTavikApp::CTavikApp() = default;
CTavikApp::~CTavikApp() = default;

void CTavikApp::OnInitCmdLine(wxCmdLineParser& parser) {
    wxApp::OnInitCmdLine(parser);
    parser.AddOption("", "home", "the folder holding Data and Skin (and the word lists)",
                     wxCMD_LINE_VAL_STRING);
    parser.AddSwitch("", "selection", "look up the text selected in any program");
    parser.AddParam("word", wxCMD_LINE_VAL_STRING,
                    wxCMD_LINE_PARAM_OPTIONAL | wxCMD_LINE_PARAM_MULTIPLE);
}

bool CTavikApp::OnCmdLineParsed(wxCmdLineParser& parser) {
    // The bytes main() saw, when it saw them: the toolkit's own reading of
    // the command line would lose a name that is not in the locale's
    // encoding.
    wxString home;
    if (StartHomeOption())
        m_homeOption = StartHomeOption();
    else if (parser.Found("home", &home) && !home.empty())
        m_homeOption = PathFromWx(home);
    m_lookUpSelection = parser.Found("selection");
    for (size_t i = 0; i < parser.GetParamCount(); ++i)
        m_startWord += (i ? " " : "") + parser.GetParam(i);
    return wxApp::OnCmdLineParsed(parser);
}

bool CTavikApp::OnInit() {
    SetAppName("Tavik");
    SetVendorName(kVendorName);
    if (!wxApp::OnInit()) return false;  // parses the command line

    try {
        m_places = FindHomePlaces(HomeInputsFromEnvironment(ExecutableFolder(), m_homeOption));
    } catch (const HomeError& error) {
        wxLogError("%s", wxString::FromUTF8(error.what()));
        return false;
    }
    m_strAppDir = m_places.Folder();

    // A hotkey with nothing selected still brings the window up, ready for
    // typing: the running one to the front, else a new one.
    if (m_lookUpSelection) {
        m_startWord = SelectedWord();
        if (m_startWord.empty()) std::fputs("tavik: no text is selected\n", stderr);
    }

    m_instanceLink = std::make_unique<InstanceLink>(m_strAppDir);
    if (m_instanceLink->HandOver(m_startWord)) {
        m_handedOver = true;
        return true;
    }

    m_settings = OpenSettings(m_places.settingsFile);
    InstallTranslations(*m_settings, ExecutableFolder());
    if (m_places.home.PerUser()) {
        // Only the folder: the installed dictionaries and skin are read where
        // they are.
        std::error_code error;
        std::filesystem::create_directories(m_strAppDir, error);
        if (error)
            wxLogError("Cannot create the Tavik folder %s: %s", PathToWx(m_strAppDir),
                       wxString::FromUTF8(error.message()));
    }

    if (m_lookUpSelection && m_startWord.empty()) m_pendingStatus = _(L"선택한 글자가 없습니다.");

    m_rcSkin = LoadSkinLayout(m_places.skinHome);
    if (IsLinkOwnedByOtherUser(SkinFilePath(m_places.skinHome)))
        m_pendingStatus = ForeignSkinLinkText(SkinFilePath(m_places.skinHome));

    const wxString codePageName = RestoreCodePage(*m_settings);
    m_codePage = CodePage::Named(std::string(codePageName.utf8_str()));
    if (!m_codePage) {
        wxLogWarning("Unknown code page \"%s\" in the settings; using 949.", codePageName);
        m_codePage = CodePage::Default();
    }
    m_dictionaryCodePages = std::make_unique<DictionaryCodePages>(*m_settings, *m_codePage);
    m_words = std::make_unique<WordStores>(m_strAppDir);
    m_words->SetFailureReport([this](const WordListFailure& failure) {
        // Failures while loading come before the window exists.
        if (CTavikView* view = View())
            view->ShowStatus(FromWx(WordListFailureText(failure)));
        else
            m_pendingStatus = WordListFailureText(failure);
    });
    m_words->LoadWordBook();
    m_words->LoadRecentWords();

    m_strDicPath = RestoreDictionaryPath(*m_settings, m_places);

    m_docManager = std::make_unique<wxDocManager>();
    new wxDocTemplate(m_docManager.get(), "Tavik Document", "", "", "", "Tavik.Document",
                      "Tavik View", wxCLASSINFO(CTavikDoc), wxCLASSINFO(CTavikView));

    wxXmlResource::Get()->InitAllHandlers();
    wxXmlResource::Get()->AddHandler(new SkinLabelXmlHandler);
    InitTavikResources();

    auto* frame = new CMainFrame(m_docManager.get(), "Tavik");
    SetTopWindow(frame);
    if (!m_docManager->CreateNewDocument() || !View()) {
        frame->Destroy();
        return false;
    }
    View()->OnInitialUpdate();
    RestoreWindowGeometry(*frame, *m_settings, View()->LayoutClientSize(),
                          View()->MinimumClientSize());
    if (!m_pendingStatus.empty()) View()->ShowStatus(FromWx(m_pendingStatus));
    frame->Show();
    frame->Update();
    // The toolkit moves the focus while the window first shows.
    CallAfter([this] {
        if (CTavikView* view = View()) view->FocusSearchBox();
    });
    m_instanceLink->Listen([this](const wxString& word) { SearchHandedWord(word); });
    if (!m_startWord.empty()) CallAfter([this] { SearchHandedWord(m_startWord); });
    // For scripted checks of an installed Tavik: start, search, and end.
    if (const char* exit = std::getenv("TAVIK_EXIT_AFTER_START"); exit && exit[0] == '1')
        CallAfter([frame] { frame->Close(true); });
    return true;
}

int CTavikApp::OnRun() {
    // The word went to the Tavik already running: nothing to show here.
    if (m_handedOver) return 0;
    return wxApp::OnRun();
}

void CTavikApp::SearchHandedWord(const wxString& word) {
    CTavikView* view = View();
    wxFrame* frame = dynamic_cast<wxFrame*>(GetTopWindow());
    if (!view || !frame) return;
    if (frame->IsIconized()) frame->Iconize(false);
    frame->Raise();
    if (!word.empty()) view->SearchHandedWord(FromWx(word));
}

int CTavikApp::OnExit() {
    m_docManager.reset();
    m_dictionaryCodePages.reset();
    m_settings.reset();
    return wxApp::OnExit();
}

CTavikView* CTavikApp::View() const {
    if (!m_docManager) return nullptr;
    wxDocument* doc = m_docManager->GetCurrentDocument();
    if (!doc) return nullptr;
    return dynamic_cast<CTavikView*>(doc->GetFirstView());
}

std::filesystem::path CTavikApp::StoredDictionaryPath() {
    return PathFromWx(m_settings->Read(kDictionaryPathKey, wxString()));
}

void CTavikApp::ChooseDictionary(const std::filesystem::path& path) {
    m_strDicPath = path;
    StoreDictionaryPath(*m_settings, path);
}

void CTavikApp::ReportStatus(const Text& text) {
    if (CTavikView* view = View()) view->ShowStatus(text);
}

void CTavikApp::OnAppAbout(wxCommandEvent& /*event*/) { AppPrompts().about(GetTopWindow()); }

}  // namespace tavik
