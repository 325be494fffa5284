// The bounds on what the viewer builds of a page: ordinary pages pass
// unchanged, hostile ones are brought within every bound and stay there.
#include "dict/page_bounds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "dict/entry_page.h"
#include "dict/recorders.h"
#include "support/temp_dir.h"
#include "text/codepage.h"

namespace tavik {
namespace {

const std::filesystem::path kData = TAVIK_SOURCE_DATA;

Text Repeat(TextView piece, int times) {
    Text text;
    for (int i = 0; i < times; ++i) text += piece;
    return text;
}

Text Page(const Text& body) { return u"<html><body>" + body + u"</body></html>"; }

Text ComposedPage(const std::filesystem::path& home, const Text& headword, const Text& content) {
    RecordingPage page;
    ShowEntryPage(home, headword, content, page);
    return *page.Page();
}

// What the bounded page is: always within the bounds, and a fixed point.
Text Bounded(const Text& page) {
    const std::optional<Text> bounded = BoundPage(page);
    if (!bounded) return page;
    const PageShape shape = MeasurePage(*bounded);
    EXPECT_TRUE(WithinPageBounds(shape))
        << shape.nesting << " " << shape.listNesting << " " << shape.widestSpan << " "
        << shape.largestTable << " " << shape.cells;
    EXPECT_FALSE(BoundPage(*bounded).has_value()) << "bounding twice changes the page again";
    return *bounded;
}

TEST(PageBoundsTest, EveryBundledEntryAndEveryConvertedEntryPassesUnchanged) {
    testing::TempDir home;
    const CodePage cp = CodePage::Default();
    std::ifstream bundled(kData / "Data" / "Tavik.txt", std::ios::binary);
    int entries = 0;
    for (std::string line; std::getline(bundled, line); ++entries) {
        const Text text = cp.Decode(line);
        const size_t slash = text.find(u'/');
        const Text page = ComposedPage(home.Path(), text.substr(0, slash), text.substr(slash + 1));
        EXPECT_FALSE(BoundPage(page).has_value()) << ToUtf8(page);
    }
    EXPECT_GE(entries, 1000);

    std::ifstream converted(std::filesystem::path(TAVIK_TEST_DATA) / "ordinary-pages" /
                            "entries.txt");
    entries = 0;
    for (std::string line; std::getline(converted, line); ++entries) {
        const Text text = FromUtf8(line);
        const size_t slash = text.find(u'/');
        const Text page = ComposedPage(home.Path(), text.substr(0, slash), text.substr(slash + 1));
        EXPECT_FALSE(BoundPage(page).has_value()) << line;
        EXPECT_TRUE(WithinPageBounds(MeasurePage(page))) << line;
    }
    EXPECT_EQ(entries, 7);
    EXPECT_FALSE(BoundPage(ComposedPage(home.Path(), u"", u"")).has_value());
    EXPECT_FALSE(BoundPage(u"no markup at all").has_value());
}

TEST(PageBoundsTest, PagesAtTheBoundsPassUnchanged) {
    for (const Text& page :
         {Page(Repeat(u"<ul><li>", kMaxListNesting) + u"x" +
               Repeat(u"</li></ul>", kMaxListNesting)),
          Repeat(u"<b>", kMaxPageNesting) + u"x" + Repeat(u"</b>", kMaxPageNesting),
          Page(u"<table><tr><td colspan=1000 rowspan=100>x</td></tr></table>"),
          Page(u"<pre>a<pre>b</pre>" + Repeat(u"<title>t", kMaxUnendedCopies)),
          Page(u"<table>" + Repeat(u"<tr><td>a<td>b", 200) + u"</table>"),
          Page(u"<table>" + Repeat(u"<tr><td>a</td><td>b</td></tr>", 5000) + u"</table>")}) {
        EXPECT_FALSE(BoundPage(page).has_value()) << ToUtf8(page.substr(0, 80));
    }
}

TEST(PageBoundsTest, MeasuresNestingAsTheViewerPairsTags) {
    // Tags without an end tag hold nothing, however many there are.
    EXPECT_EQ(MeasurePage(Page(Repeat(u"<p>para", 5000) + Repeat(u"<li>item", 5000))).nesting, 2);
    EXPECT_EQ(MeasurePage(Page(Repeat(u"<ul><li>", 30) + u"x" + Repeat(u"</ul>", 30))).listNesting,
              30);
    // An end tag pairs with the nearest open tag of its name, whatever its case.
    EXPECT_EQ(MeasurePage(u"<B><b><I></b></i></B>").nesting, 3);
    // An element never reaches past its parent's end.
    EXPECT_EQ(MeasurePage(u"<i><b></i><u><s></s></u></b>").nesting, 2);
    // Tags in comments and in a script body are no tags; a tag without a ">"
    // after it is text.
    EXPECT_EQ(MeasurePage(u"<!--" + Repeat(u"<b>", 500) + Repeat(u"</b>", 500) + u"-->").nesting,
              0);
    EXPECT_EQ(MeasurePage(u"<script>" + Repeat(u"<b>", 500) + Repeat(u"</b>", 500) + u"</script>")
                  .nesting,
              1);
    EXPECT_EQ(MeasurePage(u"<b>x</b><i").nesting, 1);
    // Some kinds of tag hold the rest of their parent when they have no end
    // tag, others hold nothing.
    EXPECT_EQ(MeasurePage(u"<b>a<i>b<div>c<p>d<font>e").nesting, 3);
    EXPECT_EQ(MeasurePage(u"<div><b>a</div><i>b").nesting, 2);
    EXPECT_EQ(MeasurePage(Repeat(u"<ul><li>", 12)).listNesting, 12);
    EXPECT_EQ(MeasurePage(u"<pre>a<pre>b<pre>c</pre>").preNesting, 3);
    EXPECT_EQ(MeasurePage(u"<title>a<html>b</html><title>").unendedCopies, 2);
}

TEST(PageBoundsTest, ChainsOfTagsWithoutAnEndAreBoundedToo) {
    // 5,000 took the viewer 3.1 s, 20,000 crashed it.
    const Text bold = Bounded(Repeat(u"<b>x", 20000));
    EXPECT_EQ(MeasurePage(bold).nesting, kMaxPageNesting);
    EXPECT_EQ(std::count(bold.begin(), bold.end(), u'x'), 20000);
    // Each <pre> without an end doubled the time: 12 took 13 s.
    const Text pre = Bounded(Repeat(u"<pre>x", 12));
    EXPECT_EQ(MeasurePage(pre).preNesting, kMaxPreNesting);
    // 30,000 <html> took 21 s.
    const Text copies = Bounded(Repeat(u"<html>x<title>y", 30000));
    EXPECT_EQ(MeasurePage(copies).unendedCopies, kMaxUnendedCopies);
    // A table whose cells have no end tags nests each cell in the one before.
    const Text cells = Bounded(u"<table>" + Repeat(u"<tr><td>a<td>b", 400) + u"</table>");
    EXPECT_LE(MeasurePage(cells).nesting, kMaxPageNesting);
}

TEST(PageBoundsTest, DeepListsAndElementsLoseTheirDeepestTagsButKeepTheirText) {
    const Text lists = Bounded(Page(Repeat(u"<ul><li>", 30) + u"deep" + Repeat(u"</li></ul>", 30)));
    EXPECT_EQ(MeasurePage(lists).listNesting, kMaxListNesting);
    EXPECT_NE(lists.find(u"deep"), Text::npos);
    EXPECT_EQ(lists.find(u"&lt;"), Text::npos) << "still markup, not plain text";

    const Text unclosedItems =
        Bounded(Page(Repeat(u"<ol><li>", 126) + u"x" + Repeat(u"</ol>", 126)));
    EXPECT_EQ(MeasurePage(unclosedItems).listNesting, kMaxListNesting);

    const Text bold = Bounded(Repeat(u"<b>", 100000) + u"x" + Repeat(u"</b>", 100000));
    EXPECT_EQ(MeasurePage(bold).nesting, kMaxPageNesting);
    EXPECT_NE(bold.find(u"x"), Text::npos);

    Bounded(Repeat(u"<font size=+1>", 10000) + u"x" + Repeat(u"</font>", 10000));
    Bounded(Repeat(u"<table><tr><td>", 300) + u"x" + Repeat(u"</td></tr></table>", 300));
    Bounded(Repeat(u"<div><center><blockquote>", 300) + u"x");
}

TEST(PageBoundsTest, HugeSpansAndGridsAreCut) {
    for (const Text& span : {Text(u"100000"), Text(u"2147483647"), Text(u"99999999999999999999"),
                             Text(u"'0x7fffffff'"), Text(u"\"&#49;&#48;&#48;&#48;&#48;&#48;\"")}) {
        SCOPED_TRACE(ToUtf8(span));
        const Text page = Page(u"<table><tr><td colspan=" + span + u" rowspan=" + span +
                               u">cell</td></tr></table>");
        EXPECT_FALSE(WithinPageBounds(MeasurePage(page)));
        const Text bounded = Bounded(page);
        EXPECT_NE(bounded.find(u">cell</td>"), Text::npos) << ToUtf8(bounded);
        EXPECT_LE(MeasurePage(bounded).largestTable, kMaxTableCells);
    }
    // A wide span alone is cut to the widest a cell may span.
    const Text wide = Bounded(Page(u"<table><tr><td colspan=5000>a</td></tr></table>"));
    EXPECT_NE(wide.find(u"colspan=1000>"), Text::npos) << ToUtf8(wide);

    // Cells past a table's bound join the cell before them.
    const Text grid =
        Bounded(Page(u"<table>" + Repeat(u"<tr>" + Repeat(u"<td>x</td>", 400), 400) + u"</table>"));
    EXPECT_LE(MeasurePage(grid).largestTable, kMaxTableCells);
    // Rows spanned from above push the next cells right: counted as well.
    Bounded(Page(u"<table>" + Repeat(u"<tr><td rowspan=1000>a</td><td rowspan=1000>b</td>", 300) +
                 u"</table>"));
    // Many tables within their own bound, too many together.
    const Text tables =
        Bounded(Page(Repeat(u"<table><tr><td colspan=1000 rowspan=90>t</td></tr></table>", 40)));
    EXPECT_LE(MeasurePage(tables).cells, kMaxPageCells);
}

TEST(PageBoundsTest, CellsOutsideTheTablesSeenStillCount) {
    // The viewer added this cell to the table before it and allocated its
    // span: 2147483647 rows were 64 GB.
    const Text page = Page(
        u"<table btd>a</td d>y<tr><td col\uFFFD\uFFFD=2>x<td>y<r></table>rowtd colsble>x<td>y<tr>"
        u"<td  rowspan=2147483647>x</td></tlspable>");
    EXPECT_GT(MeasurePage(page).widestSpan, kMaxCellSpan);
    const Text bounded = Bounded(page);
    EXPECT_EQ(bounded.find(u"2147483647"), Text::npos) << ToUtf8(bounded);
    // Stray cells together are held to a table's bound.
    Bounded(Page(Repeat(u"<td colspan=1000 rowspan=1000>x", 50)));
}

TEST(PageBoundsTest, AWordOfTooManyTagsGetsASpacePastTheBound) {
    // The viewer breaks lines only at white space: 4,000 pieces of one word
    // took it 2 s, four times as long for twice as many.
    const Text page = Page(Repeat(u"<b>q</b>", 2000));
    EXPECT_GT(MeasurePage(page).tagsInWord, kMaxTagsInWord);
    const Text bounded = Bounded(page);
    EXPECT_EQ(std::count(bounded.begin(), bounded.end(), u'q'), 2000);
    EXPECT_EQ(std::count(bounded.begin(), bounded.end(), u' '), 3);
    // Up to the bound, words apart, or pieces in cells and lines of their
    // own: unchanged.
    EXPECT_FALSE(BoundPage(Page(Repeat(u"<b>y</b>", kMaxTagsInWord - 2))).has_value());
    EXPECT_FALSE(BoundPage(Page(Repeat(u"<b>y</b> ", 5000))).has_value());
    EXPECT_FALSE(BoundPage(Page(u"<table><tr>" + Repeat(u"<td><b>y</b></td>", 2000) + u"</table>"))
                     .has_value());
    EXPECT_FALSE(BoundPage(Page(Repeat(u"<i>y</i><br>", 5000))).has_value());
}

TEST(PageBoundsTest, DeepElementsInsideDeepListsLoseTheirTagsPastTheListWork) {
    // Each list around an element doubles its layout: found by laying pages
    // out, 10 lists around a few hundred nested elements took 20 s.
    const Text page = Page(Repeat(u"<ul><li>", 10) + Repeat(u"<b><font color=#ff0000>q", 250));
    EXPECT_GT(MeasurePage(page).listWork, kMaxListWork);
    const Text bounded = Bounded(page);
    EXPECT_EQ(std::count(bounded.begin(), bounded.end(), u'q'), 250);
    EXPECT_NE(bounded.find(u"<b><font color=#ff0000>q"), Text::npos);  // the outer ones stay
}

TEST(PageBoundsTest, AnElementWhoseContentEndedEarlyTakesTheNextItemAfterIt) {
    // The viewer goes on taking items into an element while the last one it
    // took began before the element's end. A tag without an end tag that
    // held the rest, or end tags and comments alone at the end, leave it so:
    // the next start tag is handled inside the element, lists and all.
    EXPECT_EQ(MeasurePage(u"<ul><li>x<br><!--c--></ul><ul><li>y</ul>").listNesting, 2);
    EXPECT_EQ(MeasurePage(u"<ul><li>x<br></i></ul><ul><li>y</ul>").listNesting, 2);
    EXPECT_EQ(MeasurePage(u"<ul><li>x<b>z</ul><ul><li>y</ul>").listNesting, 2);
    // A last item that reaches the end leaves the next tag where it stands.
    EXPECT_EQ(MeasurePage(u"<ul><li>x<br></ul><ul><li>y</ul>").listNesting, 1);
    EXPECT_EQ(MeasurePage(u"<ul><li>x<br> </ul><ul><li>y</ul>").listNesting, 1);
    EXPECT_EQ(MeasurePage(u"<ul><li>x<br></ul> y <ul><li>z</ul>").listNesting, 1);
    // Lists without an end inside a bold: the next bold, with its lists,
    // goes inside all but the innermost of them.
    const Text chained =
        u"<b>" + Repeat(u"<ul><li>", 6) + u"x</b><b>" + Repeat(u"<ul><li>", 6) + u"y";
    EXPECT_EQ(MeasurePage(chained).listNesting, 11);
    EXPECT_EQ(MeasurePage(u"<b><ul><li>x</b> z <ul><li>y").listNesting, 1);

    // Found by laying pages out: a table header's lists went inside the
    // lists of the header before it, 22 deep where 10 were counted
    // (3 s of processor time, 66 s under the sanitizers).
    std::ifstream seed(std::filesystem::path(TAVIK_TEST_DATA) / ".." / "fuzz" / "corpus" /
                           "html_layout" / "slow-lists-in-table-header",
                       std::ios::binary);
    const std::string found{std::istreambuf_iterator<char>(seed), {}};
    ASSERT_FALSE(found.empty());
    EXPECT_GT(MeasurePage(Page(FromUtf8(found))).listNesting, 20);
    EXPECT_LE(MeasurePage(Bounded(Page(FromUtf8(found)))).listNesting, kMaxListNesting);
    const Text worse = Bounded(Page(u"<table><tr><th>" + Repeat(chained, 4)));
    EXPECT_EQ(std::count(worse.begin(), worse.end(), u'x'), 4);
}

TEST(PageBoundsTest, CellsAndListItemsTheViewerCannotPlaceLoseTheirTags) {
    // The viewer crashed: three block quotes around a cell of the table
    // outside them closed more boxes than there were; so did cells in a
    // <pre> without an end tag (found by laying random pages out).
    for (const Text& page :
         {Page(u"<table><blockquote><blockquote><blockquote><td>y"),
          Page(u"<table><tr><td><blockquote><blockquote><blockquote><blockquote><th>y"),
          Page(u"<ol>" + Repeat(u"<blockquote>", 60) + u"<li>y"),
          Page(u"<table><pre><li><blockquote><blockquote><table><td><small><b></li><script>x"
               u"</script><td>y")}) {
        SCOPED_TRACE(ToUtf8(page));
        EXPECT_FALSE(WithinPageBounds(MeasurePage(page)));
        const Text bounded = Bounded(page);
        EXPECT_NE(bounded.find(u">y</body>"), Text::npos) << ToUtf8(bounded);
        EXPECT_EQ(bounded.find(u"<td>y"), Text::npos);
        EXPECT_EQ(bounded.find(u"<th>y"), Text::npos);
        EXPECT_EQ(bounded.find(u"<li>y"), Text::npos);
    }
    // Quotes inside cells and items, or ended before the next one, are as
    // they were; so are tables and lists inside a quote.
    for (const Text& page :
         {Page(u"<table><tr><td><blockquote>q</blockquote></td><td>y</td></tr></table>"),
          Page(u"<ul><li><blockquote>q</blockquote><li>b</ul>"),
          Page(u"<blockquote><table><tr><td>a<td>b</table><ul><li>c<li>d</ul></blockquote>"),
          Page(u"<table><tr><td><blockquote>q<table><tr><td>x</table></blockquote></table>"),
          Page(u"<table><tr><td><pre>a\nb</pre><td>c</table><pre>x<ul><li>y</ul></pre>")})
        EXPECT_FALSE(BoundPage(page).has_value()) << ToUtf8(page);
}

TEST(PageBoundsTest, CharacterReferencesPastTheLastCodePointAreShownAsWritten) {
    // Found by laying pages out: the viewer made "&#1234512345;" a character
    // its text drawing cannot convert, and the window stopped on an
    // assertion's dialog.
    for (const Text& reference :
         {Text(u"&#1234512345;"), Text(u"&#x110000;"), Text(u"&#X110000"), Text(u"&#x0x110000;"),
          Text(u"&#1114112"), Text(u"&#99999999999999999999999;"), Text(u"&#4296081408;"),
          Text(u"&#1114112#5;")}) {
        SCOPED_TRACE(ToUtf8(reference));
        const Text page = Page(u"a" + reference + u"b");
        EXPECT_EQ(MeasurePage(page).unshowableCharacters, 1);
        EXPECT_EQ(Bounded(page), Page(u"a&amp;" + reference.substr(1) + u"b"));
    }
    // The last code point, surrogates, names, numbers the viewer keeps to
    // 32 bits as 0, and text without markup: as they are.
    for (const Text& page :
         {Page(u"&#x10FFFF;&#1114111;&#xD800;&#55296;&amp;&lt;&#x;&#;&#4294967296;&#x1F600;"),
          Page(u"&amp;#1234512345;"), Text(u"plain &#65;")})
        EXPECT_FALSE(BoundPage(page).has_value()) << ToUtf8(page);
    EXPECT_EQ(BoundPage(u"plain &#x110000;"), Text(u"plain &amp;#x110000;"));
    // Together with other bounds.
    const Text both = Bounded(Page(Repeat(u"<ul><li>", 12) + u"&#x110000;"));
    EXPECT_NE(both.find(u"&amp;#x110000;"), Text::npos);
}

TEST(PageBoundsTest, APageThatCannotBeTrimmedIsShownAsPlainText) {
    // The script's end tag is written apart: the body's tags are no tags to the
    // tag list, but the tree still reads them, each reaching to the page's end.
    const Text page = u"<script>" + Repeat(u"<b>", 600) + u"</scr ipt>";
    EXPECT_GT(MeasurePage(page).nesting, kMaxPageNesting);
    const Text bounded = Bounded(page);
    EXPECT_EQ(bounded.find(u'<'), Text::npos);
    EXPECT_NE(bounded.find(u"&lt;b>"), Text::npos);
}

TEST(PageBoundsTest, ScriptsWithoutAnEndLoseTheirTagsPastTheBound) {
    // The viewer searches the rest of the page for the end of each: 20,000
    // of them took it 9 s.
    const Text page = Repeat(u"<script>x", 200000) + Repeat(u"<STYLE type=t>y", 1000);
    EXPECT_EQ(MeasurePage(page).unendedRawText, 201000);
    const Text bounded = Bounded(page);
    EXPECT_EQ(MeasurePage(bounded).unendedRawText, kMaxUnendedRawText);
    EXPECT_EQ(std::count(bounded.begin(), bounded.end(), u'x'), 200000);
    // Scripts with an end are searched once each and stay.
    EXPECT_FALSE(BoundPage(Repeat(u"<script>a<b></script>", 1000)).has_value());
}

}  // namespace
}  // namespace tavik
