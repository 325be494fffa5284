// Whole entries and whole lines: the window widened to an entry that does not
// fit it, the exact edges of the window, long lines, the entry cap and a
// byte-order mark.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dict/gather.h"
#include "dict/recorders.h"
#include "dict/search.h"
#include "support/temp_dir.h"

namespace tavik {
namespace {

const Text kExact(kExactSeparator);
const Text kNearest(kNearestSeparator);

// `count` lines of exactly `length` bytes, line feed included, headwords
// `prefix` plus a number.
std::string FixedLines(const std::string& prefix, int first, int count, size_t length) {
    std::string out;
    for (int i = first; i < first + count; ++i) {
        const std::string head = prefix + std::to_string(1000 + i) + "/";
        out += head + std::string(length - head.size() - 1, 'c') + "\n";
    }
    return out;
}

class WholeEntryTest : public ::testing::Test {
protected:
    SearchOutcome Search(const std::string& bytes, const Text& word) {
        Reset();
        const auto path = m_dir.Write("dict.txt", bytes);
        return SearchDictionary(word, Dictionary{path, m_codePage}, m_dir.Path(), m_screen);
    }
    GatheredEntry Gather(const std::string& bytes, int64_t offset, const Text& word,
                         const Text& headword) {
        Reset();
        const auto path = m_dir.Write("dict.txt", bytes);
        return GatherEntries(LookupResult{offset, word, headword}, path, m_codePage, m_dir.Path(),
                             m_screen);
    }
    // The entry's content with the pronunciation colouring undone.
    Text ShownContent() const {
        const auto& pieces = m_page.Pieces();
        if (pieces.size() != 7) return u"<no page>";
        Text content = ReplaceAll(pieces[5], u"</font><font color=#ff0000>[", u"[");
        return ReplaceAll(content, u"]</font><font color=#000000>", u"]");
    }
    Text Selected() const { return m_list.Item(m_list.Selection()); }
    Text Neighbour(int step) const { return m_list.Item(m_list.Selection() + step); }
    void Reset() {
        m_list = {};
        m_page = RecordingPage();
        m_messages = {};
    }

    testing::TempDir m_dir;
    CodePage m_codePage = CodePage::Default();
    RecordingNeighbourList m_list;
    RecordingPage m_page;
    RecordingMessages m_messages;
    EntryScreen m_screen{m_list, m_page, m_messages};
};

// ~17 KB of one headword between alpha and omega, with 6 KB of other words
// on either side.
std::string HundredLineEntry(Text* expected) {
    std::string bytes = FixedLines("aa", 0, 60, 100) + "alpha/first\n";
    for (int i = 0; i < 100; ++i) {
        const std::string content = "line " + std::to_string(i) + " " + std::string(160, 'x');
        bytes += (i % 7 == 3 ? "Long/" : "long/") + content + "\n";
        if (i) *expected += kExact;
        *expected += Ascii(content);
    }
    return bytes + "omega/last\n" + FixedLines("zz", 0, 60, 100);
}

TEST_F(WholeEntryTest, AnEntryLongerThanTheWindowIsShownWholeBetweenItsNeighbours) {
    Text expected;
    const std::string bytes = HundredLineEntry(&expected);
    ASSERT_GT(bytes.size() - 12'000, 17'000u);
    for (const Text word : {u"long", u"LONG"}) {
        const SearchOutcome outcome = Search(bytes, word);
        EXPECT_TRUE(outcome.shown.exact);
        EXPECT_FALSE(outcome.shown.cut);
        EXPECT_EQ(ShownContent(), expected);
        EXPECT_EQ(Selected(), u"long");
        EXPECT_EQ(Neighbour(-1), u"alpha");
        EXPECT_EQ(Neighbour(+1), u"omega");
        // The widened window keeps 4096 bytes (about 40 lines) on either side.
        EXPECT_GE(m_list.Selection(), 40);
        EXPECT_LE(m_list.Count() - m_list.Selection(), 44);
        EXPECT_TRUE(m_messages.Messages().empty());
    }
    // The nearest word's entry is widened as well, with its own separator.
    const SearchOutcome nearest = Search(bytes, u"lone");
    EXPECT_FALSE(nearest.shown.exact);
    EXPECT_EQ(nearest.shown.headword, u"long");
    EXPECT_EQ(ShownContent(), ReplaceAll(expected, kExact, kNearest));
    EXPECT_EQ(Selected(), u"long");
}

TEST_F(WholeEntryTest, ALongLineIsOneLineAndNoPieceOfItIsAHeadword) {
    const std::string body = std::string(4990, 'b') + "END";
    const std::string bytes = "alpha/a\nbig/" + body + "\nomega/z\n";
    Search(bytes, u"big");
    EXPECT_EQ(ShownContent(), Ascii(body));
    EXPECT_EQ(m_list.Items(), (std::vector<Text>{u"alpha", u"big", u"omega"}));
    // A probe that lands inside the long line reads the line after it.
    EXPECT_TRUE(Search(bytes, u"omega").shown.exact);
    EXPECT_EQ(ShownContent(), u"z");
}

TEST_F(WholeEntryTest, ALineOverTheLimitIsCutBetweenCharactersAndTheRestSkipped) {
    std::string body;
    while (body.size() < (size_t(3) << 19)) body += "\xbb\xe7\xb0\xfa ";  // 사과, 1.5 MiB
    const std::string bytes = "alpha/a\nbig/" + body + "\nomega/z\n";
    EXPECT_TRUE(Search(bytes, u"big").shown.exact);
    const Text content = ShownContent();
    EXPECT_LE(content.size(), size_t(1) << 20);
    EXPECT_GT(content.size(), size_t(1) << 18);
    EXPECT_EQ(content.find(u'\uFFFD'), Text::npos);
    // The long line passes the window's end, but the window always goes on
    // to the first line starting past its middle.
    EXPECT_EQ(m_list.Items(), (std::vector<Text>{u"alpha", u"big", u"omega"}));
    EXPECT_TRUE(Search(bytes, u"omega").shown.exact);
}

// The window ends with the line whose end reaches window start + 8192; an
// entry that ends on that line is whole, one that goes on is widened.
TEST_F(WholeEntryTest, TheWindowsEndIsExactAndAnEntryEndingThereIsNotWidened) {
    // 80 lines of 100 bytes, then "wide" on two lines ending exactly at 8192.
    const std::string before = FixedLines("w", 0, 80, 100);
    const std::string group =
        "wide/" + std::string(89, 'a') + "\nwide/" + std::string(91, 'b') + "\n";
    ASSERT_EQ(before.size() + group.size(), 8192u);
    const Text twoLines = Ascii(std::string(89, 'a')) + kExact + Ascii(std::string(91, 'b'));

    Gather(before + group + "zebra/z\n", 0, u"wide", u"wide");
    EXPECT_EQ(ShownContent(), twoLines);
    ASSERT_EQ(m_list.Count(), 81);
    EXPECT_EQ(m_list.Items().back(), u"wide");  // the next line is not read

    const GatheredEntry widened = Gather(before + group + "wide/c\nzebra/z\n", 0, u"wide", u"wide");
    EXPECT_TRUE(widened.exact);
    EXPECT_EQ(ShownContent(), twoLines + kExact + u"c");
    EXPECT_EQ(m_list.Items().back(), u"zebra");
}

TEST_F(WholeEntryTest, AnEntryBeginningExactlyAtTheWindowStartIsNotWidened) {
    // The offset is exactly the start of "skip", which the window skips.
    const std::string head = FixedLines("a", 0, 3, 100);
    const std::string tail = "wide/1\nwide/2\nzebra/z\n";
    Gather(head + "skip/s\n" + tail, 300, u"wide", u"wide");
    EXPECT_EQ(m_list.Items(), (std::vector<Text>{u"wide", u"zebra"}));
    EXPECT_EQ(ShownContent(), u"1" + kExact + u"2");
    // When the skipped line is part of the entry, the window widens back to
    // its start and 4096 bytes before it (here the file's start).
    Gather(head + "wide/0\n" + tail, 300, u"wide", u"wide");
    EXPECT_EQ(m_list.Items(), (std::vector<Text>{u"a1000", u"a1001", u"a1002", u"wide", u"zebra"}));
    EXPECT_EQ(ShownContent(), u"0" + kExact + u"1" + kExact + u"2");
}

TEST_F(WholeEntryTest, TheBackOffAndTheWidenedWindowsMargins) {
    EXPECT_EQ(GatherOffset(0), 0);
    EXPECT_EQ(GatherOffset(4095), 0);
    EXPECT_EQ(GatherOffset(4096), 0);
    EXPECT_EQ(GatherOffset(5000), 904);
    // An entry at 10,000..10,200 that begins before the window: widened to
    // [10,000 - 4096, 10,200 + 4096): the line that 5904 falls in is skipped,
    // the lines from 6000 on are read, up to the one ending at 14,300.
    const std::string bytes = FixedLines("a", 0, 100, 100) + "wide/" + std::string(94, '1') +
                              "\nwide/" + std::string(94, '2') + "\n" +
                              FixedLines("z", 0, 100, 100);
    Gather(bytes, 10'050, u"wide", u"wide");
    ASSERT_GE(m_list.Count(), 3);
    EXPECT_EQ(m_list.Items().front(), u"a1060");
    EXPECT_EQ(m_list.Items().back(), u"z1040");
}

TEST_F(WholeEntryTest, AnEntryOverTheCapEndsWithANoteAndTheWordsAfterItAreListed) {
    std::string bytes = "alpha/a\n";
    const std::string line = "huge/" + std::string(1018, 'h') + "\n";  // 1 KiB
    for (int i = 0; i < 5 * 1024; ++i) bytes += line;
    bytes += "omega/z\nomicron/o\n";
    const SearchOutcome outcome = Search(bytes, u"huge");
    EXPECT_TRUE(outcome.shown.exact);
    EXPECT_TRUE(outcome.shown.cut);
    const Text content = ShownContent();
    ASSERT_TRUE(content.ends_with(kEntryCutNote));
    const size_t parts = (content.size() + kExact.size()) / (1018 + kExact.size());
    EXPECT_LE(parts * 1018, kEntryTextLimit);
    EXPECT_GT(parts * 1018, kEntryTextLimit - 1018);
    EXPECT_EQ(m_list.Items(), (std::vector<Text>{u"alpha", u"huge", u"omega", u"omicron"}));
    EXPECT_EQ(Selected(), u"huge");
    const SearchOutcome after = Search(bytes, u"omega");
    EXPECT_FALSE(after.shown.cut);
    EXPECT_EQ(ShownContent(), u"z");
}

TEST_F(WholeEntryTest, AByteOrderMarkIsNotPartOfTheFirstHeadword) {
    m_codePage = *CodePage::Named("UTF-8");
    const std::string bytes =
        "\xEF\xBB\xBF"
        "apple/1\nbanana/2\ncherry/3\n";
    const SearchOutcome outcome = Search(bytes, u"apple");
    EXPECT_EQ(outcome.result.strHeadword, u"apple");
    EXPECT_EQ(outcome.result.nOffset, 0);
    EXPECT_TRUE(outcome.shown.exact);
    EXPECT_EQ(m_list.Items(), (std::vector<Text>{u"apple", u"banana", u"cherry"}));
    EXPECT_EQ(ShownContent(), u"1");
}

}  // namespace
}  // namespace tavik
