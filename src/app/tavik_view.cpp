// The main view.
#include "app/tavik_view.h"

#include <wx/clipbrd.h>
#include <wx/fontenum.h>
#include <wx/menu.h>
#include <wx/settings.h>
#include <wx/utils.h>
#include <wx/xrc/xmlres.h>

#include <cmath>

#include "app/add_dictionary_dlg.h"
#include "app/all_dictionaries_choice.h"
#include "app/command_ids.h"
#include "app/first_start.h"
#include "app/main_frame.h"
#include "app/page_faces.h"
#include "app/prompts.h"
#include "app/settings.h"
#include "app/skin_apply.h"
#include "app/suggestion_bar.h"
#include "app/tavik_app.h"
#include "app/text_resolution.h"
#include "app/view_background.h"
#include "app/window_title.h"
#include "app/wx_text.h"
#include "config/page_zoom.h"
#include "dict/dictionary_folder.h"
#include "dict/entry_link.h"
#include "dict/entry_page.h"
#include "dict/notices.h"
#include "wordlists/dictionary_choice.h"
#include "wordlists/search_history.h"
#include "wordlists/word_stores.h"

namespace tavik {

wxDEFINE_EVENT(EVT_TAVIK_SEARCH, wxCommandEvent);

wxIMPLEMENT_DYNAMIC_CLASS(CTavikView, wxView);

wxBEGIN_EVENT_TABLE(CTavikView, wxView)
    EVT_BUTTON(kIdSearchButton, CTavikView::OnSearchRequest)
    EVT_COMBOBOX_CLOSEUP(kIdSearchEdit, CTavikView::OnSearchHistoryClosed)
    EVT_CHOICE(kIdSearchList, CTavikView::OnSelchangeSearchList)
    EVT_BUTTON(kIdListUp, CTavikView::OnListUp)
    EVT_MENU(WxId(kCmdListUp), CTavikView::OnListUp)
    EVT_BUTTON(kIdListDown, CTavikView::OnListDown)
    EVT_MENU(WxId(kCmdListDown), CTavikView::OnListDown)
    EVT_CHOICE(kIdSelectDicList, CTavikView::OnSelchangeDicList)
    EVT_MENU(WxId(kCmdEditCopy), CTavikView::OnEditCopy)
    EVT_MENU(WxId(kCmdWordBook), CTavikView::OnWordBook)
    EVT_MENU(WxId(kCmdWordBookButton), CTavikView::OnWordBook)
    EVT_MENU(WxId(kCmdRecentWord), CTavikView::OnRecentWord)
    EVT_MENU(WxId(kCmdRecentWordButton), CTavikView::OnRecentWord)
    EVT_MENU(WxId(kCmdAddWordBook), CTavikView::OnAddWordBook)
    EVT_MENU(WxId(kCmdAddWordBookButton), CTavikView::OnAddWordBook)
    EVT_MENU(WxId(kCmdSelectDic), CTavikView::OnSelectDic)
    EVT_MENU(AddDictionaryCommandId(), CTavikView::OnAddDictionary)
    EVT_MENU(WxId(kCmdEditUndo), CTavikView::OnEditUndo)
    EVT_MENU(WxId(kCmdZoomIn), CTavikView::OnZoom)
    EVT_MENU(WxId(kCmdZoomOut), CTavikView::OnZoom)
    EVT_MENU(WxId(kCmdZoomReset), CTavikView::OnZoom)
    EVT_MENU(WxId(kCmdSelectAll), CTavikView::OnSelectAll)
    EVT_MENU(WxId(kCmdSearchSelection), CTavikView::OnSearchSelection)
    EVT_MENU(wxID_BACKWARD, CTavikView::OnGoBack)
    EVT_MENU(wxID_FORWARD, CTavikView::OnGoForward)
    EVT_UPDATE_UI(wxID_BACKWARD, CTavikView::OnUpdateGoBack)
    EVT_UPDATE_UI(wxID_FORWARD, CTavikView::OnUpdateGoForward)
    EVT_MENU(WxId(kCmdSearchAsYouType), CTavikView::OnSearchAsYouType)
    EVT_UPDATE_UI(WxId(kCmdSearchAsYouType), CTavikView::OnUpdateSearchAsYouType)
wxEND_EVENT_TABLE()

namespace {
template <typename Control>
Control* Child(wxWindow* form, int id) {
    return dynamic_cast<Control*>(form->FindWindow(id));
}

constexpr char kZoomKey[] = "/Window/Zoom";

// The text field that has the focus (a combo box's entry counts as the
// combo box), if any.
wxTextEntry* FocusedTextEntry() {
    wxWindow* focus = wxWindow::FindFocus();
    if (!focus) return nullptr;
    if (auto* field = dynamic_cast<wxTextEntry*>(focus)) return field;
    return dynamic_cast<wxTextEntry*>(focus->GetParent());
}

bool HasSelection(wxTextEntry& field) {
    long from = 0, to = 0;
    field.GetSelection(&from, &to);
    return from != to;
}

void PutOnClipboard(const wxString& text) {
    wxClipboardLocker locker;
    if (!locker) return;
    wxTheClipboard->SetData(new wxTextDataObject(text));
}

}  // namespace

bool CTavikView::OnCreate(wxDocument* doc, long flags) {
    if (!wxView::OnCreate(doc, flags)) return false;
    wxFrame* frame = dynamic_cast<wxFrame*>(wxTheApp->GetTopWindow());
    if (!frame) return false;
    SetFrame(frame);

    m_form = wxXmlResource::Get()->LoadPanel(frame, kMainFormResource);
    if (!m_form) return false;
    m_searchEdit = Child<wxComboBox>(m_form, kIdSearchEdit);
    m_searchList = Child<wxChoice>(m_form, kIdSearchList);
    m_listUp = Child<wxButton>(m_form, kIdListUp);
    m_listDown = Child<wxButton>(m_form, kIdListDown);
    m_dicList = Child<wxChoice>(m_form, kIdSelectDicList);
    if (!m_searchEdit || !m_searchList || !m_listUp || !m_listDown || !m_dicList) return false;
    m_labels = {Child<SkinLabel>(m_form, kIdSearchStatic),
                Child<SkinLabel>(m_form, kIdSearchListStatic),
                Child<SkinLabel>(m_form, kIdSelectDicStatic)};
    m_searchBox.emplace(*m_searchEdit);
    m_neighbours.emplace(*m_searchList);
    m_dictionaries.emplace(*m_dicList);

    UseDesktopFont();
    NameControls();
    m_searchEdit->Bind(wxEVT_TEXT, &CTavikView::OnSearchBoxText, this);
    m_form->Bind(wxEVT_SIZE, &CTavikView::OnFormSize, this);
    m_form->Bind(wxEVT_CHAR_HOOK, &CTavikView::OnCharHook, this);
    m_form->Bind(EVT_TAVIK_SEARCH, &CTavikView::OnSearchRequest, this);
    frame->Bind(wxEVT_ACTIVATE, &CTavikView::OnFrameActivate, this);
    m_form->SetBackgroundStyle(wxBG_STYLE_ERASE);
    m_form->Bind(wxEVT_ERASE_BACKGROUND, &CTavikView::OnEraseBackground, this);
    // The form goes with the frame, which may be destroyed before the view.
    m_form->Bind(wxEVT_DESTROY, [this](wxWindowDestroyEvent& event) {
        if (event.GetEventObject() == m_form) m_form = nullptr;
        event.Skip();
    });

    m_builtInRects = BuiltInRects(LaidOutWindows());
    CreateHtmlView();
    BindNavigation();
    CreateSuggestionBar(*frame);
    Activate(true);
    return true;
}

bool CTavikView::OnClose(bool deleteWindow) {
    if (!wxView::OnClose(deleteWindow)) return false;
    Activate(false);
    if (wxWindow* frame = GetFrame())
        frame->Unbind(wxEVT_ACTIVATE, &CTavikView::OnFrameActivate, this);
    if (m_suggestions) {
        m_suggestions->Unbind(wxEVT_DESTROY, &CTavikView::OnSuggestionBarDestroy, this);
        m_suggestions = nullptr;
    }
    if (m_form) {
        m_form->Unbind(wxEVT_CHAR_HOOK, &CTavikView::OnCharHook, this);
        m_form->Unbind(EVT_TAVIK_SEARCH, &CTavikView::OnSearchRequest, this);
        m_form->Unbind(wxEVT_ERASE_BACKGROUND, &CTavikView::OnEraseBackground, this);
        if (deleteWindow) m_form->Destroy();
        m_form = nullptr;
    }
    return true;
}

void CTavikView::CreateHtmlView() {
    const wxSize client = m_form->GetClientSize();
    const wxRect rect(10, 90, std::max(0, client.x - 30), std::max(0, client.y - 50));
    HtmlViewerHost::Callbacks callbacks;
    callbacks.onHotspot = [this](const wxString& target) { OnHotspot(target); };
    callbacks.onPicture = [this](const PictureRequest& request) { OnPictureRequest(request); };
    callbacks.onCopyText = [this](const Text& plain) { m_strCopyText = plain; };
    m_hHtmlView = new HtmlViewerHost(m_form, rect, std::move(callbacks));
    m_hHtmlView->SetFocus();
    m_hHtmlView->SetName(_(L"단어 뜻"));
    m_hHtmlView->Bind(wxEVT_MOUSEWHEEL, &CTavikView::OnPageWheel, this);
    m_hHtmlView->Bind(wxEVT_CONTEXT_MENU, &CTavikView::OnPageMenu, this);
    m_zoom = ValidPageZoom(int(theApp().Settings().Read(kZoomKey, long(kDefaultPageZoom))));
    ApplyPageFonts();
    ShowEntryPage(theApp().SkinHome(), Text(), Text(), *m_hHtmlView);
}

void CTavikView::UseDesktopFont() {
    // The desktop's own text size, in the Korean face where it is installed.
    m_font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    if (wxFontEnumerator::IsValidFacename("NanumGothic")) m_font.SetFaceName("NanumGothic");
    for (wxWindow* child : m_form->GetChildren()) child->SetFont(m_font);
    m_scale = SkinScaleForFont(m_font.GetFractionalPointSize(), DesktopTextResolution());
}

void CTavikView::NameControls() {
    // Names for assistive tools; the arrows and the page say nothing by
    // themselves.
    const std::pair<wxWindow*, wxString> names[] = {
        {m_searchEdit, _(L"검색어")}, {m_searchList, _(L"근접어")},
        {m_listUp, _(L"이전단어")},   {m_listDown, _(L"다음단어")},
        {m_dicList, _(L"사전 선택")}, {m_form->FindWindow(kIdSearchButton), _(L"검색")},
    };
    for (const auto& [window, name] : names) {
        if (!window) continue;
        window->SetName(name);
        window->SetHelpText(name);
    }
    m_listUp->SetToolTip(_(L"이전단어") + " (Ctrl+Up)");
    m_listDown->SetToolTip(_(L"다음단어") + " (Ctrl+Down)");
}

void CTavikView::ApplyPageFonts() {
    const double points = m_font.GetFractionalPointSize() * m_zoom / 100.0;
    const PageFaces faces = CurrentPageFaces();
    m_hHtmlView->SetStandardFonts(std::max(1, int(std::lround(points))), faces.normal, faces.fixed);
}

void CTavikView::OnInitialUpdate() {
    const double scale = m_scale;
    m_designSize = ScaleSkinSize(SkinDesignSize(theApp().m_rcSkin), scale);
    m_design = ScaleSkinLayout(theApp().m_rcSkin, scale);
    ApplySkinLayout();
    FillSearchList();
    FillDicList();
    ShowFirstStartPage(*m_hHtmlView, theApp().DataFolders(),
                       AddDictionaryDefaults().installedFolders());
    m_searchEdit->SetFocus();
}

SkinWindows CTavikView::LaidOutWindows() const {
    SkinWindows windows{};
    windows[kSearchStatic] = m_form->FindWindow(kIdSearchStatic);
    windows[kSearchListStatic] = m_form->FindWindow(kIdSearchListStatic);
    windows[kSearchEdit] = m_searchEdit;
    windows[kSearchButton] = m_form->FindWindow(kIdSearchButton);
    windows[kSearchList] = m_searchList;
    windows[kContentEdit] = m_hHtmlView;
    windows[kSearchButtonListUp] = m_listUp;
    windows[kSearchButtonListDown] = m_listDown;
    windows[kSelectDicStatic] = m_form->FindWindow(kIdSelectDicStatic);
    windows[kSelectDicList] = m_dicList;
    return windows;
}

void CTavikView::ApplySkinLayout() {
    CTavikApp& app = theApp();
    // The form resource has no viewer: on the built-in form it fills the
    // form below the resource's own area.
    FormRects builtIn = m_builtInRects;
    const wxPoint corner = m_form->ConvertDialogToPixels(wxPoint(7, 117));
    // The form fills the frame, which may not have laid it out yet.
    const wxSize frameClient = m_form->GetParent()->GetClientSize();
    builtIn[kContentEdit] = wxRect(corner.x, corner.y, std::max(0, frameClient.x - 2 * corner.x),
                                   std::max(0, frameClient.y - corner.y - corner.x));
    // A usable skin follows the window's size; an unusable one is left to
    // the built-in form.
    const wxSize client = m_form->GetClientSize();
    const SkinLayout layout = IsUsableSkinLayout(app.m_rcSkin)
                                  ? FollowWindow(m_design, m_designSize, {client.x, client.y})
                                  : app.m_rcSkin;
    Text standing;
    if (!tavik::ApplySkinLayout(layout, LaidOutWindows(), builtIn)) {
        const std::filesystem::path skinFile = SkinFilePath(app.SkinHome());
        std::error_code error;
        const NoticeId notice = std::filesystem::exists(skinFile, error)
                                    ? NoticeId::kStatusSkinUnusable
                                    : NoticeId::kStatusSkinMissing;
        standing = NoticeText(notice, {FromUtf8(skinFile.string())});
    }
    // Every resize lays out again: the status line changes only with the
    // skin's state, so a note about the last search stays.
    if (standing != m_standingStatus) {
        m_standingStatus = standing;
        ShowStatus(Text());
    }
}

wxSize CTavikView::LayoutClientSize() const { return {m_designSize.width, m_designSize.height}; }

wxSize CTavikView::MinimumClientSize() const {
    const SkinSize least = MinimumWindowSize(m_design, m_designSize);
    return {std::max(least.width, 1), std::max(least.height, 1)};
}

void CTavikView::OnFormSize(wxSizeEvent& event) {
    event.Skip();
    // Until the initial update there is no layout to follow.
    if (!m_hHtmlView || m_designSize == SkinSize{}) return;
    ApplySkinLayout();
    // The labels' pieces of the background move with them.
    m_form->Refresh();
}

SearchSources CTavikView::Sources() {
    CTavikApp& app = theApp();
    if (!IsAllDictionaries(app.m_strDicPath)) {
        m_allDictionaries.reset();
        return SearchSources{app.SkinHome(), app.m_strDicPath, app.CodePageInUse(), app.Words()};
    }
    // The list as it is now, in the order the dictionary list shows it.
    m_allDictionaries.emplace(
        ListedDictionaries(ListDictionaries(app.DataFolders(), {}), app.CodePages()));
    static const CodePage unused = CodePage::Default();
    return SearchSources{app.SkinHome(), app.m_strDicPath, unused, app.Words(),
                         &m_allDictionaries->Dictionaries()};
}

SearchScreen CTavikView::Screen() {
    return SearchScreen{*m_searchBox, *m_neighbours, *m_hHtmlView, *this,
                        *this,        *this,         m_suggestions};
}

void CTavikView::CreateSuggestionBar(wxFrame& frame) {
    wxStatusBar* statusBar = frame.GetStatusBar();
    if (!statusBar) return;
    m_suggestions = new SuggestionBar(frame, *statusBar, [this](const Text& word) {
        if (m_form) SearchFromBox(word);
    });
    // It goes with the frame, which may be destroyed before the view, or
    // after it: the view lets go of it when it closes.
    m_suggestions->Bind(wxEVT_DESTROY, &CTavikView::OnSuggestionBarDestroy, this);
}

void CTavikView::OnSuggestionBarDestroy(wxWindowDestroyEvent& event) {
    if (event.GetEventObject() == m_suggestions) m_suggestions = nullptr;
    event.Skip();
}

void CTavikView::OnSearch() {
    LeavePage();
    SearchScreen screen = Screen();
    SearchWord(m_searchBox->GetText(), Sources(), screen);
    AfterSearch();
}

void CTavikView::SearchFromBox(const Text& word) {
    LeavePage();
    m_searchBox->SetText(word);
    SearchScreen screen = Screen();
    SearchWord(word, Sources(), screen);
    AfterSearch();
}

void CTavikView::OnSelchangeSearchList(wxCommandEvent& /*event*/) {
    LeavePage();
    SearchScreen screen = Screen();
    PickNeighbour(Sources(), screen);
    AfterSearch();
}

void CTavikView::OnListUp(wxCommandEvent& /*event*/) {
    LeavePage();
    SearchScreen screen = Screen();
    StepNeighbour(-1, Sources(), screen);
    AfterSearch();
}

void CTavikView::OnListDown(wxCommandEvent& /*event*/) {
    LeavePage();
    SearchScreen screen = Screen();
    StepNeighbour(+1, Sources(), screen);
    AfterSearch();
}

void CTavikView::AfterSearch() {
    if (!m_form) return;
    m_searched = true;
    // A new page starts at its top, where the headword is.
    m_hHtmlView->Scroll(0, 0);
    // The search box keeps the word with the cursor after it: typing goes
    // on from there, and Ctrl+C copies the entry, not the word.
    m_searchEdit->SetInsertionPointEnd();
    m_searchHistory.Changed(m_searchEdit->GetValue());
    const wxString headword = m_searchList->GetStringSelection();
    if (auto* frame = dynamic_cast<wxFrame*>(GetFrame()); frame && !headword.empty())
        frame->SetTitle(WindowTitle(headword, theApp().m_strDicPath));
    RememberPage();
}

void CTavikView::OnWordBook(wxCommandEvent& /*event*/) {
    const WordChoice choice = AppPrompts().wordBook(GetFrame());
    if (choice.ok && !choice.word.empty()) SearchFromBox(choice.word);
}

void CTavikView::OnRecentWord(wxCommandEvent& /*event*/) {
    const WordChoice choice = AppPrompts().recentWords(GetFrame());
    if (choice.ok && !choice.word.empty()) SearchFromBox(choice.word);
    if (choice.deletedAll) {
        m_searchBox->ClearHistory();
        m_searchBox->SetText(choice.word);
        m_searchBox->Focus();
    }
}

void CTavikView::OnAddWordBook(wxCommandEvent& /*event*/) {
    const Text word = FromWx(m_searchList->GetStringSelection());
    if (!word.empty()) theApp().Words().AddWordBook(word);
}

void CTavikView::OnEditCopy(wxCommandEvent& /*event*/) {
    // Selected text first: in the focused text field, then in the page.
    if (wxTextEntry* field = FocusedTextEntry(); field && HasSelection(*field)) {
        field->Copy();
        return;
    }
    if (const wxString selected = m_hHtmlView->SelectionToText(); !selected.empty()) {
        PutOnClipboard(selected);
        return;
    }
    // Before any entry was shown there is nothing to copy; whatever the user
    // has on the clipboard stays there.
    if (m_strCopyText.empty()) return;
    PutOnClipboard(ToWx(m_strCopyText));
}

void CTavikView::OnEditUndo(wxCommandEvent& /*event*/) {
    wxTextEntry* field = FocusedTextEntry();
    if (!field) return;
    // The toolkit keeps no undo for the search box's entry: its history is
    // kept here.
    if (field != static_cast<wxTextEntry*>(m_searchEdit)) {
        field->Undo();
        return;
    }
    if (const auto text = m_searchHistory.Undo()) {
        m_searchEdit->ChangeValue(*text);
        m_searchEdit->SetInsertionPointEnd();
    }
}

void CTavikView::OnSearchBoxText(wxCommandEvent& event) {
    m_searchHistory.Changed(m_searchEdit->GetValue());
    event.Skip();
}

void CTavikView::OnSelectAll(wxCommandEvent& /*event*/) {
    if (wxTextEntry* field = FocusedTextEntry()) {
        field->SelectAll();
        return;
    }
    m_hHtmlView->SelectAll();
}

void CTavikView::OnSearchSelection(wxCommandEvent& /*event*/) {
    wxString word = m_hHtmlView->SelectionToText();
    if (wxTextEntry* field = FocusedTextEntry(); field && HasSelection(*field))
        word = field->GetStringSelection();
    // The first line of the selection is the word; a sentence is searched
    // as it stands and finds its nearest headword.
    word = word.BeforeFirst('\n').Trim().Trim(false);
    if (!word.empty()) SearchFromBox(FromWx(word));
}

void CTavikView::OnZoom(wxCommandEvent& event) {
    const int id = event.GetId();
    SetZoom(NextPageZoom(m_zoom, id == WxId(kCmdZoomIn) ? +1 : id == WxId(kCmdZoomOut) ? -1 : 0));
}

void CTavikView::SetZoom(int percent) {
    if (percent == m_zoom) return;
    m_zoom = percent;
    theApp().Settings().Write(kZoomKey, long(m_zoom));
    theApp().Settings().Flush();
    const wxPoint at = m_hHtmlView->GetViewStart();
    ApplyPageFonts();
    m_hHtmlView->Scroll(at);
}

void CTavikView::OnPageWheel(wxMouseEvent& event) {
    if (!event.ControlDown() || event.GetWheelAxis() != wxMOUSE_WHEEL_VERTICAL) {
        event.Skip();
        return;
    }
    SetZoom(NextPageZoom(m_zoom, event.GetWheelRotation() > 0 ? +1 : -1));
}

void CTavikView::OnPageMenu(wxContextMenuEvent& /*event*/) {
    wxMenu menu;
    menu.Append(WxId(kCmdEditCopy), _(L"복사"));
    menu.Append(WxId(kCmdSelectAll), _(L"모두 선택"));
    menu.Append(WxId(kCmdSearchSelection), _(L"선택한 단어 찾기"));
    menu.Enable(WxId(kCmdSearchSelection), !m_hHtmlView->SelectionToText().empty());
    // The page keeps the focus, so the commands act on its selection.
    m_hHtmlView->SetFocus();
    const int chosen = m_hHtmlView->GetPopupMenuSelectionFromUser(menu);
    if (chosen == wxID_NONE) return;
    wxCommandEvent command(wxEVT_MENU, chosen);
    command.SetEventObject(GetFrame());
    GetFrame()->ProcessWindowEvent(command);
}

void CTavikView::OnSelectDic(wxCommandEvent& /*event*/) {
    const std::filesystem::path before = theApp().m_strDicPath;
    const bool chosen = AppPrompts().selectDictionary(GetFrame());
    // Files may have been removed in the dialog, or copied in meanwhile.
    FillDicList();
    // A removal in the dialog may have changed the dictionary even when it
    // was cancelled; "선택" may have changed the code page alone.
    if (chosen || theApp().m_strDicPath != before) AfterDictionaryChoice();
}

void CTavikView::OnSelchangeDicList(wxCommandEvent& /*event*/) {
    if (m_dictionaries->AllSelected()) {
        theApp().ChooseDictionary(kAllDictionariesPath);
    } else {
        const auto file = m_dictionaries->SelectedFile();
        if (!file) return;
        theApp().ChooseDictionary(*file);
    }
    AfterDictionaryChoice();
}

void CTavikView::AfterDictionaryChoice() {
    if (!m_form) return;
    if (m_searched && !Trim(m_searchBox->GetText()).empty()) OnSearch();
    m_searchEdit->SetFocus();
}

void CTavikView::FillSearchList() {
    tavik::FillSearchList(theApp().Words().m_listRecentWord, *m_searchBox);
}

void CTavikView::FillDicList() {
    m_dictionaries->Show(ListDictionaries(theApp().DataFolders(), theApp().m_strDicPath),
                         IsAllDictionaries(theApp().m_strDicPath));
}

void CTavikView::OnFrameActivate(wxActivateEvent& event) {
    if (event.GetActive() && m_form) FillDicList();
    event.Skip();
}

void CTavikView::OnAddDictionary(wxCommandEvent& /*event*/) { OpenAddDictionary(); }

void CTavikView::OpenAddDictionary() {
    RunAddDictionaryForApp(GetFrame(), [this](const std::filesystem::path& added) {
        theApp().ChooseDictionary(added);
        FillDicList();
        if (!m_searchEdit->GetValue().Strip(wxString::both).empty()) OnSearch();
    });
}

void CTavikView::OnHotspot(const wxString& target) {
    const std::string href(target.utf8_str());
    // A reference to another entry searches its word in the same dictionary.
    if (const auto word = EntryLinkWord(href)) {
        SearchFromBox(*word);
        return;
    }
    if (CommandLinkName(href) == kAddDictionaryCommand) {
        OpenAddDictionary();
        return;
    }
    AppPrompts().message(m_form, target, wxTheApp->GetAppName());
}

void CTavikView::OnPictureRequest(const PictureRequest& request) {
    // The viewer's own construction may already ask, before it is known here.
    if (!m_hHtmlView) return;
    const ImageBitmap& picture = m_pagePictures.Get(PathFromWx(GetImageFile(request.source)));
    if (picture.IsOk())
        m_hHtmlView->SetImage(request.cookie, picture.CreateCopy());
    else
        m_hHtmlView->ImageFail(request.cookie);
}

void CTavikView::OnEraseBackground(wxEraseEvent& event) {
    const ImageBitmap& picture = m_skinPicture.Get(theApp().SkinHome() / "Skin" / "BGImg.bmp");
    const SkinSize design = ScaleSkinSize(SkinDesignSize(theApp().m_rcSkin), m_scale);
    DrawViewBackground(*event.GetDC(), *m_form,
                       m_scaledSkinPicture.Get(picture, m_skinPicture.Decodes(), m_scale),
                       wxSize(design.width, design.height), m_labels);
}

void CTavikView::SetEntryCommands(bool enabled) {
    if (auto* frame = dynamic_cast<CMainFrame*>(GetFrame())) frame->SetEntryCommands(enabled);
}

void CTavikView::EnableNeighbourControls() {
    m_searchList->Enable();
    m_listUp->Enable();
    m_listDown->Enable();
}

void CTavikView::ShowStatus(const Text& text) {
    // A cleared line goes back to what stays true the whole run.
    if (auto* frame = dynamic_cast<wxFrame*>(GetFrame()); frame && frame->GetStatusBar())
        frame->SetStatusText(ToWx(text.empty() ? m_standingStatus : text));
}

void CTavikView::ShowMessage(const Text& text) {
    AppPrompts().message(m_form, ToWx(text), wxTheApp->GetAppName());
}

void CTavikView::OnCharHook(wxKeyEvent& event) {
    // Enter searches from wherever the focus is, and the key still reaches
    // its control.
    const int key = event.GetKeyCode();
    if (key == WXK_ESCAPE && !event.HasAnyModifiers()) {
        // Escape takes the user back to the search box, its word selected
        // for typing over.
        m_searchEdit->SetFocus();
        m_searchEdit->SelectAll();
        // The toolkit places the cursor as the focus arrives, after this.
        m_searchEdit->CallAfter([this] {
            if (m_searchEdit) m_searchEdit->SelectAll();
        });
        return;
    }
    if (key == WXK_RETURN || key == WXK_NUMPAD_ENTER) OnSearch();
    event.Skip();
}

void CTavikView::OnSearchRequest(wxCommandEvent& /*event*/) { OnSearch(); }

void CTavikView::OnSearchHistoryClosed(wxCommandEvent& event) {
    // Enter in the open drop-down picks the word in the toolkit's own popup,
    // where no key event reaches the form; the pick is searched once the box
    // shows it. A click or Escape only closes the drop-down, as before.
    if (wxGetKeyState(WXK_RETURN) || wxGetKeyState(WXK_NUMPAD_ENTER))
        CallAfter(&CTavikView::OnSearch);
    event.Skip();
}

}  // namespace tavik
