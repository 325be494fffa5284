// Every dictionary at once: which entries the page shows and in what order,
// where the neighbour list comes from, what a word found nowhere shows, and
// the bound on the page.
#include "dict/all_dictionaries.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dict/notices.h"
#include "dict/recorders.h"
#include "dict/search_action.h"
#include "support/temp_dir.h"
#include "wordlists/word_stores.h"

namespace tavik {
namespace {

using testing::TempDir;

class AllDictionariesTest : public ::testing::Test {
protected:
    AllDictionariesTest() {
        // "banana" in the first and the last; "cherry" only in the second;
        // the second's name looks like markup.
        Add("gcide.txt", "apple/g apple\nbanana/g banana [ba]\nbanana/g banana two\nfig/g fig\n");
        Add("<b>&amp.txt", "cherry/w cherry\ndate/w date\n");
        Add("zeta.txt", "Banana/z banana\nkiwi/z kiwi\n");
    }

    void Add(const std::string& name, std::string_view lines) {
        m_paths.push_back(m_dir.Write("Data/" + name, lines));
        m_dictionaries.clear();
        for (const auto& path : m_paths) m_dictionaries.push_back(Dictionary{path, m_codePage});
    }

    // Dictionaries hold a code page by reference: a list is replaced whole.
    void Use(std::vector<Dictionary> list) { m_dictionaries.swap(list); }

    DictionariesOutcome Search(const Text& word) {
        EntryScreen screen{m_list, m_page, m_messages};
        DictionariesOutcome outcome =
            SearchDictionaries(word, m_dictionaries, m_dir.Path(), screen);
        ReportDictionariesSearch(outcome, m_dictionaries, m_dir.Path(), m_list, m_page, m_status);
        return outcome;
    }

    const Text& Page() const { return *m_page.Page(); }
    size_t Find(TextView text) const { return Page().find(text); }
    Text Selected() const { return m_list.Item(m_list.Selection()); }

    TempDir m_dir;
    CodePage m_codePage = CodePage::Default();
    std::vector<std::filesystem::path> m_paths;
    std::vector<Dictionary> m_dictionaries;
    RecordingNeighbourList m_list;
    RecordingPage m_page;
    RecordingMessages m_messages;
    RecordingStatus m_status;
};

TEST_F(AllDictionariesTest, AWordInTwoOfThreeShowsBothEntriesUnderTheirNamesInListOrder) {
    const DictionariesOutcome outcome = Search(u"banana");
    EXPECT_EQ(outcome.found, (std::vector<size_t>{0, 2}));
    ASSERT_TRUE(m_page.Page().has_value());
    const size_t first = Find(u"<b>gcide</b>");
    const size_t last = Find(u"<b>zeta</b>");
    ASSERT_NE(first, Text::npos) << ToUtf8(Page());
    ASSERT_NE(last, Text::npos);
    EXPECT_LT(first, Find(u"g banana two"));
    EXPECT_LT(Find(u"g banana two"), last);
    EXPECT_LT(last, Find(u"z banana"));
    // Both lines of the first entry, the pronunciation coloured as on its
    // own page; the headword as each dictionary writes it.
    EXPECT_NE(Find(u"<font color=#ff0000>[ba]"), Text::npos);
    EXPECT_NE(Find(u"<b>Banana</b>"), Text::npos);
    // The second dictionary holds no banana and is not named.
    EXPECT_EQ(Find(u"amp"), Text::npos);
    EXPECT_EQ(m_page.ClearCount(), 1);
    EXPECT_EQ(m_page.EndOfSourceCount(), 1);
    // The neighbour list is the first dictionary's, the word selected.
    EXPECT_EQ(m_list.Items(), (std::vector<Text>{u"apple", u"banana", u"fig"}));
    EXPECT_EQ(Selected(), u"banana");
    EXPECT_EQ(m_status.Last(), u"");
    EXPECT_TRUE(m_messages.Messages().empty());
    // Copy takes every dictionary's name and entry.
    const Text& copy = m_page.CopyText();
    EXPECT_EQ(copy.find(u"gcide\nbanana\n"), 0u) << ToUtf8(copy);
    EXPECT_NE(copy.find(u"\n\nzeta\nBanana\nz banana"), Text::npos) << ToUtf8(copy);
}

TEST_F(AllDictionariesTest, AWordInOneShowsItsEntryWithTheNeighboursOfTheFirstNearIt) {
    const DictionariesOutcome outcome = Search(u"cherry");
    EXPECT_EQ(outcome.found, std::vector<size_t>{1});
    EXPECT_EQ(outcome.lead, 0);
    // A name that looks like markup is shown as text.
    EXPECT_NE(Find(u"<b>&lt;b&gt;&amp;amp</b>"), Text::npos) << ToUtf8(Page());
    EXPECT_NE(Find(u"w cherry"), Text::npos);
    EXPECT_EQ(Find(u"gcide"), Text::npos);
    // The first dictionary has entries near "cherry": its list, its
    // nearest headword selected.
    EXPECT_EQ(m_list.Items(), (std::vector<Text>{u"apple", u"banana", u"fig"}));
    EXPECT_EQ(Selected(), u"fig");
    EXPECT_EQ(m_status.Last(), u"");
}

TEST_F(AllDictionariesTest, AWordInNoneShowsTheFirstDictionarysOwnNearestPage) {
    const DictionariesOutcome outcome = Search(u"date palm");
    EXPECT_TRUE(outcome.found.empty());
    EXPECT_EQ(outcome.lead, 0);

    RecordingNeighbourList aloneList;
    RecordingPage alonePage;
    RecordingMessages aloneMessages;
    EntryScreen alone{aloneList, alonePage, aloneMessages};
    const SearchOutcome single =
        SearchDictionary(u"date palm", m_dictionaries[0], m_dir.Path(), alone);
    EXPECT_EQ(m_page.Pieces(), alonePage.Pieces());
    EXPECT_EQ(m_page.CopyText(), alonePage.CopyText());
    EXPECT_EQ(m_list.Items(), aloneList.Items());
    EXPECT_EQ(m_list.Selection(), aloneList.Selection());
    EXPECT_EQ(m_status.Last(),
              NoticeText(NoticeId::kStatusWordNotFound, {u"date palm", single.shown.headword}));
}

TEST_F(AllDictionariesTest, DictionariesWithNothingInThemNeitherLeadNorHideTheOthers) {
    std::vector<Dictionary> all = m_dictionaries;
    const std::filesystem::path empty = m_dir.Write("Data/empty.txt", "");
    const std::filesystem::path missing = m_dir / "Data" / "gone.txt";
    Use({Dictionary{missing, m_codePage}, Dictionary{empty, m_codePage}, all[2], all[0]});

    DictionariesOutcome outcome = Search(u"banana");
    EXPECT_EQ(outcome.found, (std::vector<size_t>{2, 3}));
    EXPECT_EQ(outcome.lead, 2);
    EXPECT_EQ(outcome.unreadable, std::vector<size_t>{0});
    EXPECT_LT(Find(u"<b>zeta</b>"), Find(u"<b>gcide</b>"));
    EXPECT_EQ(m_list.Items(), (std::vector<Text>{u"Banana", u"kiwi"}));
    // The page shows what could be read; the status line names what could not.
    EXPECT_EQ(m_status.Last(), u"사전을 읽을 수 없습니다: " + FromUtf8(missing.string()));

    // Nothing anywhere near: the first dictionary's own notice.
    Use({Dictionary{empty, m_codePage}, Dictionary{missing, m_codePage}});
    outcome = Search(u"banana");
    EXPECT_EQ(outcome.lead, 0);
    EXPECT_NE(Find(u"비어 있습니다"), Text::npos) << ToUtf8(Page());
    EXPECT_TRUE(m_list.Items().empty());
}

TEST_F(AllDictionariesTest, AnEmptyListSaysWhereDictionariesGo) {
    for (const auto& path : m_paths) std::filesystem::remove(path);
    m_dictionaries.clear();
    const DictionariesOutcome outcome = Search(u"banana");
    EXPECT_EQ(outcome.lead, -1);
    ASSERT_TRUE(m_page.Page().has_value());
    EXPECT_NE(Find(FromUtf8((m_dir / "Data").string())), Text::npos) << ToUtf8(Page());
    EXPECT_EQ(m_status.Last().find(u"사전이 없습니다"), 0u) << ToUtf8(m_status.Last());
}

TEST(DictionariesPageTest, ThePageTakesEntriesUpToItsBoundAndNamesTheRest) {
    const Text big(kDictionariesPageTextLimit / 2 + 1, u'x');
    const std::vector<DictionaryEntry> entries = {
        {u"one", u"w", big}, {u"two", u"w", big}, {u"three", u"w", u"small"}};
    RecordingPage page;
    ShowDictionariesPage("/nowhere", entries, page);
    const Text& html = *page.Page();
    EXPECT_LT(html.size(), 2 * big.size());
    const size_t two = html.find(u"<b>two</b>");
    ASSERT_NE(two, Text::npos);
    const size_t note = html.find(kEntryLeftOutNote);
    EXPECT_LT(two, note);
    EXPECT_LT(note, html.find(u"<b>three</b>"));
    EXPECT_EQ(html.find(u'x', two), Text::npos);
    EXPECT_NE(html.find(u"small"), Text::npos);
    EXPECT_NE(page.CopyText().find(u"two\n" + Text(kEntryLeftOutNote)), Text::npos);

    // One entry alone is never left out, whatever its length.
    RecordingPage alone;
    const Text huge(kDictionariesPageTextLimit + 1, u'y');
    ShowDictionariesPage("/nowhere", {{u"one", u"w", huge}}, alone);
    EXPECT_EQ(alone.Page()->find(kEntryLeftOutNote), Text::npos);
    EXPECT_GT(alone.Page()->size(), huge.size());
}

TEST(DictionariesPageTest, ADictionaryIsNamedByItsFileNameWithoutTxt) {
    EXPECT_EQ(DictionaryPageName("/d/gcide.txt"), u"gcide");
    EXPECT_EQ(DictionaryPageName("/d/wn.dict.txt"), u"wn.dict");
    EXPECT_EQ(DictionaryPageName("/d/Notes.TXT"), u"Notes.TXT");
    EXPECT_EQ(DictionaryPageName("/d/.txt"), u".txt");
    EXPECT_EQ(DictionaryPageName("/d/사전.txt"), u"사전");
}

// The search action over every dictionary: the word remembered as for one,
// and a step in the neighbour list searching every dictionary again.
TEST_F(AllDictionariesTest, TheSearchActionStepsThroughTheLeadsNeighbours) {
    struct Box : SearchBox {
        Text GetText() const override { return text; }
        void SetText(const Text& value) override { text = value; }
        void InsertHistory(const Text& word) override { history.insert(history.begin(), word); }
        void AppendHistory(const Text& word) override { history.push_back(word); }
        void ClearHistory() override { history.clear(); }
        void Focus() override {}
        Text text;
        std::vector<Text> history;
    } box;
    struct Controls : EntryControls {
        void SetEntryCommands(bool) override {}
        void EnableNeighbourControls() override {}
    } controls;
    WordStores stores(m_dir.Path());
    const std::filesystem::path none;
    const SearchSources sources{m_dir.Path(), none, m_codePage, stores, &m_dictionaries};
    SearchScreen screen{box, m_list, m_page, m_messages, controls, m_status};

    SearchWord(u" apple ", sources, screen);
    EXPECT_NE(Find(u"<b>gcide</b>"), Text::npos);
    StepNeighbour(+1, sources, screen);
    EXPECT_EQ(box.text, u"banana");
    EXPECT_NE(Find(u"<b>zeta</b>"), Text::npos);
    EXPECT_EQ(Selected(), u"banana");
    EXPECT_EQ(box.history, (std::vector<Text>{u"banana", u"apple"}));
}

}  // namespace
}  // namespace tavik
