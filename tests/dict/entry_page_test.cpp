// The entry page's exact text and message order.
#include "dict/entry_page.h"

#include <gtest/gtest.h>

#include <iterator>
#include <random>

#include "dict/recorders.h"
#include "support/temp_dir.h"

namespace tavik {
namespace {

TEST(EntryPage, SendsTheFixedFragmentsAroundHeadwordAndContent) {
    testing::TempDir home;
    RecordingPage page;
    ShowEntryPage(home.Path(), u"cat", u"a [b] c", page);
    const auto& p = page.Pieces();
    ASSERT_EQ(p.size(), 7u);
    EXPECT_EQ(p[0], u"<html><body background='" + FromUtf8(home.Path().string()) +
                        u"/Skin/BGHtml.gif' style='background-attachment : fixed;"
                        u"background-position : right bottom;background-repeat : no-repeat;"
                        u"background-color :#ffffff;'><font face=\"tahoma\" size=\"8\" "
                        u"color=#0000ff><b>");
    EXPECT_EQ(p[1], u"cat");
    EXPECT_EQ(p[2], u"</b></font>&nbsp;&nbsp;<font color=");
    EXPECT_EQ(p[3], u"#000000");
    EXPECT_EQ(p[4], u">");
    EXPECT_EQ(p[5], u"a </font><font color=#ff0000>[b]</font><font color=#000000> c");
    EXPECT_EQ(p[6], u"</font></body></html>");
    EXPECT_EQ(page.ClearCount(), 1);
    EXPECT_EQ(page.EndOfSourceCount(), 1);
    EXPECT_EQ(page.CopyText(), u"cat\na [b] c");
}

TEST(EntryPage, EmptyEntryStillSendsEveryPieceAndLeavesTheCopyText) {
    testing::TempDir home;
    RecordingPage page;
    page.SetCopyText(u"previous");
    ShowEntryPage(home.Path(), u"", u"", page);
    EXPECT_EQ(page.Pieces().size(), 7u);
    EXPECT_EQ(page.EndOfSourceCount(), 1);
    EXPECT_EQ(page.CopyText(), u"previous");
}

TEST(EntryPage, BackgroundPathEscapesOnlyWhatThePageOrAUrlWouldMisread) {
    EXPECT_EQ(PageBackgroundPath("/home/kim/tavik"), u"/home/kim/tavik/Skin/BGHtml.gif");
    EXPECT_EQ(PageBackgroundPath("/home/김 철수/My Dict (1)~"),
              u"/home/김 철수/My Dict (1)~/Skin/BGHtml.gif");
    EXPECT_EQ(PageBackgroundPath("/home/it's %41 & <b>"),
              u"/home/it%27s %2541 %26 %3Cb%3E/Skin/BGHtml.gif");
    EXPECT_EQ(PageBackgroundPath("/a#b?c=\"d\"\t\x7f"),
              u"/a%23b%3Fc=%22d%22%09%7F/Skin/BGHtml.gif");
    // Dot segments and a leading "//" would be resolved or read as a host.
    EXPECT_EQ(PageBackgroundPath("/x/./../.y/z.."), u"/x/%2E/%2E%2E/.y/z../Skin/BGHtml.gif");
    EXPECT_EQ(PageBackgroundPath("//server/x"), u"/%2Fserver/x/Skin/BGHtml.gif");

    RecordingPage page;
    ShowEntryPage("/home/it's", u"w", u"c", page);
    EXPECT_TRUE(page.Pieces()[0].starts_with(u"<html><body background='/home/it%27s/Skin/"));
}

TEST(EntryPage, UnbalancedBracketsAreReplacedOneByOne) {
    testing::TempDir home;
    RecordingPage page;
    ShowEntryPage(home.Path(), u"w", u"x] y [z", page);
    EXPECT_EQ(page.Pieces()[5], u"x]</font><font color=#000000> y </font><font color=#ff0000>[z");
    ShowEntryPage(home.Path(), u"w", u"<b>no brackets</b>", page);
    EXPECT_EQ(page.Pieces()[5], u"<b>no brackets</b>");
}

// A batch reads the skin once and hands that style to every page: the pages
// are those a page reading the skin itself shows.
TEST(EntryPage, AStyleReadBeforeGivesThePageTheSkinGives) {
    testing::TempDir home;
    home.Write("Skin/SkinInfo.Cfg", "[Content]\nWord=#111111\nSpeak=#222222\nText=#333333\n");
    RecordingPage fromSkin;
    RecordingPage fromStyle;
    const EntryPageStyle style = ReadEntryPageStyle(home.Path());
    ShowEntryPage(home.Path(), u"w", u"a [b] c", fromSkin);
    ShowEntryPage(style, u"w", u"a [b] c", fromStyle);
    EXPECT_EQ(fromStyle.Pieces(), fromSkin.Pieces());
    EXPECT_EQ(fromStyle.CopyText(), fromSkin.CopyText());
    EXPECT_NE(fromSkin.Pieces()[5].find(u"#222222"), Text::npos);
}

// Brackets in a colour are set as if every "[" were replaced before every
// "]": the "]" of the pronunciation's colour closes it again.
TEST(EntryPage, BracketsInTheSkinsColoursAreSetAsBefore) {
    PageColours colours;
    colours.speak = u"#f]0";
    colours.text = u"#[0]";
    EXPECT_EQ(ColouredContent(u"a[b]c", colours),
              u"a</font><font color=#f]</font><font color=#[0]>0>[b]</font><font color=#[0]>c");
}

// The content is searched for brackets several units at a time: texts with
// brackets at every place, between and beside other units, come out as the two
// plain replacements one after the other make them.
TEST(EntryPage, ColouredContentIsTheTwoReplacementsAtEveryPlace) {
    PageColours colours;
    colours.speak = u"#f]0";
    std::mt19937 rng(5);
    static constexpr char16_t kUnits[] = {u'a', u'[', u']',  u'\\',  0x5A,
                                          0x5C, 0x5E, 0x15B, 0x5B00, u'가'};
    for (int round = 0; round < 2000; ++round) {
        Text content(rng() % 40, u'a');
        for (char16_t& c : content) c = kUnits[rng() % std::size(kUnits)];
        const Text expected =
            ReplaceAll(ReplaceAll(content, u"[", u"</font><font color=" + colours.speak + u">["),
                       u"]", u"]</font><font color=" + colours.text + u">");
        ASSERT_EQ(ColouredContent(content, colours), expected) << round;
    }
}

// A batch writes each word's pages into the buffer of the word before: a page
// holds its own text only, and a recorder that showed nothing has no page.
TEST(EntryPage, PagesInAHandedOnBufferHoldOnlyTheirOwnText) {
    testing::TempDir home;
    const EntryPageStyle style = ReadEntryPageStyle(home.Path());
    RecordingPage alone(false, false);
    ShowEntryPage(style, u"ant", u"short", alone);

    RecordingPage first(false, false, Text(100, u'x'));
    ShowEntryPage(style, u"bee", Text(5000, u'L'), first);
    ShowEntryPage(style, u"ant", u"short", first);  // a second page of one recorder
    EXPECT_EQ(first.Page(), alone.Page());
    ShowEntryPage(style, u"bee", Text(5000, u'L'), first);
    RecordingPage second(false, false, first.TakeBuffer());
    EXPECT_FALSE(first.Page().has_value());
    EXPECT_FALSE(second.Page().has_value());
    ShowEntryPage(style, u"ant", u"short", second);
    EXPECT_EQ(second.Page(), alone.Page());
    RecordingPage third(false, false, second.TakeBuffer());
    third.AddText(u"x");  // a piece without a clear
    EXPECT_EQ(third.Page(), Text(u"x"));
}

}  // namespace
}  // namespace tavik
