// Moving between pages in the real window: search as you type on and off,
// back and forward across two dictionaries with the scroll position, and a
// click on a link to another entry.
#include <wx/html/htmlcell.h>
#include <wx/uiaction.h>

#include <fstream>
#include <string>

#include "app/window_fixture.h"
#include "app/wx_text.h"

namespace tavik {
namespace {

namespace fs = std::filesystem;

size_t RecentWordCount() { return theApp().Words().m_listRecentWord.Count(); }
Text LatestRecentWord() {
    const auto& entries = theApp().Words().m_listRecentWord.Entries();
    return entries.empty() ? Text() : entries.front().word;
}

class NavigationTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        m_firstDictionary = theApp().m_strDicPath;
    }
    void TearDown() override {
        SetSearchAsYouType(false);
        theApp().ChooseDictionary(m_firstDictionary);
        View().FillDicList();
        WindowTest::TearDown();
    }
    void SetSearchAsYouType(bool on) {
        Frame().GetMenuBar()->Check(WxId(kCmdSearchAsYouType), on);
        wxCommandEvent event(wxEVT_MENU, WxId(kCmdSearchAsYouType));
        event.SetInt(on ? 1 : 0);
        event.SetEventObject(&Frame());
        Frame().ProcessWindowEvent(event);
        Pump();
    }
    // Key by key, as the toolkit reports typing: a text event per change.
    void TypeKeys(const wxString& word) {
        for (size_t n = 1; n <= word.size(); ++n) SearchEdit().SetValue(word.Left(n));
    }
    void Go(int id) {
        wxCommandEvent event(wxEVT_MENU, id);
        event.SetEventObject(&Frame());
        Frame().ProcessWindowEvent(event);
        Pump();
    }
    bool CommandEnabled(int id) {
        wxMenuBar* bar = Frame().GetMenuBar();
        for (size_t i = 0; i < bar->GetMenuCount(); ++i) bar->GetMenu(i)->UpdateUI(&Frame());
        Frame().GetToolBar()->UpdateWindowUI(wxUPDATE_UI_FROMIDLE);
        EXPECT_EQ(bar->IsEnabled(id), Frame().GetToolBar()->GetToolEnabled(id));
        return bar->IsEnabled(id);
    }
    void Search(const wxString& word) {
        Type(word);
        PressEnter(SearchEdit());
    }
    // Makes the file named `name` in the home's Data the current dictionary
    // as a pick in the dictionary list does.
    void PickDictionary(const wxString& name) {
        View().FillDicList();
        auto& list = Control<wxChoice>(kIdSelectDicList);
        ASSERT_TRUE(list.SetStringSelection(name)) << name;
        wxCommandEvent event(wxEVT_CHOICE, kIdSelectDicList);
        event.SetEventObject(&list);
        list.ProcessWindowEvent(event);
        Pump();
    }
    void Keys(int key, int modifiers) {
        wxUIActionSimulator keyboard;
        keyboard.Char(key, modifiers);
        Pump();
    }
    void Focus(wxWindow& window) {
        Frame().Raise();
        window.SetFocus();
        PumpUntil([&] { return wxWindow::FindFocus() == &window; });
    }
    int ScrollY() { return View().HtmlView()->GetViewStart().y; }

    fs::path m_firstDictionary;
};

TEST_F(NavigationTest, TypingShowsTheWordOnlyWithTheOptionAndRemembersItOnlyOnEnter) {
    Search("apple");
    const size_t recent = RecentWordCount();
    const unsigned dropDown = SearchEdit().GetCount();

    // Off, as it starts: typing waits for Enter.
    EXPECT_FALSE(View().SearchesAsYouType());
    TypeKeys("zoo");
    wxMilliSleep(300);
    Pump();
    EXPECT_TRUE(ShowsHeadword("apple")) << Shown();

    SetSearchAsYouType(true);
    EXPECT_TRUE(theApp().Settings().ReadBool("/Window/SearchAsYouType", false));
    TypeKeys("zoo");
    EXPECT_TRUE(PumpUntil([&] { return ShowsHeadword("zoo"); })) << Shown();
    EXPECT_EQ(Neighbours().GetStringSelection(), "zoo");
    EXPECT_EQ(SearchEdit().GetValue(), "zoo");  // the box is the user's
    EXPECT_EQ(RecentWordCount(), recent);
    EXPECT_EQ(SearchEdit().GetCount(), dropDown);
    // Back from a typed page is the page it replaced.
    EXPECT_TRUE(CommandEnabled(wxID_BACKWARD));

    PressEnter(SearchEdit());
    EXPECT_EQ(RecentWordCount(), recent + 1);
    EXPECT_EQ(LatestRecentWord(), u"zoo");

    // A pick writes the box itself: nothing more is looked up or remembered.
    Pick(0);
    const wxString picked = Shown();
    wxMilliSleep(300);
    Pump();
    EXPECT_EQ(Shown(), picked);
    EXPECT_EQ(RecentWordCount(), recent + 2);

    // Real keys, through the X server.
    Focus(SearchEdit());
    SearchEdit().SelectAll();
    wxUIActionSimulator keyboard;
    keyboard.Text("lion");
    EXPECT_TRUE(PumpUntil([&] { return ShowsHeadword("lion"); })) << Shown();
    EXPECT_EQ(RecentWordCount(), recent + 2);

    SetSearchAsYouType(false);
    EXPECT_FALSE(theApp().Settings().ReadBool("/Window/SearchAsYouType", true));
    Search("apple");
    TypeKeys("zoo");
    wxMilliSleep(300);
    Pump();
    EXPECT_TRUE(ShowsHeadword("apple")) << Shown();
}

TEST_F(NavigationTest, CtrlTOnTheKeyboardTurnsTypingSearchesOnAndOff) {
    Search("apple");
    const size_t recent = RecentWordCount();
    ASSERT_FALSE(View().SearchesAsYouType());
    wxUIActionSimulator keyboard;

    // Every key goes through the X server, as a user's do.
    Focus(SearchEdit());
    Keys('t', wxMOD_CONTROL);
    EXPECT_TRUE(PumpUntil([&] { return View().SearchesAsYouType(); }));
    EXPECT_TRUE(Frame().GetMenuBar()->IsChecked(WxId(kCmdSearchAsYouType)));
    EXPECT_TRUE(theApp().Settings().ReadBool("/Window/SearchAsYouType", false));
    SearchEdit().SelectAll();
    keyboard.Text("zoo");
    EXPECT_TRUE(PumpUntil([&] { return ShowsHeadword("zoo"); })) << Shown();
    EXPECT_EQ(Neighbours().GetStringSelection(), "zoo");
    EXPECT_EQ(SearchEdit().GetValue(), "zoo");
    EXPECT_EQ(RecentWordCount(), recent);
    keyboard.Char(WXK_RETURN);
    EXPECT_TRUE(PumpUntil([&] { return RecentWordCount() == recent + 1; }));
    EXPECT_EQ(LatestRecentWord(), u"zoo");

    Keys('t', wxMOD_CONTROL);
    EXPECT_TRUE(PumpUntil([&] { return !View().SearchesAsYouType(); }));
    EXPECT_FALSE(Frame().GetMenuBar()->IsChecked(WxId(kCmdSearchAsYouType)));
    EXPECT_FALSE(theApp().Settings().ReadBool("/Window/SearchAsYouType", true));
    SearchEdit().SelectAll();
    keyboard.Text("lion");
    EXPECT_TRUE(PumpUntil([&] { return SearchEdit().GetValue() == "lion"; }));
    wxMilliSleep(300);
    Pump();
    EXPECT_TRUE(ShowsHeadword("zoo")) << Shown();
    EXPECT_EQ(RecentWordCount(), recent + 1);
}

TEST_F(NavigationTest, BackAndForwardRestoreTheWordTheDictionaryAndTheScrollPosition) {
    // A second dictionary with one page long enough to scroll.
    const fs::path second = theApp().m_strAppDir / "Data" / "Second.txt";
    {
        std::ofstream file(second);
        std::string lines;
        for (int i = 0; i < 150; ++i) lines += "line " + std::to_string(i) + "<br>";
        file << "long/" << lines << "\nshort/a short entry\n";
    }
    const fs::path first = theApp().m_strDicPath;
    Search("apple");
    PickDictionary("Second.txt");
    Search("long");
    ASSERT_TRUE(ShowsHeadword("long")) << Shown();
    View().HtmlView()->Scroll(0, 40);
    ASSERT_EQ(ScrollY(), 40);
    Search("short");
    ASSERT_TRUE(ShowsHeadword("short"));
    const size_t recent = RecentWordCount();
    EXPECT_TRUE(CommandEnabled(wxID_BACKWARD));
    EXPECT_FALSE(CommandEnabled(wxID_FORWARD));

    Go(wxID_BACKWARD);
    EXPECT_TRUE(ShowsHeadword("long")) << Shown();
    EXPECT_EQ(SearchEdit().GetValue(), "long");
    EXPECT_EQ(ScrollY(), 40);
    EXPECT_TRUE(CommandEnabled(wxID_FORWARD));

    // The mouse's back button on the page.
    wxMouseEvent side(wxEVT_AUX1_DOWN);
    side.SetEventObject(View().HtmlView());
    View().HtmlView()->ProcessWindowEvent(side);
    Pump();
    // Choosing Second.txt showed the word of the box again in it: that page
    // comes before the one of the first dictionary.
    EXPECT_EQ(SearchEdit().GetValue(), "apple");
    EXPECT_EQ(theApp().m_strDicPath, second);
    Go(wxID_BACKWARD);
    EXPECT_TRUE(ShowsHeadword("apple")) << Shown();
    EXPECT_EQ(theApp().m_strDicPath, first);
    EXPECT_EQ(Control<wxChoice>(kIdSelectDicList).GetStringSelection(), PathToWx(first.filename()));

    Go(wxID_FORWARD);
    Go(wxID_FORWARD);
    EXPECT_TRUE(ShowsHeadword("long")) << Shown();
    EXPECT_EQ(theApp().m_strDicPath, second);
    EXPECT_EQ(Control<wxChoice>(kIdSelectDicList).GetStringSelection(), "Second.txt");
    EXPECT_EQ(ScrollY(), 40);
    // Going back and forth is no search: the recent words stay as they were.
    EXPECT_EQ(RecentWordCount(), recent);

    // The keys, in the search box and on the page.
    Focus(SearchEdit());
    Keys(WXK_LEFT, wxMOD_ALT);
    EXPECT_TRUE(PumpUntil([&] { return SearchEdit().GetValue() == "apple"; })) << Shown();
    Focus(*View().HtmlView());
    Keys(WXK_RIGHT, wxMOD_ALT);
    EXPECT_TRUE(PumpUntil([&] { return ShowsHeadword("long"); })) << Shown();
    EXPECT_EQ(ScrollY(), 40);

    // A new search from here drops the page ahead.
    Search("short");
    EXPECT_FALSE(CommandEnabled(wxID_FORWARD));
    Search("zoo");  // not in Second.txt: its nearest entry, a page all the same
    Go(wxID_BACKWARD);
    EXPECT_TRUE(ShowsHeadword("short"));
    EXPECT_EQ(ScrollY(), 0);
    fs::remove(second);
}

// The first cell of the page that is a link, searched depth first.
wxHtmlCell* FindLinkCell(wxHtmlCell* cell) {
    for (; cell; cell = cell->GetNext()) {
        if (cell->GetLink()) return cell;
        if (wxHtmlCell* inner = FindLinkCell(cell->GetFirstChild())) return inner;
    }
    return nullptr;
}

TEST_F(NavigationTest, ClickingALinkToAnotherEntrySearchesItInTheSameDictionary) {
    const fs::path linked = theApp().m_strAppDir / "Data" / "Linked.txt";
    {
        std::ofstream file(linked);
        file << "cask/see <a href=\"tavik:keg\">Keg</a>\nkeg/a small barrel\n";
    }
    PickDictionary("Linked.txt");
    Search("cask");
    const size_t recent = RecentWordCount();
    wxHtmlCell* link = FindLinkCell(View().HtmlView()->GetInternalRepresentation());
    ASSERT_NE(link, nullptr) << Shown();
    // The link as the page's parser read it, followed as a click follows it.
    View().HtmlView()->OnHTMLLinkClicked(*link->GetLink());
    Pump();
    EXPECT_TRUE(ShowsHeadword("keg")) << Shown();
    EXPECT_EQ(SearchEdit().GetValue(), "keg");
    EXPECT_EQ(RecentWordCount(), recent + 1);
    EXPECT_TRUE(g_messages.empty());
    Go(wxID_BACKWARD);
    EXPECT_TRUE(ShowsHeadword("cask"));

    // Other links keep showing their target.
    View().OnHotspot("https://tavik.invalid/");
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(g_messages[0], "https://tavik.invalid/");
    fs::remove(linked);
}

}  // namespace
}  // namespace tavik
