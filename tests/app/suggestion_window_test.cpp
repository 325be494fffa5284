// Words offered for one not found, in the window: links beside the status
// line, searched with a click or Alt+1, gone once a word is found.
#include <wx/hyperlink.h>
#include <wx/statusbr.h>
#include <wx/uiaction.h>

#include <filesystem>

#include "app/suggestion_bar.h"
#include "app/window_fixture.h"
#include "app/wx_text.h"
#include "dict/dictionary_folder.h"
#include "support/temp_dir.h"

namespace tavik {
namespace {

namespace fs = std::filesystem;

class SuggestionWindowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        m_tavik = theApp().m_strDicPath;
        m_dictionary = DataFolder(theApp().m_strAppDir) / "Suggest.txt";
        testing::WriteBytes(m_dictionary,
                            "bonus/a bonus\nbook/a book\nboot/a boot\nbox/a box\nwent/gone\n");
        theApp().ChooseDictionary(m_dictionary);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove(m_dictionary, ignored);
        theApp().ChooseDictionary(m_tavik);
        Search("book");  // nothing offered is left behind
        WindowTest::TearDown();
    }
    SuggestionBar& Bar() { return *View().Suggestions(); }
    wxStatusBar& StatusBar() { return *Frame().GetStatusBar(); }
    void Search(const wxString& word) {
        Type(word);
        Click(kIdSearchButton);
    }
    std::vector<wxString> ShownLinks() {
        std::vector<wxString> labels;
        for (size_t i = 0; i < kMostSuggestions; ++i)
            if (Bar().Link(i)->IsShown()) labels.push_back(Bar().Link(i)->GetLabel());
        return labels;
    }

    fs::path m_tavik;
    fs::path m_dictionary;
};

TEST_F(SuggestionWindowTest, AWordNotFoundOffersLinksThatSearchWithAClickOrAltAndAKey) {
    ASSERT_NE(View().Suggestions(), nullptr);
    Search("books");
    // The status line says what it said before; the links stand after it.
    const wxString status = StatusBar().GetStatusText(0);
    EXPECT_TRUE(status.Contains("books")) << status;
    EXPECT_EQ(ShownLinks(), (std::vector<wxString>{"book", "bonus", "boot"}));
    EXPECT_TRUE(Bar().IsShown());
    EXPECT_EQ(StatusBar().GetFieldsCount(), 2);
    wxRect field;
    ASSERT_TRUE(StatusBar().GetFieldRect(1, field));
    EXPECT_TRUE(field.Contains(Bar().GetRect().GetTopLeft()));
    EXPECT_GT(Bar().Link(0)->GetSize().x, 0);

    // A click searches the word as if typed; a word found takes the links away.
    wxHyperlinkEvent click(Bar().Link(0), Bar().Link(0)->GetId(), Bar().Link(0)->GetURL());
    Bar().Link(0)->ProcessWindowEvent(click);
    Pump();
    EXPECT_EQ(SearchEdit().GetValue(), "book");
    EXPECT_TRUE(ShowsHeadword("book"));
    EXPECT_FALSE(Bar().IsShown());
    EXPECT_EQ(StatusBar().GetFieldsCount(), 1);
    EXPECT_EQ(StatusBar().GetStatusText(0), ToWx(View().StandingStatus()));

    // Alt+1 from the search box, as the toolkit delivers a key, takes the first.
    Search("wnet");
    EXPECT_EQ(ShownLinks(), std::vector<wxString>{"went"});
    wxKeyEvent key(wxEVT_CHAR_HOOK);
    key.m_keyCode = '1';
    key.m_altDown = true;
    key.SetEventObject(&SearchEdit());
    SearchEdit().ProcessWindowEvent(key);
    Pump();
    EXPECT_EQ(SearchEdit().GetValue(), "went");
    EXPECT_TRUE(ShowsHeadword("went"));
    // The same from the keyboard, through the X server.
    Search("wnet");
    Frame().Raise();
    SearchEdit().SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return wxWindow::FindFocus() == &SearchEdit(); }));
    wxUIActionSimulator keyboard;
    keyboard.Char('1', wxMOD_ALT);
    // The page of "wnet" is already the nearest entry, "went": wait on the
    // box and the links.
    EXPECT_TRUE(PumpUntil([&] { return SearchEdit().GetValue() == "went"; }))
        << SearchEdit().GetValue();
    EXPECT_TRUE(ShowsHeadword("went")) << Shown();
    EXPECT_FALSE(Bar().IsShown());
    // Alt with a number beyond the words offered does nothing.
    Search("wnet");
    key.m_keyCode = '3';
    SearchEdit().ProcessWindowEvent(key);
    Pump();
    EXPECT_EQ(SearchEdit().GetValue(), "wnet");
}

}  // namespace
}  // namespace tavik
