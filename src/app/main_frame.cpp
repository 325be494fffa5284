// The main frame.
#include "app/main_frame.h"

#include <wx/accel.h>
#include <wx/menu.h>
#include <wx/textentry.h>
#include <wx/toolbar.h>

#include "app/command_ids.h"
#include "app/toolbar_images.h"

namespace tavik {

namespace {

wxString Korean(const char* utf8) { return wxString::FromUTF8(utf8); }

}  // namespace

wxBEGIN_EVENT_TABLE(CMainFrame, wxDocParentFrame)
    EVT_UPDATE_UI(kCmdAddWordBook, CMainFrame::OnUpdateEntryCommand)
    EVT_UPDATE_UI(kCmdAddWordBookButton, CMainFrame::OnUpdateEntryCommand)
    EVT_UPDATE_UI(kCmdListUp, CMainFrame::OnUpdateEntryCommand)
    EVT_UPDATE_UI(kCmdListDown, CMainFrame::OnUpdateEntryCommand)
    EVT_MENU(kCmdAppExit, CMainFrame::OnExit)
    EVT_MENU(kCmdEditCut, CMainFrame::OnTextEdit)
    EVT_MENU(kCmdEditPaste, CMainFrame::OnTextEdit)
    EVT_MENU(kCmdEditUndo, CMainFrame::OnTextEdit)
wxEND_EVENT_TABLE()

CMainFrame::CMainFrame(wxDocManager* manager, const wxString& title)
    : wxDocParentFrame(manager, nullptr, wxID_ANY, title) {
    CreateMenu();
    CreateTools();
    CreateAccelerators();
}

void CMainFrame::CreateMenu() {
    auto* basic = new wxMenu;
    basic->Append(kCmdAppExit, Korean("종료"));
    basic->AppendSeparator();
    basic->Append(kCmdEditCopy, Korean("복사"));
    basic->Append(kCmdAddWordBook, Korean("단어장에추가"));
    basic->AppendSeparator();
    basic->Append(kCmdListUp, Korean("이전단어"));
    basic->Append(kCmdListDown, Korean("다음단어"));

    auto* tools = new wxMenu;
    tools->Append(kCmdAppAbout, Korean("TAVIK 이란 ?"));
    tools->AppendSeparator();
    tools->Append(kCmdSelectDic, Korean("사전선택"));
    tools->AppendSeparator();
    tools->Append(kCmdWordBook, Korean("단어장"));
    tools->Append(kCmdRecentWord, Korean("최근검색어"));

    auto* bar = new wxMenuBar;
    bar->Append(basic, Korean("기본"));
    bar->Append(tools, Korean("도구"));
    SetMenuBar(bar);
}

void CMainFrame::CreateTools() {
    wxToolBar* bar = CreateToolBar(wxTB_HORIZONTAL | wxTB_FLAT);
    bar->SetToolBitmapSize(wxSize(16, 16));
    bar->AddTool(kCmdAddWordBookButton, Korean("단어장에추가"), AddWordBookImage(),
                 Korean("단어장에 추가"));
    bar->AddTool(kCmdRecentWordButton, Korean("최근검색어"), RecentWordsImage(),
                 Korean("최근 검색어"));
    bar->AddTool(kCmdWordBookButton, Korean("단어장"), WordBookImage(), Korean("단어장"));
    bar->AddSeparator();
    bar->AddTool(kCmdAppAbout, Korean("TAVIK 이란 ?"), AboutImage(), Korean("TAVIK 이란 ?"));
    bar->Realize();
}

void CMainFrame::CreateAccelerators() {
    const wxAcceleratorEntry entries[] = {
        {wxACCEL_CTRL, 'N', kCmdFileNew},   {wxACCEL_CTRL, 'O', kCmdFileOpen},
        {wxACCEL_CTRL, 'S', kCmdFileSave},  {wxACCEL_CTRL, 'Q', kCmdAppExit},
        {wxACCEL_CTRL, 'Z', kCmdEditUndo},  {wxACCEL_CTRL, 'X', kCmdEditCut},
        {wxACCEL_CTRL, 'C', kCmdEditCopy},  {wxACCEL_CTRL, 'V', kCmdEditPaste},
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
        case kCmdEditCut: field->Cut(); break;
        case kCmdEditPaste: field->Paste(); break;
        case kCmdEditUndo: field->Undo(); break;
        default: break;
    }
}

}  // namespace tavik
