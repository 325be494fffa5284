#include "dict/page_first_part.h"

#include <gtest/gtest.h>

namespace tavik {
namespace {

// The first part as the cut leaves it, or "-" when the page is not cut.
Text FirstPart(TextView page, size_t least) {
    const std::optional<size_t> end = PageFirstPartEnd(page, least);
    return end ? Text(page.substr(0, *end)) : Text(u"-");
}

TEST(PageFirstPart, CutsAfterTheFirstLineBreakPastTheLeastLength) {
    const Text page = u"<html><body>one<br>two<br>three<br>four</body></html>";
    EXPECT_EQ(FirstPart(page, 0), u"<html><body>one<br>");
    EXPECT_EQ(FirstPart(page, 20), u"<html><body>one<br>two<br>");
    EXPECT_EQ(FirstPart(u"a<BR/>b<br />c", 2), u"a<BR/>");
    EXPECT_EQ(FirstPart(u"a<br />b", 2), u"a<br />");
    // Paragraphs, rules, divisions and headings start on a line of their own.
    EXPECT_EQ(FirstPart(u"<b>one</b><P>two<p>three", 1), u"<b>one</b>");
    EXPECT_EQ(FirstPart(u"one</p><hr>two", 1), u"one</p>");
    EXPECT_EQ(FirstPart(u"one<div align=center>two</div><h2>three</h2>", 5),
              u"one<div align=center>two</div>");
    EXPECT_EQ(FirstPart(u"<p>one", 0), u"-");
    EXPECT_EQ(FirstPart(u"<table><tr><td>a<p>b</td></tr></table>c<p>d", 0),
              u"<table><tr><td>a<p>b</td></tr></table>c");
}

TEST(PageFirstPart, LeavesAPageWholeWhenNothingWouldBeLeftForTheRest) {
    EXPECT_EQ(FirstPart(u"one<br>two", 100), u"-");
    EXPECT_EQ(FirstPart(u"one<br>", 0), u"-");
    EXPECT_EQ(FirstPart(u"one two three", 0), u"-");
    EXPECT_EQ(FirstPart(u"", 0), u"-");
}

TEST(PageFirstPart, NeverCutsWhereTheLayoutAboveDependsOnWhatFollows) {
    // Tables and lists are as wide as their widest row or item; preformatted
    // and script text is read as it stands.
    EXPECT_EQ(FirstPart(u"<table><tr><td>a<br>b</td></tr></table>c<br>d", 0),
              u"<table><tr><td>a<br>b</td></tr></table>c<br>");
    EXPECT_EQ(FirstPart(u"<TABLE><table>a<br></table>b<br></Table>c<br>d", 0),
              u"<TABLE><table>a<br></table>b<br></Table>c<br>");
    EXPECT_EQ(FirstPart(u"<ul><li>a<br><li>b</ul><ol><li>c<br></ol>d<br>e", 0),
              u"<ul><li>a<br><li>b</ul><ol><li>c<br></ol>d<br>");
    EXPECT_EQ(FirstPart(u"<pre>a<br>b</pre>c<br>d", 0), u"<pre>a<br>b</pre>c<br>");
    EXPECT_EQ(FirstPart(u"<script>x='<table>'<br></script>a<br>b", 0),
              u"<script>x='<table>'<br></script>a<br>");
    EXPECT_EQ(FirstPart(u"<!-- <br> <table> -->a<br>b", 0), u"<!-- <br> <table> -->a<br>");
    // An element that never ends holds the rest of the page.
    EXPECT_EQ(FirstPart(u"<table>a<br>b<br>c", 0), u"-");
    EXPECT_EQ(FirstPart(u"<!-- a<br>b<br>c", 0), u"-");
}

TEST(PageFirstPart, NeverCutsInsideATag) {
    EXPECT_EQ(FirstPart(u"<a title=\"x<br>y>\">a</a><br>b", 0), u"<a title=\"x<br>y>\">a</a><br>");
    EXPECT_EQ(FirstPart(u"<a title='<br>'>a<br>b", 0), u"<a title='<br>'>a<br>");
    // A quote that never closes leaves no tag end to trust.
    EXPECT_EQ(FirstPart(u"<a title=\"x>a<br>b<br>c", 0), u"-");
    // A line break with attributes may be more than a line break.
    EXPECT_EQ(FirstPart(u"a<br clear=all>b<br>c", 0), u"a<br clear=all>b<br>");
}

TEST(PageFirstPart, ReadsALoneLessThanSignAsText) {
    EXPECT_EQ(FirstPart(u"1 < 2 and 'x'<br>b", 0), u"1 < 2 and 'x'<br>");
    EXPECT_EQ(FirstPart(u"a<<br>b", 0), u"a<<br>");
}

}  // namespace
}  // namespace tavik
