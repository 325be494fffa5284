// The entry page's exact text and message order.
#include "dict/entry_page.h"

#include <gtest/gtest.h>

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

TEST(EntryPage, UnbalancedBracketsAreReplacedOneByOne) {
    testing::TempDir home;
    RecordingPage page;
    ShowEntryPage(home.Path(), u"w", u"x] y [z", page);
    EXPECT_EQ(page.Pieces()[5], u"x]</font><font color=#000000> y </font><font color=#ff0000>[z");
    ShowEntryPage(home.Path(), u"w", u"<b>no brackets</b>", page);
    EXPECT_EQ(page.Pieces()[5], u"<b>no brackets</b>");
}

}  // namespace
}  // namespace tavik
