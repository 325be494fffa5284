#include "dict/entry_link.h"

#include <gtest/gtest.h>

namespace tavik {
namespace {

TEST(EntryLink, WordsSurviveTheRoundTrip) {
    for (const Text& word : {FromUtf8("apple"), FromUtf8("ice cream"), FromUtf8("사과"),
                             FromUtf8("a/b?c#d%e\"f<g>")}) {
        const std::string target = EntryLinkTarget(word);
        EXPECT_TRUE(target.starts_with("tavik:"));
        // Nothing in the target can end an attribute or start markup.
        EXPECT_EQ(target.find_first_of(" \"'<>&#?/", 6), std::string::npos) << target;
        EXPECT_EQ(EntryLinkWord(target), word);
    }
}

TEST(EntryLink, HandWrittenLinksAreRead) {
    EXPECT_EQ(EntryLinkWord("tavik:ice cream "), FromUtf8("ice cream"));
    EXPECT_EQ(EntryLinkWord("tavik:100%"), FromUtf8("100%"));
    EXPECT_EQ(EntryLinkWord("tavik:%EC%82%AC%EA%B3%BC"), FromUtf8("사과"));
    EXPECT_EQ(EntryLinkWord("tavik:  "), std::nullopt);
    EXPECT_EQ(EntryLinkWord("http://example.org/"), std::nullopt);
    EXPECT_EQ(EntryLinkWord("tavik-command:add-dictionary"), std::nullopt);
}

TEST(EntryLink, CommandLinksAreTheirOwnKind) {
    EXPECT_EQ(CommandLinkName("tavik-command:add-dictionary"), "add-dictionary");
    EXPECT_EQ(CommandLinkName("tavik:add-dictionary"), std::nullopt);
}

}  // namespace
}  // namespace tavik
