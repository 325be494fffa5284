// Suggestions for a word not found: ending rules checked against the
// headwords, nearby headwords within two edits, their order and bound.
#include "dict/suggestions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "text/compare.h"

namespace tavik {
namespace {

using testing::TempDir;

class SuggestionsTest : public ::testing::Test {
protected:
    // Writes a dictionary of `headwords`, sorted as the lookup expects.
    void Make(std::vector<std::string> headwords) {
        std::sort(headwords.begin(), headwords.end(), [](const auto& a, const auto& b) {
            return CompareOrder(FromUtf8(a), FromUtf8(b)) < 0;
        });
        std::string lines;
        for (const auto& headword : headwords)
            lines += headword + "/the entry of " + headword + "\n";
        m_dictionary = m_dir.Write("Tavik.txt", lines);
    }
    std::vector<Text> Suggest(TextView word) const {
        return SuggestWords(m_dictionary, m_codePage, word);
    }

    TempDir m_dir;
    std::filesystem::path m_dictionary;
    CodePage m_codePage = *CodePage::Named("UTF-8");
};

std::vector<Text> Words(std::initializer_list<const char16_t*> words) {
    return std::vector<Text>(words.begin(), words.end());
}

TEST_F(SuggestionsTest, EndingsTakenOffGiveTheHeadwordBeforeNearWords) {
    Make({"book", "bookstore", "boot", "box", "fly", "make", "stop", "hop", "hope", "Paris",
          "quick", "agree", "happy", "late"});
    EXPECT_EQ(Suggest(u"books").front(), u"book");
    EXPECT_EQ(Suggest(u"boxes").front(), u"box");
    EXPECT_EQ(Suggest(u"flies").front(), u"fly");
    EXPECT_EQ(Suggest(u"stopped").front(), u"stop");
    EXPECT_EQ(Suggest(u"making").front(), u"make");
    EXPECT_EQ(Suggest(u"quickly").front(), u"quick");
    EXPECT_EQ(Suggest(u"agreed").front(), u"agree");
    EXPECT_EQ(Suggest(u"happier").front(), u"happy");
    EXPECT_EQ(Suggest(u"later").front(), u"late");
    // Case is ignored as the search ignores it; the headword comes as written.
    EXPECT_EQ(Suggest(u"PARISES").front(), u"Paris");
    // Both stems are headwords: the dropped "e" is likelier after one vowel
    // and one consonant, and each is offered once.
    const auto hoped = Suggest(u"hoped");
    ASSERT_GE(hoped.size(), 2u);
    EXPECT_EQ(hoped[0], u"hope");
    EXPECT_EQ(hoped[1], u"hop");
    // "books" lies two edits from "boot" as well, after "book".
    EXPECT_EQ(Suggest(u"books"), Words({u"book", u"boot"}));
}

TEST_F(SuggestionsTest, SlipsEarlyInTheWordReachTheIntendedHeadword) {
    // Many headwords lie between "receive" and where "recieve" would stand:
    // only the look at the word's first letters finds it.
    std::vector<std::string> headwords{"receive", "recipe", "red", "reckon", "rebus"};
    for (int i = 0; i < 60; ++i) headwords.push_back("recf" + std::to_string(100 + i));
    for (int i = 0; i < 60; ++i) headwords.push_back("wa" + std::to_string(100 + i));
    headwords.push_back("went");
    headwords.push_back("book");
    Make(headwords);
    const auto suggestions = Suggest(u"recieve");
    ASSERT_FALSE(suggestions.empty());
    EXPECT_EQ(suggestions.front(), u"receive");
    // Letters swapped or doubled at the start, far from the headword meant.
    EXPECT_EQ(Suggest(u"ewnt"), Words({u"went"}));
    EXPECT_EQ(Suggest(u"bbook"), Words({u"book"}));
}

TEST_F(SuggestionsTest, NothingInventedAndNeverTheWordItself) {
    Make({"go", "wend", "west", "wet", "when", "want", "wean", "whet", "zebra"});
    // No rule makes "go" of "went", and "wen" is no headword; the five
    // closest are offered, one edit before two, then in file order.
    EXPECT_EQ(Suggest(u"went"), Words({u"want", u"wend", u"west", u"wet", u"wean"}));
    const auto all = Suggest(u"went");
    EXPECT_EQ(std::count(all.begin(), all.end(), u"go"), 0);
    // A word with no headword within two edits gets nothing.
    EXPECT_TRUE(Suggest(u"xylophone").empty());
    // Only the nearest are offered, never the word in another case.
    Make({"Apple", "apply", "ample"});
    EXPECT_EQ(Suggest(u"apple"), Words({u"ample", u"apply"}));
}

TEST_F(SuggestionsTest, AtMostFiveWithoutRepeats) {
    Make({"cat", "cats", "bat", "hat", "mat", "rat", "sat", "vat", "cut", "cot"});
    const auto suggestions = Suggest(u"cas");
    EXPECT_EQ(suggestions, Words({u"cat", u"cats", u"bat", u"cot", u"cut"}));
    std::vector<Text> sorted = suggestions;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end());
}

TEST_F(SuggestionsTest, BrokenOrMissingDictionariesGiveNothing) {
    EXPECT_TRUE(SuggestWords(m_dir.Path() / "missing.txt", m_codePage, u"books").empty());
    m_dictionary = m_dir.Write("Odd.txt", "/\n//\nbook/a book\nno slash here\n");
    EXPECT_EQ(Suggest(u"books"), Words({u"book"}));
    m_dictionary = m_dir.Write("Empty.txt", "");
    EXPECT_TRUE(Suggest(u"books").empty());
}

TEST(EndingStems, OnlyPlausibleStems) {
    EXPECT_EQ(EndingStems(u"books"), Words({u"book"}));
    EXPECT_TRUE(EndingStems(u"is").empty());     // "i" is not a stem of "is"
    EXPECT_TRUE(EndingStems(u"glass").empty());  // nor "glas" of "glass"
    EXPECT_TRUE(EndingStems(u"went").empty());
    EXPECT_EQ(EndingStems(u"Running"), Words({u"runn", u"runne", u"run"}));
}

TEST(EditDistance, CountsTranspositionsOnceAndStopsAtTheLimit) {
    EXPECT_EQ(EditDistance(u"recieve", u"receive", 2), 1);
    EXPECT_EQ(EditDistance(u"went", u"when", 2), 2);
    EXPECT_EQ(EditDistance(u"book", u"book", 2), 0);
    EXPECT_EQ(EditDistance(u"", u"ab", 2), 2);
    EXPECT_EQ(EditDistance(u"abc", u"", 2), 3);
    EXPECT_EQ(EditDistance(u"kitten", u"sitting", 2), 3);
    EXPECT_EQ(EditDistance(u"ca", u"abc", 2), 3);  // no edit inside a transposed pair
    // Long texts cost time linear in their length, not its square.
    const Text longWord(200000, u'a');
    Text slipped = longWord;
    slipped[100000] = u'b';
    EXPECT_EQ(EditDistance(longWord, slipped, 2), 1);
    EXPECT_EQ(EditDistance(longWord, Text(200003, u'a'), 2), 3);
}

}  // namespace
}  // namespace tavik
