// Searches that depend on lower-casing letters beyond Latin, Greek and
// Cyrillic: Roman numerals, letter-like symbols, Vietnamese Latin letters.
#include <gtest/gtest.h>

#include <string>

#include "dict/recorders.h"
#include "dict/search.h"
#include "support/temp_dir.h"

namespace tavik {
namespace {

class CaseFoldingSearchTest : public ::testing::Test {
protected:
    // Searches `word` and returns the headword of the page, as the page
    // shows it, and the selected neighbour.
    std::pair<Text, Text> Search(const std::string& bytes, const CodePage& codePage,
                                 const Text& word) {
        const auto path = m_home.Write("Data/dict.txt", bytes);
        RecordingNeighbourList list;
        RecordingPage page;
        RecordingMessages messages;
        EntryScreen screen{list, page, messages};
        SearchDictionary(word, Dictionary{path, codePage}, m_home.Path(), screen);
        EXPECT_TRUE(messages.Messages().empty()) << ToUtf8(word);
        const Text shown = page.Pieces().size() == 7 ? page.Pieces()[1] : u"<no page>";
        const Text selected = list.Selection() >= 0 ? list.Item(list.Selection()) : u"<none>";
        return {shown, selected};
    }

    testing::TempDir m_home;
};

TEST_F(CaseFoldingSearchTest, CapitalsOfEveryScriptFindTheirSmallLetters) {
    const CodePage cp949 = CodePage::Default();
    // Ⅱ/two and ⅲ/three in CP949, after two ordinary lines.
    const std::string roman = "a/1\nz/2\n\xA5\xB1/two\n\xA5\xA3/three\n";
    EXPECT_EQ(Search(roman, cp949, u"ⅱ"), std::make_pair(Text(u"Ⅱ"), Text(u"Ⅱ")));
    EXPECT_EQ(Search(roman, cp949, u"Ⅲ"), std::make_pair(Text(u"ⅲ"), Text(u"ⅲ")));

    const CodePage utf8 = *CodePage::Named("utf-8");
    EXPECT_EQ(Search("an/an\nzz/zz\n\xC6\xA1n/on\n", utf8, u"ƠN"),
              std::make_pair(Text(u"ơn"), Text(u"ơn")));
    // The ohm and angstrom signs fold to omega and a-ring.
    const std::string signs = "a/1\nzz/2\n\xC3\xA5re/x\n\xCF\x89ra/y\n";
    EXPECT_EQ(Search(signs, utf8, u"\u212Bre"), std::make_pair(Text(u"åre"), Text(u"åre")));
    EXPECT_EQ(Search(signs, utf8, u"\u2126RA"), std::make_pair(Text(u"ωra"), Text(u"ωra")));
}

}  // namespace
}  // namespace tavik
