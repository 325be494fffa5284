// The window on a desktop: following its size, remembering it, the page's
// zoom and scroll, copying and undoing, the keys of every command, the
// title. Runs after the other window tests, on the same window; the
// screenshots come from the real program (desktop_test.sh).
#include <wx/clipbrd.h>
#include <wx/dcmemory.h>
#include <wx/filename.h>
#include <wx/menu.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <cstring>
#include <set>

#include "app/skin_label.h"
#include "app/toolbar_images.h"
#include "app/window_fixture.h"
#include "app/window_geometry.h"
#include "app/wx_text.h"

namespace tavik {
namespace {

// The clipboard as another program sees it.
wxString ClipboardFromOutside() {
    wxArrayString output, errors;
    if (wxExecute("xclip -selection clipboard -o", output, errors, wxEXEC_SYNC) != 0)
        return "<xclip failed>";
    return wxJoin(output, '\n', 0);
}

class DesktopTest : public WindowTest {
protected:
    void SetClientSize(const wxSize& size) {
        Frame().SetClientSize(size);
        PumpUntil([&] { return View().Form()->GetClientSize() == Frame().GetClientSize(); });
        Pump();
    }
    wxRect Rect(int id) { return View().Form()->FindWindow(id)->GetRect(); }
    void Search(const wxString& word) {
        Type(word);
        Click(kIdSearchButton);
    }
    void Keys(int key, int modifiers) {
        wxUIActionSimulator keyboard;
        keyboard.Char(key, modifiers);
        Pump();
    }
    void FocusSearchBox() {
        Frame().Raise();
        SearchEdit().SetFocus();
        PumpUntil([&] { return wxWindow::FindFocus() == &SearchEdit(); });
    }
};

TEST_F(DesktopTest, TheLayoutFollowsTheWindowAndStopsAtItsMinimum) {
    // From the skin's own size, whatever the tests before left.
    SetClientSize(wxSize(640, 480));
    Search("light");
    const wxRect edit = Rect(kIdSearchEdit);
    const wxRect dictionaries = Rect(kIdSelectDicList);

    SetClientSize(wxSize(1200, 900));
    ASSERT_EQ(View().Form()->GetClientSize(), wxSize(1200, 900));
    // The viewer fills the window, with the skin's margins all round.
    EXPECT_EQ(View().HtmlView()->GetRect(), wxRect(10, 96, 1180, 794));
    EXPECT_EQ(Rect(kIdSearchEdit), edit);
    EXPECT_EQ(Rect(kIdSelectDicList),
              wxRect(dictionaries.GetPosition() + wxPoint(560, 0), dictionaries.GetSize()));
    EXPECT_EQ(Rect(kIdListDown).GetRight(), 490 + 560 - 1);

    SetClientSize(wxSize(100, 100));
    const wxSize least = View().MinimumClientSize();
    EXPECT_EQ(View().Form()->GetClientSize(), least);
    const wxRect form(wxPoint(0, 0), least);
    for (wxWindow* child : View().Form()->GetChildren()) {
        if (!child->IsShown()) continue;
        EXPECT_TRUE(form.Contains(child->GetRect())) << child->GetId();
        EXPECT_GT(child->GetSize().x, 0) << child->GetId();
    }

    // Back at the skin's own size, the skin's own pixels.
    SetClientSize(wxSize(640, 480));
    EXPECT_EQ(View().HtmlView()->GetRect(), wxRect(10, 96, 620, 374));
    EXPECT_EQ(Rect(kIdSelectDicList), dictionaries);
}

TEST_F(DesktopTest, TheSkinPictureGoesOnToTheEdgesOfALargerWindow) {
    SetClientSize(wxSize(1200, 900));
    Search("light");
    // The form's background as the view draws it whenever it is erased; the
    // screen itself may show it late on a busy machine.
    const wxSize size = View().Form()->GetClientSize();
    ASSERT_EQ(size, wxSize(1200, 900));
    wxBitmap shot(size, 24);
    {
        wxMemoryDC memory(shot);
        wxEraseEvent erase(View().Form()->GetId(), &memory);
        erase.SetEventObject(View().Form());
        View().Form()->ProcessWindowEvent(erase);
    }
    wxFileName::Mkdir(TAVIK_ARTIFACT_DIR, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    shot.SaveFile(wxString(TAVIK_ARTIFACT_DIR) + "/window-1200x900.png", wxBITMAP_TYPE_PNG);

    wxImage skin;
    ASSERT_TRUE(skin.LoadFile(PathToWx(theApp().SkinHome() / "Skin" / "BGImg.bmp")));
    ASSERT_EQ(skin.GetSize(), wxSize(640, 480));
    const wxImage image = shot.ConvertToImage();
    auto same = [&](wxPoint shown, wxPoint inSkin) {
        return image.GetRed(shown.x, shown.y) == skin.GetRed(inSkin.x, inSkin.y) &&
               image.GetGreen(shown.x, shown.y) == skin.GetGreen(inSkin.x, inSkin.y) &&
               image.GetBlue(shown.x, shown.y) == skin.GetBlue(inSkin.x, inSkin.y);
    };
    // Beside the picture each row goes on in its last pixel's colour, below
    // it each column; the corner takes the last pixel of all.
    for (int y : {2, 40, 92, 93, 94}) EXPECT_TRUE(same({900, y}, {639, y})) << "row " << y;
    for (int y : {200, 470}) EXPECT_TRUE(same({1195, y}, {639, y})) << "row " << y;
    for (int x : {3, 300}) EXPECT_TRUE(same({x, 895}, {x, 479})) << "column " << x;
    EXPECT_TRUE(same({1195, 895}, {639, 479}));
    EXPECT_TRUE(same({3, 600}, {3, 479}));
    // A label beyond the picture stands on the continued picture as well.
    auto& label = Control<SkinLabel>(kIdSelectDicStatic);
    ASSERT_GE(label.GetRect().x, 640);
    ASSERT_TRUE(label.Piece().IsOk());
    EXPECT_EQ(label.Piece().GetSize(), label.GetSize());
    const wxImage piece = label.Piece().ConvertToImage();
    const wxRect bounds = label.GetRect();
    EXPECT_EQ(piece.GetBlue(0, 0), skin.GetBlue(639, bounds.y));
    EXPECT_EQ(piece.GetRed(0, bounds.height - 1), skin.GetRed(639, bounds.GetBottom()));
    SetClientSize(wxSize(640, 480));
}

TEST_F(DesktopTest, TheToolbarPicturesAreDrawnAlikeWhateverTheIconTheme) {
    const wxImage plus = AddWordBookImage().ConvertToImage();
    const wxImage back = BackImage().ConvertToImage();
    // The same face in the corner, the same ink in the middle.
    EXPECT_EQ(back.GetRed(0, 0), plus.GetRed(0, 0));
    EXPECT_EQ(back.GetBlue(0, 0), plus.GetBlue(0, 0));
    EXPECT_EQ(back.GetBlue(8, 8), plus.GetBlue(8, 8));
    EXPECT_EQ(back.GetRed(8, 8), plus.GetRed(8, 8));
    const wxImage forward = ForwardImage().ConvertToImage();
    const wxImage mirrored = back.Mirror();
    EXPECT_EQ(std::memcmp(forward.GetData(), mirrored.GetData(), 16 * 16 * 3), 0);

    wxToolBar& bar = *Frame().GetToolBar();
    for (int id : {int(wxID_BACKWARD), int(wxID_FORWARD), WxId(kCmdAddWordBookButton),
                   WxId(kCmdRecentWordButton), WxId(kCmdWordBookButton), WxId(kCmdAppAbout)}) {
        const wxToolBarToolBase* tool = bar.FindById(id);
        ASSERT_NE(tool, nullptr) << id;
        EXPECT_EQ(tool->GetNormalBitmap().GetSize(), wxSize(16, 16)) << id;
    }
    const wxImage shown = bar.FindById(wxID_BACKWARD)->GetNormalBitmap().ConvertToImage();
    EXPECT_EQ(std::memcmp(shown.GetData(), back.GetData(), 16 * 16 * 3), 0);
}

TEST_F(DesktopTest, TheWindowsGeometryIsStoredAndGivenBack) {
    SetClientSize(wxSize(900, 700));
    SaveWindowGeometry(Frame(), theApp().Settings());
    const auto stored = ReadWindowGeometry(theApp().Settings());
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->frame.GetSize(), Frame().GetSize());
    EXPECT_FALSE(stored->maximised);

    // A new window takes the stored size, however small it was made.
    auto* other = new wxFrame(nullptr, wxID_ANY, "other");
    RestoreWindowGeometry(*other, theApp().Settings(), wxSize(640, 480), wxSize(300, 200));
    EXPECT_EQ(other->GetSize(), Frame().GetSize());
    other->Destroy();
    SetClientSize(wxSize(640, 480));
}

TEST_F(DesktopTest, CopyTakesTheSelectionAndElseTheWholeEntry) {
    Search("apple");
    const Text entry = View().CopyText();
    ASSERT_FALSE(entry.empty());

    // Nothing selected: the entry, as another program reads it.
    View().HtmlView()->SetFocus();
    Pump();
    Menu(kCmdEditCopy);
    EXPECT_EQ(ClipboardFromOutside(), ToWx(entry).Trim());

    // Text selected in the page.
    View().HtmlView()->SelectAll();
    wxString page = View().HtmlView()->SelectionToText();
    ASSERT_FALSE(page.empty());
    Menu(kCmdEditCopy);
    EXPECT_EQ(ClipboardFromOutside(), page.Trim());

    // Text selected in the search box, which has the focus.
    FocusSearchBox();
    SearchEdit().ChangeValue("pineapple");
    SearchEdit().SetSelection(0, 4);
    Menu(kCmdEditCopy);
    EXPECT_EQ(ClipboardFromOutside(), "pine");

    // A new search clears the page's selection and leaves the box's word
    // unselected: the entry again.
    Search("egg");
    Menu(kCmdEditCopy);
    EXPECT_TRUE(ClipboardFromOutside().StartsWith("egg")) << ClipboardFromOutside();
}

TEST_F(DesktopTest, TheSelectedWordOfThePageIsSearched) {
    Search("apple");
    View().HtmlView()->SelectAll();
    // The first line of the selection: the headword and its reading.
    Menu(kCmdSearchSelection);
    EXPECT_TRUE(SearchEdit().GetValue().StartsWith("apple")) << SearchEdit().GetValue();
    EXPECT_TRUE(ShowsHeadword("apple")) << Shown();
    // Nothing selected: nothing searched.
    const wxString before = Shown();
    SearchEdit().ChangeValue("x");
    Menu(kCmdSearchSelection);
    EXPECT_EQ(SearchEdit().GetValue(), "x");
    EXPECT_EQ(Shown(), before);
}

TEST_F(DesktopTest, UndoInTheSearchBoxGoesBackOneChangeAtATime) {
    FocusSearchBox();
    SearchEdit().ChangeValue("");
    Search("cat");
    SearchEdit().SetValue("catx");
    SearchEdit().SetValue("catxy");
    Menu(kCmdEditUndo);
    EXPECT_EQ(SearchEdit().GetValue(), "catx");
    // Ctrl+Z on the keyboard as well.
    FocusSearchBox();
    Keys('Z', wxMOD_CONTROL);
    EXPECT_TRUE(PumpUntil([&] { return SearchEdit().GetValue() == "cat"; }))
        << SearchEdit().GetValue();
    // A picked neighbour is one change too.
    Pick(Neighbours().FindString("bird") != wxNOT_FOUND ? Neighbours().FindString("bird") : 0);
    const wxString picked = SearchEdit().GetValue();
    EXPECT_NE(picked, "cat");
    Menu(kCmdEditUndo);
    EXPECT_EQ(SearchEdit().GetValue(), "cat");
}

TEST_F(DesktopTest, EveryMenuCommandShowsAKeyOfItsOwn) {
    std::set<wxString> keys;
    std::function<void(wxMenu&)> walk = [&](wxMenu& menu) {
        for (wxMenuItem* item : menu.GetMenuItems()) {
            if (item->IsSeparator()) continue;
            if (item->IsSubMenu()) {
                walk(*item->GetSubMenu());
                continue;
            }
            // The languages are chosen once, by name.
            if (item->IsRadio()) continue;
            std::unique_ptr<wxAcceleratorEntry> accel(item->GetAccel());
            ASSERT_TRUE(accel) << item->GetItemLabelText();
            EXPECT_TRUE(keys.insert(accel->ToString()).second) << accel->ToString();
        }
    };
    wxMenuBar& bar = *Frame().GetMenuBar();
    for (size_t i = 0; i < bar.GetMenuCount(); ++i) walk(*bar.GetMenu(i));
    EXPECT_EQ(keys.size(), 18u);
    // The old keys that did nothing are free.
    for (const char* unused : {"Ctrl+N", "Ctrl+O", "Ctrl+S"}) EXPECT_FALSE(keys.count(unused));
}

TEST_F(DesktopTest, TheSecondKeysOfTheCommandsWorkOnTheKeyboard) {
    // The menu's own keys are pressed on the real program under a window
    // manager (desktop_test.sh); these are the frame's.
    Search("a");
    const wxString second = Neighbours().GetString(1);
    // Alt+Down in the search box opens its drop-down list; elsewhere it
    // steps, as Ctrl+Down does everywhere.
    auto focusPage = [&] {
        View().HtmlView()->SetFocus();
        PumpUntil([&] { return wxWindow::FindFocus() == View().HtmlView(); });
    };
    focusPage();
    Keys(WXK_DOWN, wxMOD_ALT);
    EXPECT_TRUE(PumpUntil([&] { return SearchEdit().GetValue() == second; }))
        << SearchEdit().GetValue();
    focusPage();
    Keys(WXK_UP, wxMOD_ALT);
    EXPECT_TRUE(PumpUntil([&] { return SearchEdit().GetValue() == "a"; }))
        << SearchEdit().GetValue();

    const int zoom = View().Zoom();
    FocusSearchBox();
    Keys(WXK_NUMPAD_ADD, wxMOD_CONTROL);
    EXPECT_TRUE(PumpUntil([&] { return View().Zoom() > zoom; }));
    Menu(kCmdZoomReset);

    // Escape goes back to the search box with its word selected.
    View().HtmlView()->SetFocus();
    Pump();
    wxKeyEvent escape(wxEVT_CHAR_HOOK);
    escape.m_keyCode = WXK_ESCAPE;
    escape.SetEventObject(View().HtmlView());
    View().HtmlView()->ProcessWindowEvent(escape);
    long from = -1, to = -1;
    EXPECT_TRUE(PumpUntil([&] {
        SearchEdit().GetSelection(&from, &to);
        return from == 0 && to == long(SearchEdit().GetValue().length());
    })) << from
        << ".." << to;
    EXPECT_FALSE(SearchEdit().GetValue().empty());
}

TEST_F(DesktopTest, ZoomSizesThePageTextAndIsStored) {
    Search("apple");
    auto height = [&] { return View().HtmlView()->GetInternalRepresentation()->GetHeight(); };
    const int normal = height();
    Menu(kCmdZoomIn);
    Menu(kCmdZoomIn);
    EXPECT_EQ(View().Zoom(), 125);
    EXPECT_GT(height(), normal);
    EXPECT_EQ(theApp().Settings().Read("/Window/Zoom", 0L), 125);
    Menu(kCmdZoomOut);
    EXPECT_EQ(View().Zoom(), 110);
    Menu(kCmdZoomReset);
    EXPECT_EQ(View().Zoom(), 100);
    EXPECT_EQ(height(), normal);
    EXPECT_TRUE(ShowsHeadword("apple")) << Shown();
}

TEST_F(DesktopTest, ANewPageOpensAtItsTopAndNamesItsWordInTheTitle) {
    // A small window and large text, so the page scrolls.
    SetClientSize(wxSize(100, 100));
    for (int i = 0; i < 12; ++i) Menu(kCmdZoomIn);
    Search("light");
    View().HtmlView()->Scroll(0, 10);
    Pump();
    ASSERT_GT(View().HtmlView()->GetViewStart().y, 0);
    Search("light");
    EXPECT_EQ(View().HtmlView()->GetViewStart().y, 0);
    EXPECT_EQ(Frame().GetTitle(), wxString::FromUTF8("light — Tavik — Tavik"));
    Menu(kCmdZoomReset);
    SetClientSize(wxSize(640, 480));
}

}  // namespace
}  // namespace tavik
