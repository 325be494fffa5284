// Gathering the entry and the neighbour list from the window, and the page
// that results.
#include "dict/gather.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dict/recorders.h"
#include "dict/search.h"
#include "support/temp_dir.h"

namespace tavik {
namespace {

using testing::TempDir;

std::string Lines(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& line : lines) out += line + "\n";
    return out;
}

const Text kExact(kExactSeparator);
const Text kNearest(kNearestSeparator);

class GatherTest : public ::testing::Test {
protected:
    void Gather(const std::string& bytes, int64_t offset, const Text& word, const Text& headword) {
        const auto path = m_dir.Write("dict.txt", bytes);
        LookupResult result{offset, word, headword};
        GatherEntries(result, path, m_codePage, m_dir.Path(), m_screen);
    }
    LookupResult Search(const std::string& bytes, const Text& word) {
        const auto path = m_dir.Write("dict.txt", bytes);
        return LookUpAndShow(word, Dictionary{path, m_codePage}, m_dir.Path(), m_screen);
    }
    // The content part of the last page: between the text colour's ">" and
    // the tail.
    Text ShownContent() const {
        const auto& pieces = m_page.Pieces();
        return pieces.size() == 7 ? pieces[5] : u"<no page>";
    }
    Text ShownHeadword() const {
        const auto& pieces = m_page.Pieces();
        return pieces.size() == 7 ? pieces[1] : u"<no page>";
    }
    Text SelectedItem() const { return m_list.Item(m_list.Selection()); }

    TempDir m_dir;
    CodePage m_codePage = CodePage::Default();
    RecordingNeighbourList m_list;
    RecordingPage m_page;
    RecordingMessages m_messages;
    EntryScreen m_screen{m_list, m_page, m_messages};
};

TEST_F(GatherTest, EqualHeadwordsFormOneEntryAndOneListItem) {
    const std::string dict = Lines({"ran/x", "run/one", "Run/two", "run/three", "rung/y"});
    for (const Text word : {u"run", u"RUN"}) {
        Gather(dict, 0, word, u"run");
        EXPECT_EQ(ShownHeadword(), u"run");
        EXPECT_EQ(ShownContent(), u"one" + kExact + u"two" + kExact + u"three");
        EXPECT_EQ(m_list.Items(), (std::vector<Text>{u"ran", u"run", u"rung"}));
        EXPECT_EQ(SelectedItem(), u"run");
        EXPECT_TRUE(m_messages.Messages().empty());
    }
}

TEST_F(GatherTest, NearestEntryUsesTheUncentredSeparator) {
    Gather(Lines({"abc/1", "abd/2", "abde/3", "abde/4", "abx/5"}), 0, u"abdez", u"abde");
    EXPECT_EQ(ShownHeadword(), u"abde");
    EXPECT_EQ(ShownContent(), u"3" + kNearest + u"4");
    EXPECT_EQ(SelectedItem(), u"abde");
    // The empty exact page goes first, then the nearest page replaces it.
    EXPECT_EQ(m_page.ClearCount(), 2);
}

TEST_F(GatherTest, NothingInTheWindowShowsAnEmptyPageAndTheMessage) {
    Gather(Lines({"abc/1", "abd/2"}), 0, u"zebra", u"zebu");
    EXPECT_EQ(ShownHeadword(), u"");
    EXPECT_EQ(ShownContent(), u"");
    EXPECT_EQ(m_messages.Messages(), std::vector<Text>{Text(kSearchErrorMessage)});
    EXPECT_EQ(m_list.Items().size(), 2u);
    EXPECT_EQ(m_list.Selection(), -1);
}

TEST_F(GatherTest, MissingFileChangesNothing) {
    m_list.Add(u"kept");
    LookupResult result{0, u"a", u"a"};
    GatherEntries(result, m_dir.Path() / "missing.txt", m_codePage, m_dir.Path(), m_screen);
    EXPECT_EQ(m_list.Items(), std::vector<Text>{u"kept"});
    EXPECT_EQ(m_page.ClearCount(), 0);
    EXPECT_TRUE(m_messages.Messages().empty());
}

TEST_F(GatherTest, WindowStartRules) {
    const std::string dict = Lines({"first/1", "second/2", "third/3", "fourth/4"});
    // Offset 0 and any offset inside the first line read the first line too.
    for (int64_t offset : {0, 3, 7}) {
        Gather(dict, offset, u"first", u"first");
        EXPECT_EQ(m_list.Items().front(), u"first") << offset;
        EXPECT_EQ(ShownContent(), u"1");
    }
    // An offset exactly at a line start skips that whole line.
    Gather(dict, 8, u"third", u"third");
    EXPECT_EQ(m_list.Items(), (std::vector<Text>{u"third", u"fourth"}));
    // An offset inside a line skips its tail.
    Gather(dict, 10, u"third", u"third");
    EXPECT_EQ(m_list.Items(), (std::vector<Text>{u"third", u"fourth"}));
}

TEST_F(GatherTest, TheLineCrossingTheWindowEndIsTheLastOneRead) {
    // 100 lines of exactly 100 bytes: the line ending at byte 8200 crosses
    // the window end (8192) and is read; the next one is not.
    std::vector<std::string> lines;
    for (int i = 0; i < 100; ++i) {
        std::string head = "w" + std::to_string(1000 + i) + "/";
        lines.push_back(head + std::string(99 - head.size(), 'c'));
    }
    Gather(Lines(lines), 0, u"w1000", u"w1000");
    ASSERT_EQ(m_list.Count(), 82);
    EXPECT_EQ(m_list.Items().back(), u"w1081");
}

TEST_F(GatherTest, EntryGatheredSoFarIsShownAtTheWindowEndOrTheFileEnd) {
    std::vector<std::string> lines = {"aaa/0"};
    for (int i = 0; i < 200; ++i) lines.push_back("big/" + std::string(60, char('a' + i % 26)));
    Gather(Lines(lines), 0, u"big", u"big");
    const Text content = ShownContent();
    EXPECT_GT(content.size(), 7000u);
    EXPECT_LT(content.size(), 200u * 61 + 200 * kExact.size());
    // A file that ends inside the entry shows all its lines.
    Gather(Lines({"aaa/0", "end/1", "end/2", "end/"}), 0, u"end", u"end");
    EXPECT_EQ(ShownContent(), u"1" + kExact + u"2" + kExact);  // empty part: separator, nothing
}

TEST_F(GatherTest, EntryStartingBeforeTheWindowIsShownWhole) {
    const std::string dict = Lines({"aaa/0", "long/1", "long/2", "long/3", "zzz/4"});
    // Inside "long/1" and exactly at the start of "long/2": either way the
    // lines before the window are read too, and the neighbours around them.
    for (int64_t offset : {8, 13}) {
        Gather(dict, offset, u"long", u"long");
        EXPECT_EQ(ShownContent(), u"1" + kExact + u"2" + kExact + u"3") << offset;
        EXPECT_EQ(m_list.Items(), (std::vector<Text>{u"aaa", u"long", u"zzz"})) << offset;
        EXPECT_EQ(SelectedItem(), u"long");
    }
}

TEST_F(GatherTest, SearchedWordInTheWindowWinsOverTheNearestWord) {
    // The window starts at the file's start when the offset lies in the first
    // line: the searched word's own entry is shown.
    Gather(Lines({"apple/a", "banana/b", "cherry/c", "date/d"}), 3, u"apple", u"banana");
    EXPECT_EQ(ShownHeadword(), u"apple");
    EXPECT_EQ(SelectedItem(), u"apple");
    EXPECT_EQ(m_page.CopyText(), u"apple\na");
}

TEST_F(GatherTest, SearchBacksOffBeforeGathering) {
    // 200 lines of 50 bytes; the word sits far from the start, so the list
    // starts about 4096 bytes before the hit.
    std::vector<std::string> lines;
    for (int i = 0; i < 200; ++i) {
        std::string head = "k" + std::to_string(1000 + i) + "/";
        lines.push_back(head + std::string(49 - head.size(), 'c'));
    }
    const auto r = Search(Lines(lines), u"k1150");
    ASSERT_EQ(r.strHeadword, u"k1150");
    EXPECT_EQ(SelectedItem(), u"k1150");
    const int before = m_list.Selection();
    EXPECT_GE(before, 4096 / 50 - 2);
    EXPECT_LE(before, 4096 / 50 + 2);
}

TEST_F(GatherTest, LinesWithoutSlashAndCrLf) {
    Gather("alpha/1\r\nbare\nbeta/2\r\n", 0, u"beta", u"beta");
    EXPECT_EQ(m_list.Items(), (std::vector<Text>{u"alpha", u"bare\n", u"beta"}));
    EXPECT_EQ(ShownContent(), u"2\r");
}

}  // namespace
}  // namespace tavik
