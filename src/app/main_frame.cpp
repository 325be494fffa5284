// The main frame.
#include "app/main_frame.h"

#include <wx/accel.h>
#include <wx/menu.h>
#include <wx/textentry.h>
#include <wx/toolbar.h>

#include "app/about_pictures.h"
#include "app/command_ids.h"
#include "app/toolbar_images.h"

namespace tavik {

namespace {

wxString Korean(const char* utf8) { return wxString::FromUTF8(utf8); }

}  // namespace

wxBEGIN_EVENT_TABLE(CMainFrame, wxDocParentFrame)
    EVT_UPDATE_UI(WxId(kCmdAddWordBook), CMainFrame::OnUpdateEntryCommand)
    EVT_UPDATE_UI(WxId(kCmdAddWordBookButton), CMainFrame::OnUpdateEntryCommand)
    EVT_UPDATE_UI(WxId(kCmdListUp), CMainFrame::OnUpdateEntryCommand)
    EVT_UPDATE_UI(WxId(kCmdListDown), CMainFrame::OnUpdateEntryCommand)
    EVT_MENU(WxId(kCmdAppExit), CMainFrame::OnExit)
    EVT_MENU(WxId(kCmdEditCut), CMainFrame::OnTextEdit)
    EVT_MENU(WxId(kCmdEditPaste), CMainFrame::OnTextEdit)
    EVT_MENU(WxId(kCmdEditUndo), CMainFrame::OnTextEdit)
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
    auto* basic = new wxMenu;
    basic->Append(WxId(kCmdAppExit), Korean("종료"));
    basic->AppendSeparator();
    basic->Append(WxId(kCmdEditCopy), Korean("복사"));
    basic->Append(WxId(kCmdAddWordBook), Korean("단어장에추가"));
    basic->AppendSeparator();
    basic->Append(WxId(kCmdListUp), Korean("이전단어"));
    basic->Append(WxId(kCmdListDown), Korean("다음단어"));

    auto* tools = new wxMenu;
    tools->Append(WxId(kCmdAppAbout), Korean("TAVIK 이란 ?"));
    tools->AppendSeparator();
    tools->Append(WxId(kCmdSelectDic), Korean("사전선택"));
    tools->AppendSeparator();
    tools->Append(WxId(kCmdWordBook), Korean("단어장"));
    tools->Append(WxId(kCmdRecentWord), Korean("최근검색어"));

    auto* bar = new wxMenuBar;
    bar->Append(basic, Korean("기본"));
    bar->Append(tools, Korean("도구"));
    SetMenuBar(bar);
}

void CMainFrame::CreateTools() {
    wxToolBar* bar = CreateToolBar(wxTB_HORIZONTAL | wxTB_FLAT);
    bar->SetToolBitmapSize(wxSize(16, 16));
    bar->AddTool(WxId(kCmdAddWordBookButton), Korean("단어장에추가"), AddWordBookImage(),
                 Korean("단어장에 추가"));
    bar->AddTool(WxId(kCmdRecentWordButton), Korean("최근검색어"), RecentWordsImage(),
                 Korean("최근 검색어"));
    bar->AddTool(WxId(kCmdWordBookButton), Korean("단어장"), WordBookImage(), Korean("단어장"));
    bar->AddSeparator();
    bar->AddTool(WxId(kCmdAppAbout), Korean("TAVIK 이란 ?"), AboutImage(), Korean("TAVIK 이란 ?"));
    bar->Realize();
}

void CMainFrame::CreateAccelerators() {
    const wxAcceleratorEntry entries[] = {
        {wxACCEL_CTRL, 'N', WxId(kCmdFileNew)},  {wxACCEL_CTRL, 'O', WxId(kCmdFileOpen)},
        {wxACCEL_CTRL, 'S', WxId(kCmdFileSave)}, {wxACCEL_CTRL, 'Q', WxId(kCmdAppExit)},
        {wxACCEL_CTRL, 'Z', WxId(kCmdEditUndo)}, {wxACCEL_CTRL, 'X', WxId(kCmdEditCut)},
        {wxACCEL_CTRL, 'C', WxId(kCmdEditCopy)}, {wxACCEL_CTRL, 'V', WxId(kCmdEditPaste)},
    };
    SetAcceleratorTable(wxAcceleratorTable(int(std::size(entries)), entries));
}

void CMainFrame::OnUpdateEntryCommand(wxUpdateUIEvent& event) { event.Enable(m_bEntryCommands); }

void CMainFrame::OnExit(wxCommandEvent& /*event*/) { Close(); }

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
        case WxId(kCmdEditUndo):
            field->Undo();
            break;
        default:
            break;
    }
}

}  // namespace tavik
