// The main frame.
#include "app/main_frame.h"

#include <wx/accel.h>
#include <wx/clipbrd.h>
#include <wx/menu.h>
#include <wx/textentry.h>
#include <wx/toolbar.h>

#include "app/about_pictures.h"
#include "app/command_ids.h"
#include "app/tavik_app.h"
#include "app/toolbar_images.h"
#include "app/ui_language.h"
#include "app/window_geometry.h"

namespace tavik {

wxBEGIN_EVENT_TABLE(CMainFrame, wxDocParentFrame)
    EVT_UPDATE_UI(WxId(kCmdAddWordBook), CMainFrame::OnUpdateEntryCommand)
    EVT_UPDATE_UI(WxId(kCmdAddWordBookButton), CMainFrame::OnUpdateEntryCommand)
    EVT_UPDATE_UI(WxId(kCmdListUp), CMainFrame::OnUpdateEntryCommand)
    EVT_UPDATE_UI(WxId(kCmdListDown), CMainFrame::OnUpdateEntryCommand)
    EVT_MENU(WxId(kCmdAppExit), CMainFrame::OnExit)
    EVT_MENU(WxId(kCmdEditCut), CMainFrame::OnTextEdit)
    EVT_MENU(WxId(kCmdEditPaste), CMainFrame::OnTextEdit)
    EVT_MENU(WxId(kCmdLanguageKorean), CMainFrame::OnLanguage)
    EVT_MENU(WxId(kCmdLanguageEnglish), CMainFrame::OnLanguage)
    EVT_CLOSE(CMainFrame::OnClose)
wxEND_EVENT_TABLE()

CMainFrame::CMainFrame(wxDocManager* manager, const wxString& title)
    : wxDocParentFrame(manager, nullptr, wxID_ANY, title) {
    SetIcons(TavikIcons());
    CreateMenu();
    CreateTools();
    CreateAccelerators();
    // The status line says what the last action did not manage to do.
    CreateStatusBar(1);
}

void CMainFrame::CreateMenu() {
    // Every command shows its key; the keys are the menu's own accelerators.
    auto* basic = new wxMenu;
    basic->Append(WxId(kCmdAppExit), _(L"종료") + "\tCtrl+Q");
    basic->AppendSeparator();
    basic->Append(WxId(kCmdEditCopy), _(L"복사") + "\tCtrl+C");
    basic->Append(WxId(kCmdAddWordBook), _(L"단어장에추가") + "\tCtrl+D");
    basic->AppendSeparator();
    basic->Append(WxId(kCmdListUp), _(L"이전단어") + "\tCtrl+Up");
    basic->Append(WxId(kCmdListDown), _(L"다음단어") + "\tCtrl+Down");
    basic->Append(wxID_BACKWARD, _(L"뒤로") + "\tAlt+Left");
    basic->Append(wxID_FORWARD, _(L"앞으로") + "\tAlt+Right");
    basic->AppendSeparator();
    basic->AppendCheckItem(WxId(kCmdSearchAsYouType), _(L"입력하면서 찾기") + "\tCtrl+T");

    auto* tools = new wxMenu;
    tools->Append(WxId(kCmdAppAbout), _(L"TAVIK 이란 ?") + "\tF1");
    tools->AppendSeparator();
    tools->Append(WxId(kCmdSelectDic), _(L"사전선택") + "\tCtrl+L");
    tools->Append(AddDictionaryCommandId(), _(L"사전 추가") + "\tCtrl+Shift+L");
    tools->AppendSeparator();
    tools->Append(WxId(kCmdWordBook), _(L"단어장") + "\tCtrl+B");
    tools->Append(WxId(kCmdRecentWord), _(L"최근검색어") + "\tCtrl+H");

    auto* view = new wxMenu;
    view->Append(WxId(kCmdZoomIn), _(L"글자 크게") + "\tCtrl+=");
    view->Append(WxId(kCmdZoomOut), _(L"글자 작게") + "\tCtrl+-");
    view->Append(WxId(kCmdZoomReset), _(L"원래 크기") + "\tCtrl+0");
    view->AppendSeparator();
    view->Append(WxId(kCmdSelectAll), _(L"모두 선택") + "\tCtrl+A");
    view->Append(WxId(kCmdSearchSelection), _(L"선택한 단어 찾기") + "\tCtrl+F");
    view->AppendSeparator();
    // Each language is named in itself, so a user who reads only one of
    // them finds it.
    auto* languages = new wxMenu;
    languages->AppendRadioItem(WxId(kCmdLanguageKorean), wxString(L"한국어"));
    languages->AppendRadioItem(WxId(kCmdLanguageEnglish), "English");
    languages->Check(WxId(CurrentUiLanguage() == UiLanguage::kEnglish ? kCmdLanguageEnglish
                                                                      : kCmdLanguageKorean),
                     true);
    wxString languageLabel = _(L"언어");
    if (CurrentUiLanguage() != UiLanguage::kEnglish) languageLabel += " (Language)";
    view->AppendSubMenu(languages, languageLabel);

    auto* bar = new wxMenuBar;
    bar->Append(basic, _(L"기본"));
    bar->Append(tools, _(L"도구"));
    bar->Append(view, _(L"보기"));
    SetMenuBar(bar);
}

void CMainFrame::CreateTools() {
    wxToolBar* bar = CreateToolBar(wxTB_HORIZONTAL | wxTB_FLAT);
    bar->SetToolBitmapSize(wxSize(16, 16));
    bar->AddTool(wxID_BACKWARD, _(L"뒤로"), BackImage(), _(L"뒤로") + " (Alt+Left)");
    bar->AddTool(wxID_FORWARD, _(L"앞으로"), ForwardImage(), _(L"앞으로") + " (Alt+Right)");
    bar->AddSeparator();
    bar->AddTool(WxId(kCmdAddWordBookButton), _(L"단어장에추가"), AddWordBookImage(),
                 _(L"단어장에 추가") + " (Ctrl+D)");
    bar->AddTool(WxId(kCmdRecentWordButton), _(L"최근검색어"), RecentWordsImage(),
                 _(L"최근 검색어") + " (Ctrl+H)");
    bar->AddTool(WxId(kCmdWordBookButton), _(L"단어장"), WordBookImage(),
                 _(L"단어장") + " (Ctrl+B)");
    bar->AddSeparator();
    bar->AddTool(WxId(kCmdAppAbout), _(L"TAVIK 이란 ?"), AboutImage(),
                 _(L"TAVIK 이란 ?") + " (F1)");
    bar->Realize();
}

void CMainFrame::CreateAccelerators() {
    // Keys beside those the menu shows: the text fields' own editing keys,
    // and second keys a user may try for the same commands.
    const wxAcceleratorEntry entries[] = {
        // Copy decides itself between a field's selection, the page's and
        // the entry: it must come before the focused field's own Ctrl+C.
        {wxACCEL_CTRL, 'C', WxId(kCmdEditCopy)},
        {wxACCEL_CTRL, 'X', WxId(kCmdEditCut)},
        {wxACCEL_CTRL, 'V', WxId(kCmdEditPaste)},
        {wxACCEL_CTRL, 'Z', WxId(kCmdEditUndo)},
        // Outside the search box, whose drop-down list keeps Alt+Down.
        {wxACCEL_ALT, WXK_UP, WxId(kCmdListUp)},
        {wxACCEL_ALT, WXK_DOWN, WxId(kCmdListDown)},
        {wxACCEL_ALT, WXK_LEFT, wxID_BACKWARD},
        {wxACCEL_ALT, WXK_RIGHT, wxID_FORWARD},
        {wxACCEL_CTRL, '+', WxId(kCmdZoomIn)},
        {wxACCEL_CTRL | wxACCEL_SHIFT, '=', WxId(kCmdZoomIn)},
        {wxACCEL_CTRL, WXK_NUMPAD_ADD, WxId(kCmdZoomIn)},
        {wxACCEL_CTRL, WXK_NUMPAD_SUBTRACT, WxId(kCmdZoomOut)},
        {wxACCEL_CTRL, WXK_NUMPAD0, WxId(kCmdZoomReset)},
    };
    SetAcceleratorTable(wxAcceleratorTable(int(std::size(entries)), entries));
}

void CMainFrame::OnUpdateEntryCommand(wxUpdateUIEvent& event) { event.Enable(m_bEntryCommands); }

void CMainFrame::OnExit(wxCommandEvent& /*event*/) { Close(); }

void CMainFrame::OnClose(wxCloseEvent& event) {
    SaveWindowGeometry(*this, theApp().Settings());
    // What Tavik put on the clipboard goes to the desktop's clipboard keeper,
    // so it stays there after Tavik ends.
    wxTheClipboard->Flush();
    event.Skip();
}

void CMainFrame::OnLanguage(wxCommandEvent& event) {
    const UiLanguage chosen =
        event.GetId() == WxId(kCmdLanguageEnglish) ? UiLanguage::kEnglish : UiLanguage::kKorean;
    StoreUiLanguage(theApp().Settings(), chosen);
    if (chosen != CurrentUiLanguage()) SetStatusText(_(L"언어는 Tavik을 다시 시작하면 바뀝니다."));
}

void CMainFrame::OnTextEdit(wxCommandEvent& event) {
    wxWindow* focus = FindFocus();
    auto* field = dynamic_cast<wxTextEntry*>(focus);
    if (!field && focus) field = dynamic_cast<wxTextEntry*>(focus->GetParent());
    if (!field || !field->IsEditable()) return;
    switch (event.GetId()) {
        case WxId(kCmdEditCut):
            field->Cut();
            break;
        case WxId(kCmdEditPaste):
            field->Paste();
            break;
        default:
            break;
    }
}

}  // namespace tavik
