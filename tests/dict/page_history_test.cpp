// Back and forward over the pages shown: what a new page does to the pages
// ahead, repeats, the length limit, the scroll positions, and pages shown
// while typing that are not kept.
#include "dict/page_history.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavik {
namespace {

const std::filesystem::path kGcide = "/data/gcide.txt";
const std::filesystem::path kWordNet = "/data/wn.txt";

std::vector<Text> BackAll(PageHistory& history) {
    std::vector<Text> words;
    while (const auto page = history.GoBack()) words.push_back(page->word);
    return words;
}

TEST(PageHistoryTest, BackAndForwardWalkThePagesAndStopAtBothEnds) {
    PageHistory history;
    EXPECT_FALSE(history.CanGoBack());
    EXPECT_FALSE(history.GoForward());
    EXPECT_EQ(history.Current(), nullptr);
    history.Visit(u"apple", kGcide);
    EXPECT_FALSE(history.CanGoBack());  // one page: nowhere to go
    history.Visit(u"light", kWordNet);
    history.Visit(u"keg", kWordNet);

    EXPECT_EQ(BackAll(history), (std::vector<Text>{u"light", u"apple"}));
    EXPECT_EQ(history.Current()->dictionary, kGcide);
    EXPECT_TRUE(history.CanGoForward());
    auto page = history.GoForward();
    ASSERT_TRUE(page);
    EXPECT_EQ(page->word, u"light");
    EXPECT_EQ(page->dictionary, kWordNet);
    EXPECT_EQ(history.GoForward()->word, u"keg");
    EXPECT_FALSE(history.CanGoForward());
    EXPECT_FALSE(history.GoForward());
    EXPECT_EQ(history.Current()->word, u"keg");
    EXPECT_EQ(history.Size(), 3u);
}

TEST(PageHistoryTest, ANewPageAfterGoingBackDropsThePagesAhead) {
    PageHistory history;
    for (const char16_t* word : {u"a", u"b", u"c", u"d"}) history.Visit(word, kGcide);
    history.GoBack();
    history.GoBack();
    history.Visit(u"x", kGcide);
    EXPECT_FALSE(history.CanGoForward());
    EXPECT_EQ(history.Size(), 3u);
    EXPECT_EQ(BackAll(history), (std::vector<Text>{u"b", u"a"}));
}

TEST(PageHistoryTest, TheSamePageAgainAddsNothingButAnotherDictionaryOrCaseDoes) {
    PageHistory history;
    history.Visit(u"apple", kGcide);
    history.Visit(u"apple", kGcide);
    EXPECT_EQ(history.Size(), 1u);
    history.Visit(u"apple", kWordNet);
    history.Visit(u"Apple", kWordNet);
    EXPECT_EQ(history.Size(), 3u);
    // Going back to a page and searching it again keeps the pages ahead.
    history.GoBack();
    history.Visit(u"apple", kWordNet);
    EXPECT_TRUE(history.CanGoForward());
}

TEST(PageHistoryTest, TheOldestPagesGoPastTheLimit) {
    PageHistory history(3);
    for (const char16_t* word : {u"a", u"b", u"c", u"d", u"e"}) history.Visit(word, kGcide);
    EXPECT_EQ(history.Size(), 3u);
    EXPECT_EQ(BackAll(history), (std::vector<Text>{u"d", u"c"}));
    EXPECT_EQ(history.Current()->word, u"c");

    PageHistory standard;
    for (int i = 0; i < 250; ++i) standard.Visit(Ascii(std::to_string(i)), kGcide);
    EXPECT_EQ(standard.Size(), PageHistory::kDefaultLimit);
}

TEST(PageHistoryTest, EachPageComesBackWhereTheReaderLeftIt) {
    PageHistory history;
    history.Leave({0, 99});  // nothing shown yet: nothing to remember
    history.Visit(u"apple", kGcide);
    history.Leave({0, 120});
    history.Visit(u"light", kWordNet);
    history.Leave({5, 40});
    history.Visit(u"keg", kGcide);

    auto page = history.GoBack();
    EXPECT_EQ(page->scroll, (ScrollPosition{5, 40}));
    history.Leave({0, 41});  // scrolled a little before going on back
    EXPECT_EQ(history.GoBack()->scroll, (ScrollPosition{0, 120}));
    EXPECT_EQ(history.GoForward()->scroll, (ScrollPosition{0, 41}));
    EXPECT_EQ(history.GoForward()->scroll, ScrollPosition{});  // never left: its top
}

TEST(PageHistoryTest, APageShownWhileTypingIsNotKeptAndBackReturnsToTheOneItReplaced) {
    PageHistory history;
    history.ShowingOther();  // before any page: changes nothing
    EXPECT_FALSE(history.CanGoBack());
    history.Visit(u"apple", kGcide);
    history.Leave({0, 30});
    history.ShowingOther();
    // The typed page's position belongs to no kept page.
    history.Leave({0, 500});
    EXPECT_TRUE(history.CanGoBack());
    auto page = history.GoBack();
    ASSERT_TRUE(page);
    EXPECT_EQ(page->word, u"apple");
    EXPECT_EQ(page->scroll, (ScrollPosition{0, 30}));
    EXPECT_FALSE(history.CanGoBack());

    history.Visit(u"light", kGcide);
    history.GoBack();
    history.ShowingOther();
    EXPECT_EQ(history.GoForward()->word, u"light");
    EXPECT_EQ(history.Size(), 2u);
}

}  // namespace
}  // namespace tavik
