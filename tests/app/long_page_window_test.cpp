// A long entry in the real window: its first screen at once, the whole page
// when the window is idle, and nothing of it left once another word is
// searched meanwhile.
#include <wx/html/htmlcell.h>

#include <fstream>
#include <string>

#include "app/window_fixture.h"
#include "app/wx_text.h"

namespace tavik {
namespace {

namespace fs = std::filesystem;

class LongPageTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        m_firstDictionary = theApp().m_strDicPath;
        m_dictionary = theApp().m_strAppDir / "Data" / "Long.txt";
        std::ofstream file(m_dictionary);
        std::string lines;
        for (int i = 0; i < 900; ++i) lines += "line " + std::to_string(i) + " of a long entry<br>";
        file << "long/" << lines << "the end\nshort/a short entry\n";
        file.close();
        theApp().ChooseDictionary(m_dictionary);
        View().FillDicList();
    }
    void TearDown() override {
        theApp().ChooseDictionary(m_firstDictionary);
        View().FillDicList();
        fs::remove(m_dictionary);
        WindowTest::TearDown();
    }
    // Enter in the search box, with nothing else handled after it.
    void SearchOnly(const wxString& word) {
        SearchEdit().ChangeValue(word);
        wxKeyEvent key(wxEVT_CHAR_HOOK);
        key.m_keyCode = WXK_RETURN;
        key.SetEventObject(&SearchEdit());
        SearchEdit().ProcessWindowEvent(key);
    }
    MeasuredHtmlWindow& Page() { return *View().HtmlView(); }
    // The text of the cells laid out now, without completing the page.
    wxString PageText() { return TextOf(Page().GetInternalRepresentation()); }
    static wxString TextOf(const wxHtmlCell* cell) {
        wxString text;
        for (; cell; cell = cell->GetNext())
            text += cell->GetFirstChild() ? TextOf(cell->GetFirstChild()) + "\n"
                                          : cell->ConvertToText(nullptr);
        return text;
    }

    fs::path m_firstDictionary;
    fs::path m_dictionary;
};

TEST_F(LongPageTest, TheFirstScreenComesAtOnceAndTheWholePageWhenIdle) {
    SearchOnly("long");
    ASSERT_TRUE(Page().PagePending());
    EXPECT_TRUE(PageText().Contains("line 1 of")) << PageText();
    EXPECT_FALSE(PageText().Contains("the end"));
    EXPECT_TRUE(PumpUntil([&] { return !Page().PagePending(); }));
    EXPECT_TRUE(PageText().Contains("the end"));
    EXPECT_EQ(Page().GetViewStart(), wxPoint(0, 0));

    // Going back to the page lands where it was left, on the whole page.
    Page().Scroll(0, 500);
    SearchOnly("short");
    Pump();
    wxCommandEvent back(wxEVT_MENU, wxID_BACKWARD);
    back.SetEventObject(&Frame());
    Frame().ProcessWindowEvent(back);
    EXPECT_FALSE(Page().PagePending());
    EXPECT_EQ(Page().GetViewStart().y, 500);
    EXPECT_TRUE(PageText().Contains("the end"));
}

TEST_F(LongPageTest, ASearchBeforeThePageIsWholeShowsTheNewWordOnly) {
    SearchOnly("long");
    ASSERT_TRUE(Page().PagePending());
    SearchOnly("short");
    EXPECT_FALSE(Page().PagePending());
    Pump();
    EXPECT_TRUE(ShowsHeadword("short")) << Shown();
    EXPECT_TRUE(PageText().Contains("a short entry"));
    EXPECT_FALSE(PageText().Contains("line 1 of"));
    EXPECT_EQ(SearchEdit().GetValue(), "short");
}

}  // namespace
}  // namespace tavik
