// The search action: trimming, the empty-word message, the credits page, the
// lookup with its back-off, the recent words and the search box history, and
// the neighbour list's pick and step commands.
#include "dict/search_action.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dict/recorders.h"
#include "support/temp_dir.h"
#include "wordlists/search_history.h"
#include "wordlists/word_stores.h"

namespace tavik {
namespace {

using testing::TempDir;

class RecordingSearchBox : public SearchBox {
public:
    Text GetText() const override { return m_text; }
    void SetText(const Text& text) override { m_text = text; }
    void InsertHistory(const Text& word) override { m_history.insert(m_history.begin(), word); }
    void AppendHistory(const Text& word) override { m_history.push_back(word); }
    void ClearHistory() override { m_history.clear(); }
    void Focus() override { ++m_focusCount; }

    Text m_text;
    std::vector<Text> m_history;
    int m_focusCount = 0;
};

class RecordingControls : public EntryControls {
public:
    void SetEntryCommands(bool enabled) override { m_entryCommands = enabled; }
    void EnableNeighbourControls() override { m_neighboursEnabled = true; }

    bool m_entryCommands = false;
    bool m_neighboursEnabled = false;
};

class SearchActionTest : public ::testing::Test {
protected:
    SearchActionTest() {
        m_dictionary = m_dir.Write("Data/Tavik.txt",
                                   "apple/an apple\nbanana/a banana\ncherry/a cherry\n"
                                   "date/a date\nelder/an elder\n");
    }

    void Search(TextView word) { SearchWord(word, m_sources, m_screen); }
    std::vector<Text> RecentWords() const {
        std::vector<Text> words;
        for (const auto& entry : m_stores.m_listRecentWord.Entries()) words.push_back(entry.word);
        return words;
    }
    Text ShownHeadword() const {
        return m_page.Pieces().size() == 7 ? m_page.Pieces()[1] : u"<no entry page>";
    }

    TempDir m_dir;
    std::filesystem::path m_dictionary;
    CodePage m_codePage = CodePage::Default();
    WordStores m_stores{m_dir.Path(), m_codePage};
    SearchSources m_sources{m_dir.Path(), m_dictionary, m_codePage, m_stores};
    RecordingSearchBox m_box;
    RecordingNeighbourList m_list;
    RecordingPage m_page;
    RecordingMessages m_messages;
    RecordingControls m_controls;
    SearchScreen m_screen{m_box, m_list, m_page, m_messages, m_controls};
};

TEST_F(SearchActionTest, EmptyOrBlankInputOnlyAsksForAWord) {
    m_box.m_text = u" \t ";
    for (TextView input : {u"", u"   ", u"\t\u3000 "}) Search(input);
    EXPECT_EQ(m_messages.Messages(), std::vector<Text>(3, Text(kEmptyWordMessage)));
    EXPECT_EQ(m_box.m_focusCount, 3);
    EXPECT_EQ(m_box.m_text, u" \t ");  // the box keeps what the user typed
    EXPECT_TRUE(m_box.m_history.empty());
    EXPECT_TRUE(RecentWords().empty());
    EXPECT_FALSE(m_page.Page().has_value());
    EXPECT_FALSE(m_controls.m_entryCommands);
    EXPECT_FALSE(m_controls.m_neighboursEnabled);
}

TEST_F(SearchActionTest, PaddedInputSearchesAndRemembersTheTrimmedWord) {
    Search(u"  cherry ");
    EXPECT_EQ(ShownHeadword(), u"cherry");
    EXPECT_EQ(m_list.Item(m_list.Selection()), u"cherry");
    EXPECT_EQ(RecentWords(), std::vector<Text>{u"cherry"});
    EXPECT_EQ(m_box.m_history, std::vector<Text>{u"cherry"});
    EXPECT_EQ(m_box.m_focusCount, 1);
    EXPECT_TRUE(m_controls.m_entryCommands);
    EXPECT_TRUE(m_controls.m_neighboursEnabled);
    EXPECT_TRUE(m_messages.Messages().empty());
    EXPECT_EQ(m_page.CopyText().substr(0, 7), u"cherry\n");
}

TEST_F(SearchActionTest, HistoryPutsEachSearchFirstAndKeepsRepeats) {
    m_box.m_history = {u"old"};
    for (TextView word : {u"apple", u"date", u"date"}) Search(word);
    EXPECT_EQ(m_box.m_history, (std::vector<Text>{u"date", u"date", u"apple", u"old"}));
    EXPECT_EQ(RecentWords().front(), u"date");
}

TEST_F(SearchActionTest, CreditsCommandShowsOnlyTheCreditsPage) {
    Search(u"apple");
    const RecordingSearchBox boxBefore = m_box;
    const std::vector<Text> recentBefore = RecentWords();
    const std::vector<Text> listBefore = m_list.Items();

    m_controls = RecordingControls{};
    Search(u" $#qexil\t");
    ASSERT_TRUE(m_page.Page().has_value());
    EXPECT_NE(m_page.Page()->find(u"The Tavik developers"), Text::npos);
    EXPECT_NE(m_page.Page()->find(u"/Skin/BGHtml.gif'"), Text::npos);
    EXPECT_EQ(m_page.EndOfSourceCount(), 2);
    EXPECT_EQ(m_box.m_history, boxBefore.m_history);
    EXPECT_EQ(m_box.m_focusCount, boxBefore.m_focusCount);
    EXPECT_EQ(RecentWords(), recentBefore);
    EXPECT_EQ(m_list.Items(), listBefore);
    // Copy takes the page on screen, not the entry shown before it.
    EXPECT_EQ(m_page.CopyText(),
              u"Tavik Dictionary Workshop\n\nWord list, search and viewer\nThe Tavik developers\n"
              u"team@tavik.invalid\nhttps://tavik.invalid/");
    EXPECT_FALSE(m_controls.m_entryCommands);
    EXPECT_FALSE(m_controls.m_neighboursEnabled);
}

TEST_F(SearchActionTest, CreditsLookAlikesAreOrdinarySearches) {
    for (TextView word : {u"$#QEXIL", u"$#qexil!", u"x $#qexil"}) {
        Search(word);
        EXPECT_EQ(m_box.m_history.front(), Trim(word));
    }
    EXPECT_EQ(RecentWords().size(), 3u);
    EXPECT_FALSE(m_page.Page() && m_page.Page()->find(u"Tavik developers") != Text::npos);
}

TEST_F(SearchActionTest, MissingDictionaryShowsNothingButStillRemembersAndEnables) {
    Search(u"apple");
    const int clears = m_page.ClearCount();
    std::filesystem::remove(m_dictionary);
    Search(u"banana");
    EXPECT_EQ(m_page.ClearCount(), clears);  // the previous page stays
    EXPECT_EQ(ShownHeadword(), u"apple");
    EXPECT_TRUE(m_messages.Messages().empty());
    EXPECT_EQ(RecentWords().front(), u"banana");
    EXPECT_EQ(m_box.m_history.front(), u"banana");
    EXPECT_TRUE(m_controls.m_entryCommands);
}

TEST_F(SearchActionTest, SearchReadsTheDictionaryChosenSinceTheLastOne) {
    Search(u"apple");
    m_dictionary = m_dir.Write("Data/Other.txt", "zebra/a zebra\n");
    Search(u"zebra");
    EXPECT_EQ(ShownHeadword(), u"zebra");
}

TEST_F(SearchActionTest, StepsStopAtBothEndsAndDownStartsAtTheTop) {
    Search(u"apple");
    ASSERT_EQ(m_list.Items(),
              (std::vector<Text>{u"apple", u"banana", u"cherry", u"date", u"elder"}));
    const int searches = m_page.ClearCount();

    StepNeighbour(-1, m_sources, m_screen);  // on the first item
    EXPECT_EQ(m_page.ClearCount(), searches);

    StepNeighbour(+1, m_sources, m_screen);
    EXPECT_EQ(m_box.m_text, u"banana");
    EXPECT_EQ(ShownHeadword(), u"banana");

    m_list.Select(4);
    StepNeighbour(+1, m_sources, m_screen);  // on the last item
    EXPECT_EQ(ShownHeadword(), u"banana");

    m_list.Select(-1);
    StepNeighbour(-1, m_sources, m_screen);  // up with nothing selected
    EXPECT_EQ(ShownHeadword(), u"banana");
    StepNeighbour(+1, m_sources, m_screen);  // down with nothing selected
    EXPECT_EQ(m_box.m_text, u"apple");
    EXPECT_EQ(ShownHeadword(), u"apple");
}

TEST_F(SearchActionTest, StepsAndPicksOnAnEmptyListDoNothing) {
    StepNeighbour(+1, m_sources, m_screen);
    StepNeighbour(-1, m_sources, m_screen);
    PickNeighbour(m_sources, m_screen);
    EXPECT_EQ(m_page.ClearCount(), 0);
    EXPECT_TRUE(m_messages.Messages().empty());
    EXPECT_TRUE(m_box.m_text.empty());
}

TEST_F(SearchActionTest, PickWritesTheHeadwordIntoTheBoxAndSearchesIt) {
    Search(u"apple");
    m_list.Select(3);
    PickNeighbour(m_sources, m_screen);
    EXPECT_EQ(m_box.m_text, u"date");
    EXPECT_EQ(ShownHeadword(), u"date");
    EXPECT_EQ(m_box.m_history.front(), u"date");
}

TEST_F(SearchActionTest, FillSearchListTakesTheRecentWordsInOrder) {
    m_stores.AddRecentWord(u"first");
    m_stores.AddRecentWord(u"second");
    m_box.m_history = {u"stale"};
    m_box.m_text = u"typed";
    FillSearchList(m_stores.m_listRecentWord, m_box);
    EXPECT_EQ(m_box.m_history, (std::vector<Text>{u"second", u"first"}));
    EXPECT_EQ(m_box.m_text, u"typed");
}

}  // namespace
}  // namespace tavik
