// The main view.
#include "app/tavik_view.h"

#include <wx/clipbrd.h>
#include <wx/fontenum.h>
#include <wx/utils.h>
#include <wx/xrc/xmlres.h>

#include "app/command_ids.h"
#include "app/main_frame.h"
#include "app/prompts.h"
#include "app/settings.h"
#include "app/skin_apply.h"
#include "app/tavik_app.h"
#include "app/view_background.h"
#include "app/wx_text.h"
#include "dict/dictionary_folder.h"
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
wxEND_EVENT_TABLE()

namespace {
template <typename Control>
Control* Child(wxWindow* form, int id) {
    return dynamic_cast<Control*>(form->FindWindow(id));
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

    if (wxFontEnumerator::IsValidFacename("NanumGothic")) {
        const wxFont font(wxFontInfo(10).FaceName("NanumGothic"));
        for (wxWindow* child : m_form->GetChildren()) child->SetFont(font);
    }
    m_form->Bind(wxEVT_CHAR_HOOK, &CTavikView::OnCharHook, this);
    m_form->Bind(EVT_TAVIK_SEARCH, &CTavikView::OnSearchRequest, this);
    m_form->SetBackgroundStyle(wxBG_STYLE_ERASE);
    m_form->Bind(wxEVT_ERASE_BACKGROUND, &CTavikView::OnEraseBackground, this);
    // The form goes with the frame, which may be destroyed before the view.
    m_form->Bind(wxEVT_DESTROY, [this](wxWindowDestroyEvent& event) {
        if (event.GetEventObject() == m_form) m_form = nullptr;
        event.Skip();
    });

    m_builtInRects = BuiltInRects(LaidOutWindows());
    CreateHtmlView();
    Activate(true);
    return true;
}

bool CTavikView::OnClose(bool deleteWindow) {
    if (!wxView::OnClose(deleteWindow)) return false;
    Activate(false);
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
    ShowEntryPage(theApp().SkinHome(), Text(), Text(), *m_hHtmlView);
}

void CTavikView::OnInitialUpdate() {
    ApplySkinLayout();
    FillSearchList();
    FillDicList();
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
    const wxSize client = m_form->GetParent()->GetClientSize();
    builtIn[kContentEdit] = wxRect(corner.x, corner.y, std::max(0, client.x - 2 * corner.x),
                                   std::max(0, client.y - corner.y - corner.x));
    if (tavik::ApplySkinLayout(app.m_rcSkin, LaidOutWindows(), builtIn)) {
        if (!m_standingStatus.empty()) {
            m_standingStatus.clear();
            ShowStatus(Text());
        }
        return;
    }
    const std::filesystem::path skinFile = SkinFilePath(app.SkinHome());
    std::error_code error;
    const NoticeId notice = std::filesystem::exists(skinFile, error) ? NoticeId::kStatusSkinUnusable
                                                                     : NoticeId::kStatusSkinMissing;
    m_standingStatus = NoticeText(notice, {FromUtf8(skinFile.string())});
    ShowStatus(Text());
}

SearchSources CTavikView::Sources() const {
    CTavikApp& app = theApp();
    return SearchSources{app.SkinHome(), app.m_strDicPath, app.CodePageInUse(), app.Words()};
}

SearchScreen CTavikView::Screen() {
    return SearchScreen{*m_searchBox, *m_neighbours, *m_hHtmlView, *this, *this, *this};
}

void CTavikView::OnSearch() {
    SearchScreen screen = Screen();
    SearchWord(m_searchBox->GetText(), Sources(), screen);
}

void CTavikView::SearchFromBox(const Text& word) {
    m_searchBox->SetText(word);
    SearchScreen screen = Screen();
    SearchWord(word, Sources(), screen);
}

void CTavikView::OnSelchangeSearchList(wxCommandEvent& /*event*/) {
    SearchScreen screen = Screen();
    PickNeighbour(Sources(), screen);
}

void CTavikView::OnListUp(wxCommandEvent& /*event*/) {
    SearchScreen screen = Screen();
    StepNeighbour(-1, Sources(), screen);
}

void CTavikView::OnListDown(wxCommandEvent& /*event*/) {
    SearchScreen screen = Screen();
    StepNeighbour(+1, Sources(), screen);
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
    // Before any entry was shown there is nothing to copy; whatever the user
    // has on the clipboard stays there.
    if (m_strCopyText.empty()) return;
    wxClipboardLocker locker;
    if (!locker) return;
    wxTheClipboard->SetData(new wxTextDataObject(ToWx(m_strCopyText)));
}

void CTavikView::OnSelectDic(wxCommandEvent& /*event*/) {
    if (!AppPrompts().selectDictionary(GetFrame())) return;
    const std::filesystem::path stored = theApp().StoredDictionaryPath();
    for (unsigned i = 0; i < m_dicList->GetCount(); ++i) {
        if (IsCurrentDictionary(FromWx(m_dicList->GetString(i)), stored)) {
            m_dicList->SetSelection(int(i));
            break;
        }
    }
}

void CTavikView::OnSelchangeDicList(wxCommandEvent& /*event*/) {
    const wxString name = m_dicList->GetStringSelection();
    if (name.empty()) return;
    if (const auto path = ChosenDictionaryPath(theApp().DataFolders(), FromWx(name)))
        theApp().ChooseDictionary(*path);
}

void CTavikView::FillSearchList() {
    tavik::FillSearchList(theApp().Words().m_listRecentWord, *m_searchBox);
}

void CTavikView::FillDicList() {
    m_dicList->Clear();
    const DictionaryListing listing =
        ListDictionaries(theApp().DataFolders(), theApp().StoredDictionaryPath());
    for (const Text& name : listing.names) m_dicList->Append(ToWx(name));
    if (listing.selection >= 0) m_dicList->SetSelection(listing.selection);
}

void CTavikView::OnHotspot(const wxString& target) {
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
    DrawViewBackground(*event.GetDC(), *m_form,
                       m_skinPicture.Get(theApp().SkinHome() / "Skin" / "BGImg.bmp"), m_labels);
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
    // its control; Escape is never taken as a Cancel.
    const int key = event.GetKeyCode();
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
