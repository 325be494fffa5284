// The real window on a (virtual) display: typing and Enter, the neighbour
// list and its step buttons, the entry commands, Copy, the labels. The tests
// share one application object and run in the order they are written.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/clipbrd.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/menu.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>

#include <cstdlib>
#include <vector>

#include "app/add_dictionary_dlg.h"
#include "app/skin_label.h"
#include "app/window_fixture.h"
#include "app/wx_text.h"
#include "support/temp_dir.h"

wxIMPLEMENT_APP_NO_MAIN(tavik::CTavikApp);

namespace tavik {
namespace {

TEST_F(WindowTest, BeforeTheFirstSearchTheEntryCommandsAndStepControlsAreOff) {
    for (CommandId id : {kCmdAddWordBook, kCmdListUp, kCmdListDown})
        EXPECT_FALSE(MenuEnabled(id)) << id;
    EXPECT_FALSE(ToolEnabled(kCmdAddWordBookButton));
    for (CommandId id :
         {kCmdAppExit, kCmdEditCopy, kCmdSelectDic, kCmdWordBook, kCmdRecentWord, kCmdAppAbout})
        EXPECT_TRUE(MenuEnabled(id)) << id;
    EXPECT_TRUE(ToolEnabled(kCmdRecentWordButton));
    EXPECT_FALSE(Neighbours().IsEnabled());
    EXPECT_FALSE(View().Form()->FindWindow(kIdListUp)->IsEnabled());
    EXPECT_FALSE(View().Form()->FindWindow(kIdListDown)->IsEnabled());
    EXPECT_TRUE(PumpUntil([&] { return wxWindow::FindFocus() == &SearchEdit(); }));
    EXPECT_EQ(Control<wxChoice>(kIdSelectDicList).GetStringSelection(), "Tavik.txt");
}

TEST_F(WindowTest, CopyBeforeAnyEntryLeavesTheClipboardAlone) {
    {
        wxClipboardLocker locker;
        ASSERT_TRUE(!!locker);
        wxTheClipboard->SetData(new wxTextDataObject("the user's own text"));
    }
    Menu(kCmdEditCopy);
    wxClipboardLocker locker;
    wxTextDataObject data;
    ASSERT_TRUE(wxTheClipboard->GetData(data));
    EXPECT_EQ(data.GetText(), "the user's own text");
}

TEST_F(WindowTest, EnterInTheSearchBoxShowsTheEntryAndEnablesTheCommands) {
    Type("  apple ");
    PressEnter(SearchEdit());
    EXPECT_TRUE(ShowsHeadword("apple")) << Shown();
    EXPECT_TRUE(g_messages.empty());
    EXPECT_EQ(SearchEdit().GetString(0), "apple");
    EXPECT_EQ(Neighbours().GetStringSelection(), "apple");
    EXPECT_TRUE(Neighbours().IsEnabled());
    for (CommandId id : {kCmdAddWordBook, kCmdListUp, kCmdListDown})
        EXPECT_TRUE(MenuEnabled(id)) << id;
    EXPECT_TRUE(ToolEnabled(kCmdAddWordBookButton));
    EXPECT_TRUE(PumpUntil([&] { return wxWindow::FindFocus() == &SearchEdit(); }));
}

TEST_F(WindowTest, TypingAWordAndPressingEnterOnTheKeyboardShowsIt) {
    Frame().Raise();
    SearchEdit().SetFocus();
    SearchEdit().ChangeValue("");
    ASSERT_TRUE(PumpUntil([&] { return wxWindow::FindFocus() == &SearchEdit(); }));
    wxUIActionSimulator keyboard;
    keyboard.Text("egg");
    keyboard.Char(WXK_RETURN);
    EXPECT_TRUE(PumpUntil([&] { return ShowsHeadword("egg"); })) << Shown();
    EXPECT_EQ(SearchEdit().GetString(0), "egg");
}

// Enter in the open drop-down history picks a word and searches it at once;
// Escape only closes it.
TEST_F(WindowTest, EnterInTheOpenHistoryPicksAndSearchesAtOnce) {
    for (const char* word : {"cat", "dog"}) {
        Type(word);
        PressEnter(SearchEdit());
    }
    Frame().Raise();
    SearchEdit().SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return wxWindow::FindFocus() == &SearchEdit(); }));
    const unsigned historyBefore = SearchEdit().GetCount();
    wxUIActionSimulator keyboard;

    SearchEdit().Popup();
    Pump();
    keyboard.Char(WXK_DOWN);
    keyboard.Char(WXK_ESCAPE);
    Pump();
    EXPECT_TRUE(ShowsHeadword("dog")) << Shown();
    EXPECT_EQ(SearchEdit().GetCount(), historyBefore);

    SearchEdit().ChangeValue("");
    SearchEdit().Popup();
    Pump();
    keyboard.Char(WXK_DOWN);
    keyboard.Char(WXK_DOWN);
    Pump();
    // A person's Enter is down a moment while the toolkit handles it; it is
    // let go before the key would repeat.
    keyboard.KeyDown(WXK_RETURN);
    for (int i = 0; i < 8 && SearchEdit().GetCount() == historyBefore; ++i) Pump();
    keyboard.KeyUp(WXK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return SearchEdit().GetCount() > historyBefore; }))
        << "the picked word was not searched";
    const wxString picked = SearchEdit().GetValue();
    EXPECT_FALSE(picked.empty());
    EXPECT_EQ(SearchEdit().GetString(0), picked);
    EXPECT_TRUE(ShowsHeadword(picked.utf8_str())) << picked << ": " << Shown();
    EXPECT_EQ(SearchEdit().GetCount(), historyBefore + 1);
}

TEST_F(WindowTest, EnterOnTheListOrViewerAndTheSearchRequestSearchTheBoxText) {
    Type("cat");
    PressEnter(Neighbours());
    EXPECT_TRUE(ShowsHeadword("cat")) << Shown();
    Type("dog");
    PressEnter(*View().HtmlView());
    EXPECT_TRUE(ShowsHeadword("dog")) << Shown();
    Type("fish");
    wxCommandEvent request(EVT_TAVIK_SEARCH);
    View().Form()->ProcessWindowEvent(request);
    Pump();
    EXPECT_TRUE(ShowsHeadword("fish")) << Shown();
}

TEST_F(WindowTest, EmptyInputShowsTheMessageAndKeepsTheEntryCommands) {
    const wxString before = Shown();
    Type("   ");
    Click(kIdSearchButton);
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(g_messages[0], wxString::FromUTF8("단어를 입력해 주세요"));
    EXPECT_EQ(Shown(), before);
    EXPECT_TRUE(MenuEnabled(kCmdListDown));
}

TEST_F(WindowTest, PickingANeighbourSearchesIt) {
    Type("bird");
    Click(kIdSearchButton);
    const int book = Neighbours().FindString("book");
    ASSERT_NE(book, wxNOT_FOUND);
    Pick(book);
    EXPECT_EQ(SearchEdit().GetValue(), "book");
    EXPECT_TRUE(ShowsHeadword("book")) << Shown();
}

TEST_F(WindowTest, FillingTheNeighbourListByCodeStartsNoSearch) {
    Type("cat");
    Click(kIdSearchButton);
    const wxString page = Shown();
    Neighbours().SetSelection(0);
    Neighbours().Append("zzz");
    Pump();
    EXPECT_EQ(Shown(), page);
    EXPECT_EQ(SearchEdit().GetValue(), "cat");
}

TEST_F(WindowTest, StepButtonsAndCommandsStopAtBothEnds) {
    Type("a");  // the first headword of the bundled dictionary
    Click(kIdSearchButton);
    ASSERT_EQ(Neighbours().GetSelection(), 0);
    const wxString firstWord = Neighbours().GetString(0);
    const wxString secondWord = Neighbours().GetString(1);
    ASSERT_FALSE(secondWord.empty());
    const wxString first = Shown();
    Click(kIdListUp);
    EXPECT_EQ(Shown(), first);

    Click(kIdListDown);
    EXPECT_EQ(SearchEdit().GetValue(), secondWord);
    EXPECT_TRUE(ShowsHeadword(secondWord)) << Shown();
    Menu(kCmdListUp);
    EXPECT_TRUE(ShowsHeadword(firstWord)) << Shown();

    Neighbours().SetSelection(int(Neighbours().GetCount()) - 1);
    const wxString last = Neighbours().GetStringSelection();
    const wxString before = Shown();
    Click(kIdListDown);
    EXPECT_EQ(Shown(), before);

    Neighbours().SetSelection(wxNOT_FOUND);
    Click(kIdListUp);
    EXPECT_EQ(Shown(), before);
    Menu(kCmdListDown);
    EXPECT_EQ(SearchEdit().GetValue(), Neighbours().GetString(0));
    EXPECT_FALSE(last.empty());
}

TEST_F(WindowTest, CopyPutsTheShownEntryOnTheClipboard) {
    Type("apple");
    Click(kIdSearchButton);
    Menu(kCmdEditCopy);
    wxClipboardLocker locker;
    wxTextDataObject data;
    ASSERT_TRUE(wxTheClipboard->GetData(data));
    EXPECT_TRUE(data.GetText().StartsWith("apple\n")) << data.GetText();
    EXPECT_FALSE(data.GetText().Contains("<")) << data.GetText();
}

TEST_F(WindowTest, CopyAfterTheCreditsPageCopiesTheCredits) {
    Type("apple");
    Click(kIdSearchButton);
    Type("$#qexil");
    Click(kIdSearchButton);
    Menu(kCmdEditCopy);
    wxClipboardLocker locker;
    wxTextDataObject data;
    ASSERT_TRUE(wxTheClipboard->GetData(data));
    EXPECT_TRUE(data.GetText().StartsWith("Tavik Dictionary Workshop\n")) << data.GetText();
    EXPECT_FALSE(data.GetText().Contains("apple")) << data.GetText();
}

TEST_F(WindowTest, PasteCutAndUndoActOnTheFocusedTextFieldOnly) {
    {
        wxClipboardLocker locker;
        wxTheClipboard->SetData(new wxTextDataObject("pasted"));
    }
    SearchEdit().SetFocus();
    SearchEdit().ChangeValue("");
    Pump();
    Menu(kCmdEditPaste);
    EXPECT_EQ(SearchEdit().GetValue(), "pasted");
    SearchEdit().SelectAll();
    Menu(kCmdEditCut);
    EXPECT_EQ(SearchEdit().GetValue(), "");

    View().HtmlView()->SetFocus();
    Pump();
    const wxString page = Shown();
    Menu(kCmdEditPaste);  // no text field has the focus: nothing happens
    EXPECT_EQ(SearchEdit().GetValue(), "");
    EXPECT_EQ(Shown(), page);
}

TEST_F(WindowTest, LinksShowTheirTarget) {
    const wxString page = Shown();
    View().OnHotspot("mailto:team@tavik.invalid");
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(g_messages[0], "mailto:team@tavik.invalid");
    EXPECT_EQ(Shown(), page);
}

TEST_F(WindowTest, WindowAfterASearchIsLaidOutByTheSkin) {
    Type("apple");
    Click(kIdSearchButton);
    Frame().Raise();
    Frame().Refresh();
    Frame().Update();
    Pump();

    wxWindow& viewer = *View().HtmlView();
    EXPECT_EQ(viewer.GetPosition(), wxPoint(10, 96));
    EXPECT_EQ(viewer.GetSize(), wxSize(620, 374));
    EXPECT_EQ(SearchEdit().GetPosition(), wxPoint(76, 8));

    // A screenshot of the window, kept for people to look at.
    const wxRect rect = Frame().GetScreenRect();
    wxBitmap shot(rect.width, rect.height, 24);
    {
        wxMemoryDC memory(shot);
        wxScreenDC screen;
        memory.Blit(0, 0, rect.width, rect.height, &screen, rect.x, rect.y);
    }
    wxFileName::Mkdir(TAVIK_ARTIFACT_DIR, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    ASSERT_TRUE(shot.SaveFile(wxString(TAVIK_ARTIFACT_DIR) + "/window-after-search.png",
                              wxBITMAP_TYPE_PNG));

    // The labels draw no box of their own: the pixel at a label's corner is
    // the form's background beside it.
    const wxImage image = shot.ConvertToImage();
    const wxPoint origin = View().Form()->GetScreenPosition() - rect.GetPosition();
    for (int id : {kIdSearchStatic, kIdSearchListStatic, kIdSelectDicStatic}) {
        const wxRect label = View().Form()->FindWindow(id)->GetRect();
        const wxPoint inside = origin + label.GetBottomRight() - wxPoint(1, 1);
        const wxPoint beside = origin + wxPoint(label.GetLeft() - 2, label.GetBottom() - 1);
        EXPECT_EQ(image.GetRed(inside.x, inside.y), image.GetRed(beside.x, beside.y)) << id;
        EXPECT_EQ(image.GetBlue(inside.x, inside.y), image.GetBlue(beside.x, beside.y)) << id;
    }
}

TEST_F(WindowTest, TheEntryPageGetsTheSkinPictureThroughTheView) {
    Type("apple");
    Click(kIdSearchButton);
    const wxBitmap& background = View().HtmlView()->PageBackground();
    ASSERT_TRUE(background.IsOk());
    EXPECT_EQ(background.GetSize(), wxSize(160, 120));
}

TEST_F(WindowTest, LabelsGetThePieceOfTheViewPictureBehindThem) {
    const std::filesystem::path picture = theApp().m_strAppDir / "Skin" / "BGImg.bmp";
    const std::filesystem::path kept = picture.string() + ".kept";
    std::filesystem::copy_file(picture, kept);
    auto repaint = [&] {
        View().Form()->Refresh();
        View().Form()->Update();
        Pump();
    };
    auto label = [&](int id) -> SkinLabel& { return Control<SkinLabel>(id); };

    repaint();  // the bundled picture covers the whole form
    for (int id : {kIdSearchStatic, kIdSearchListStatic, kIdSelectDicStatic}) {
        ASSERT_TRUE(label(id).Piece().IsOk()) << id;
        EXPECT_EQ(label(id).Piece().GetSize(), label(id).GetSize()) << id;
        EXPECT_EQ(label(id).PieceOrigin(), wxPoint(0, 0)) << id;
    }

    // A picture ending inside the first label and short of the others.
    wxImage small(40, 30);
    small.SetRGB(wxRect(0, 0, 40, 30), 200, 30, 30);
    ASSERT_TRUE(small.SaveFile(wxString::FromUTF8(picture.string()), wxBITMAP_TYPE_BMP));
    repaint();
    const wxRect first = label(kIdSearchStatic).GetRect();
    ASSERT_TRUE(label(kIdSearchStatic).Piece().IsOk());
    EXPECT_EQ(label(kIdSearchStatic).Piece().GetSize(), wxSize(40 - first.x, 30 - first.y));
    EXPECT_EQ(label(kIdSearchStatic).PieceOrigin(), wxPoint(0, 0));
    const wxImage piece = label(kIdSearchStatic).Piece().ConvertToImage();
    EXPECT_EQ(piece.GetRed(0, 0), 200);
    EXPECT_FALSE(label(kIdSearchListStatic).Piece().IsOk());
    EXPECT_FALSE(label(kIdSelectDicStatic).Piece().IsOk());

    // No picture at all: every label stands on the form's plain colour.
    std::filesystem::remove(picture);
    repaint();
    EXPECT_FALSE(label(kIdSearchStatic).Piece().IsOk());

    std::filesystem::rename(kept, picture);
    repaint();
    EXPECT_EQ(label(kIdSearchStatic).Piece().GetSize(), first.GetSize());
}

}  // namespace
}  // namespace tavik

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);

    // A home folder and settings of the tests' own: the user's are never
    // touched.
    tavik::testing::TempDir home;
    // Only the bundled dictionary: the build tree is also a portable copy,
    // whose Data its user may have added dictionaries to.
    std::filesystem::create_directories(home.Path() / "Data");
    std::filesystem::copy_file(std::filesystem::path(TAVIK_BINARY_DIR) / "Data" / "Tavik.txt",
                               home.Path() / "Data" / "Tavik.txt");
    std::filesystem::copy(std::filesystem::path(TAVIK_BINARY_DIR) / "Skin", home.Path() / "Skin",
                          std::filesystem::copy_options::recursive);
    setenv("TAVIK_HOME", home.Path().c_str(), 1);
    setenv("TAVIK_SETTINGS", (home.Path() / "settings.ini").c_str(), 1);
    setenv("HOME", home.Path().c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home.Path() / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (home.Path() / "data").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", home.Path().c_str(), 1);
    // The window's texts in their own language, whatever the desktop's.
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"}) unsetenv(variable);
    setenv("LANG", "C.UTF-8", 1);

    tavik::AppPrompts().message = [](wxWindow*, const wxString& text, const wxString& caption) {
        EXPECT_EQ(caption, "Tavik");
        tavik::g_messages.push_back(text);
    };
    tavik::g_dialogs.Register();
    // The window's own tests see no dictionary installed on this computer.
    tavik::AddDictionaryDefaults().installedFolders = [] { return tavik::DictionaryFolders{}; };

    int wxArgc = 1;
    char* wxArgv[] = {argv[0], nullptr};
    wxApp::SetInstance(new tavik::CTavikApp);
    if (!wxEntryStart(wxArgc, wxArgv)) return 2;
    if (!wxTheApp->CallOnInit()) return 3;
    const int result = RUN_ALL_TESTS();
    wxTheApp->GetTopWindow()->Close(true);
    tavik::Pump();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
