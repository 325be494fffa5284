// The search action: trimming, the empty-word message, the credits page, the
// lookup with its back-off, the recent words and the search box history, and
// the neighbour list's pick and step commands.
#include "dict/search_action.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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
    WordStores m_stores{m_dir.Path()};
    SearchSources m_sources{m_dir.Path(), m_dictionary, m_codePage, m_stores};
    RecordingSearchBox m_box;
    RecordingNeighbourList m_list;
    RecordingPage m_page;
    RecordingMessages m_messages;
    RecordingControls m_controls;
    RecordingStatus m_status;
    SearchScreen m_screen{m_box, m_list, m_page, m_messages, m_controls, m_status};
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
    EXPECT_NE(m_page.Page()->find(u"MIT License"), Text::npos);
    EXPECT_EQ(m_page.Page()->find(u".invalid"), Text::npos);  // no placeholder address
    EXPECT_NE(m_page.Page()->find(u"/Skin/BGHtml.gif'"), Text::npos);
    EXPECT_EQ(m_page.EndOfSourceCount(), 2);
    EXPECT_EQ(m_box.m_history, boxBefore.m_history);
    EXPECT_EQ(m_box.m_focusCount, boxBefore.m_focusCount);
    EXPECT_EQ(RecentWords(), recentBefore);
    EXPECT_EQ(m_list.Items(), listBefore);
    // Copy takes the page on screen, not the entry shown before it.
    EXPECT_EQ(m_page.CopyText(),
              u"Tavik Dictionary Workshop\n\nWord list, search and viewer\nThe Tavik developers\n"
              u"Free software under the MIT License");
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

TEST_F(SearchActionTest, ADictionaryThatCannotBeReadGetsAPageNamingIt) {
    m_dir.Write("Data/Other.txt", "zebra/a zebra\n");
    const std::filesystem::path folder = m_dir / "Data" / "Folder.txt";
    std::filesystem::create_directories(folder);
    const std::filesystem::path fifo = m_dir / "Data" / "Fifo.txt";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::filesystem::path emptied = m_dir.Write("Data/Emptied.txt", "");
    const std::filesystem::path odd = m_dir / "Data" / "<b>odd & gone.txt";
    const std::filesystem::path tavik = m_dictionary;
    struct Case {
        std::filesystem::path file;
        std::u16string_view says;
    };
    for (const Case& c : {Case{m_dir / "Data" / "Gone.txt", u"사전 파일이 없습니다"},
                          Case{folder, u"폴더입니다"}, Case{fifo, u"일반 파일이 아니어서"},
                          Case{emptied, u"비어 있습니다"}, Case{odd, u"사전 파일이 없습니다"}}) {
        SCOPED_TRACE(c.file);
        m_dictionary = tavik;
        Search(u"apple");
        ASSERT_EQ(ShownHeadword(), u"apple");
        const int clears = m_page.ClearCount();
        m_dictionary = c.file;
        Search(u"banana");
        // The page is replaced, never left showing apple's entry under banana.
        EXPECT_EQ(m_page.ClearCount(), clears + 1);
        ASSERT_TRUE(m_page.Page().has_value());
        const Text& page = *m_page.Page();
        EXPECT_EQ(page.find(u"an apple"), Text::npos);
        EXPECT_NE(page.find(c.says), Text::npos) << ToUtf8(page);
        EXPECT_EQ(m_page.EndOfSourceCount(), clears + 1);
        EXPECT_TRUE(m_list.Items().empty());
        EXPECT_EQ(m_status.Last(), u"사전을 읽을 수 없습니다: " + FromUtf8(c.file.string()));
        EXPECT_NE(m_page.CopyText().find(c.says), Text::npos);
        // The word is still remembered, the controls still enabled.
        EXPECT_EQ(RecentWords().front(), u"banana");
        EXPECT_EQ(m_box.m_history.front(), u"banana");
        EXPECT_TRUE(m_controls.m_entryCommands);
        EXPECT_TRUE(m_messages.Messages().empty());
    }
    // Names that look like markup are shown as text.
    EXPECT_NE(m_page.Page()->find(u"&lt;b&gt;odd &amp; gone.txt"), Text::npos);
    EXPECT_EQ(m_page.Page()->find(u"<b>odd"), Text::npos);

    if (::geteuid() != 0) {  // root reads whatever the permissions say
        std::filesystem::permissions(m_dir / "Data" / "Other.txt", std::filesystem::perms::none);
        m_dictionary = m_dir / "Data" / "Other.txt";
        Search(u"zebra");
        EXPECT_NE(m_page.Page()->find(u"열 수 없습니다"), Text::npos) << ToUtf8(*m_page.Page());
    }
}

TEST_F(SearchActionTest, AnEmptyDataFolderSaysWhereDictionariesGoAndHowToAddOne) {
    std::filesystem::remove(m_dictionary);
    Search(u"apple");
    ASSERT_TRUE(m_page.Page().has_value());
    const Text data = FromUtf8((m_dir / "Data").string());
    const Text& page = *m_page.Page();
    EXPECT_NE(page.find(u"사전이 없습니다"), Text::npos);
    EXPECT_NE(page.find(data), Text::npos);
    EXPECT_NE(page.find(u"tavik-dict import dictd"), Text::npos);
    EXPECT_NE(page.find(u"-o " + data + u"/gcide.txt"), Text::npos);
    EXPECT_EQ(m_status.Last(), u"사전이 없습니다. 사전 파일을 넣을 곳: " + data);
    EXPECT_TRUE(m_list.Items().empty());

    // A missing Data folder is as empty.
    std::filesystem::remove_all(m_dir / "Data");
    Search(u"apple");
    EXPECT_EQ(m_status.Last(), u"사전이 없습니다. 사전 파일을 넣을 곳: " + data);
}

TEST_F(SearchActionTest, TheStatusLineNamesAWordNotFoundAndTheHeadwordShown) {
    Search(u"blueberry");
    EXPECT_EQ(ShownHeadword(), u"banana");  // the nearest entry, as ever
    EXPECT_EQ(m_status.Last(),
              u"‘blueberry’은(는) 사전에 없습니다. 가장 가까운 표제어 ‘banana’을(를) 보여 줍니다.");
    Search(u"CHERRY");  // found without regard to case
    EXPECT_EQ(ShownHeadword(), u"cherry");
    EXPECT_EQ(m_status.Last(), u"");
    // Lines without a headword give the lookup nothing at all: the page stays.
    m_dictionary = m_dir.Write("Data/Tavik.txt", "//\n//\n//");
    Search(u"zzz");
    EXPECT_EQ(ShownHeadword(), u"cherry");
    EXPECT_EQ(m_status.Last(), u"‘zzz’은(는) 사전에 없습니다.");
}

TEST_F(SearchActionTest, AWordNotFoundGetsSuggestionsBesideTheNearestEntry) {
    RecordingSuggestions suggestions;
    m_screen.suggestions = &suggestions;
    Search(u"apples");
    // The page and the status line stay those of the nearest-word rule, which
    // in so small a file lands on "banana"; the suggestion is what helps.
    EXPECT_EQ(ShownHeadword(), u"banana");
    EXPECT_EQ(suggestions.Last(), std::vector<Text>{u"apple"});
    EXPECT_EQ(m_status.Last(),
              u"‘apples’은(는) 사전에 없습니다. 가장 가까운 표제어 ‘banana’을(를) 보여 줍니다.");
    Search(u"datte");
    EXPECT_EQ(suggestions.Last(), std::vector<Text>{u"date"});
    // A word found takes them away, and so does a dictionary that is gone.
    Search(u"date");
    EXPECT_TRUE(suggestions.Last().empty());
    Search(u"apples");
    std::filesystem::remove(m_dictionary);
    Search(u"apples");
    EXPECT_TRUE(suggestions.Last().empty());
    EXPECT_EQ(suggestions.Shown().size(), 5u);
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
