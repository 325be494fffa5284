// Search as you type: when a typed word is shown, and that showing it leaves
// no recent word and no drop-down history behind. The word in a selection.
#include "dict/type_ahead.h"

#include <gtest/gtest.h>

#include <vector>

#include "dict/quiet_search.h"
#include "dict/recorders.h"
#include "dict/selected_word.h"
#include "support/temp_dir.h"
#include "wordlists/word_stores.h"

namespace tavik {
namespace {

TEST(TypeAheadTest, OffByDefaultAndWhileOffNothingWaits) {
    TypeAhead typing;
    EXPECT_FALSE(typing.Enabled());
    EXPECT_FALSE(typing.Edited(u"apple"));
    EXPECT_FALSE(typing.Due());
    typing.SetEnabled(true);
    EXPECT_TRUE(typing.Edited(u"app"));
    typing.SetEnabled(false);  // a word waiting when it is turned off is dropped
    typing.SetEnabled(true);
    EXPECT_FALSE(typing.Due());
}

TEST(TypeAheadTest, ThePauseShowsTheLastTextOnceTrimmedAndNeverABlankBox) {
    TypeAhead typing;
    typing.SetEnabled(true);
    for (const char16_t* text : {u"l", u"li", u"lig"}) EXPECT_TRUE(typing.Edited(text));
    EXPECT_EQ(typing.Due(), Text(u"lig"));
    EXPECT_FALSE(typing.Due());  // one pause, one page

    typing.Edited(u" lig ");  // only spaces added: the page shows it already
    EXPECT_FALSE(typing.Due());
    typing.Edited(u"");
    EXPECT_FALSE(typing.Due());
    typing.Edited(u" \t");
    EXPECT_FALSE(typing.Due());
    typing.Edited(u"light");
    EXPECT_EQ(typing.Due(), Text(u"light"));
}

TEST(TypeAheadTest, ASearchForGoodDropsTheWaitingWordAndCountsAsShown) {
    TypeAhead typing;
    typing.SetEnabled(true);
    typing.Edited(u"apple");
    typing.Searched(u"apple ");  // Enter before the pause ended
    EXPECT_FALSE(typing.Due());
    typing.Edited(u"apple");
    EXPECT_FALSE(typing.Due());
    typing.Searched(u"banana");  // a pick: the box now says banana
    typing.Edited(u"apple");
    EXPECT_EQ(typing.Due(), Text(u"apple"));
}

class NullControls : public EntryControls {
public:
    void SetEntryCommands(bool /*enabled*/) override {}
    void EnableNeighbourControls() override {}
};

class CountingBox : public SearchBox {
public:
    Text GetText() const override { return m_text; }
    void SetText(const Text& text) override { m_text = text; }
    void InsertHistory(const Text& word) override { m_history.push_back(word); }
    void AppendHistory(const Text& word) override { m_history.push_back(word); }
    void ClearHistory() override { m_history.clear(); }
    void Focus() override { ++m_focus; }
    Text m_text;
    std::vector<Text> m_history;
    int m_focus = 0;
};

TEST(QuietSearchTest, ShowsThePageAndListButRemembersNothing) {
    testing::TempDir dir;
    const auto dictionary = dir.Write("Data/Tavik.txt", "apple/an apple\nbanana/a banana\n");
    const CodePage codePage = CodePage::Default();
    WordStores stores(dir.Path());
    const SearchSources sources{dir.Path(), dictionary, codePage, stores};
    CountingBox box;
    box.m_text = u"ban";
    RecordingNeighbourList list;
    RecordingPage page;
    RecordingMessages messages;
    NullControls controls;
    RecordingStatus status;
    SearchScreen screen{box, list, page, messages, controls, status};

    ShowWordQuietly(u"banana", sources, screen);
    ASSERT_TRUE(page.Page());
    EXPECT_NE(page.Page()->find(u"a banana"), Text::npos);
    EXPECT_EQ(list.Item(list.Selection()), u"banana");
    EXPECT_TRUE(stores.m_listRecentWord.Entries().empty());
    EXPECT_TRUE(box.m_history.empty());
    EXPECT_EQ(box.m_focus, 0);  // the typing goes on where it is
    EXPECT_EQ(box.m_text, u"ban");

    ShowWordQuietly(u"  ", sources, screen);  // a cleared box: no message
    EXPECT_TRUE(messages.Messages().empty());
    EXPECT_EQ(page.ClearCount(), 1);
}

// Going back to a page of every dictionary, or typing with them chosen, reads
// them all, and offers words like one found in none.
TEST(QuietSearchTest, SearchesEveryDictionaryWhenTheyAreChosenAndOffersWords) {
    testing::TempDir dir;
    const auto first = dir.Write("Data/a.txt", "book/a book\npear/a pear\n");
    const auto second = dir.Write("Data/b.txt", "pear/another pear\n");
    const CodePage codePage = CodePage::Default();
    const std::vector<Dictionary> all{{first, codePage}, {second, codePage}};
    WordStores stores(dir.Path());
    const std::filesystem::path none = "all-dictionaries/";
    const SearchSources sources{dir.Path(), none, codePage, stores, &all};
    CountingBox box;
    RecordingNeighbourList list;
    RecordingPage page;
    RecordingMessages messages;
    NullControls controls;
    RecordingStatus status;
    RecordingSuggestions suggestions;
    SearchScreen screen{box, list, page, messages, controls, status, &suggestions};

    ShowWordQuietly(u"pear", sources, screen);
    ASSERT_TRUE(page.Page());
    EXPECT_NE(page.Page()->find(u"a pear"), Text::npos);
    EXPECT_NE(page.Page()->find(u"another pear"), Text::npos);
    EXPECT_TRUE(messages.Messages().empty());

    ShowWordQuietly(u"books", sources, screen);
    EXPECT_EQ(suggestions.Last(), std::vector<Text>{u"book"});
    EXPECT_TRUE(stores.m_listRecentWord.Entries().empty());
}

TEST(SelectedWordTest, TheFirstTextLineTrimmedAndBounded) {
    EXPECT_EQ(WordFromSelection(u"  light\t"), u"light");
    EXPECT_EQ(WordFromSelection(u"\n \r\n  keg of beer \nsecond line"), u"keg of beer");
    EXPECT_EQ(WordFromSelection(u"one\u2029two"), u"one");
    EXPECT_EQ(WordFromSelection(u""), u"");
    EXPECT_EQ(WordFromSelection(u" \n\t\r\n "), u"");

    const Text paragraph(1000, u'a');
    EXPECT_EQ(WordFromSelection(paragraph).size(), kMaxSelectedWordLength);
    // A character outside the Basic Multilingual Plane across the cut is
    // left out whole.
    Text astral(kMaxSelectedWordLength - 1, u'b');
    astral += u"\U0001F600tail";
    const Text cut = WordFromSelection(astral);
    EXPECT_EQ(cut, Text(kMaxSelectedWordLength - 1, u'b'));
}

}  // namespace
}  // namespace tavik
