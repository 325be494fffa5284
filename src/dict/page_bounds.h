// Bounds on what the HTML viewer builds of a page. Dictionary text reaches
// the viewer as markup, and the viewer's layout costs time exponential in
// nested lists, stack in nested elements and memory in the rows times the
// columns of a table grid. A page is measured the way the viewer reads it
// (its tag matching, its element tree, its table grids) and only a page
// beyond a bound is changed.
#pragma once

#include <cstdint>
#include <optional>

#include "text/text.h"

namespace tavik {

// Elements inside elements: a tag with an end tag holds what lies between
// them; many kinds of tag without one (<b>, <font>, <td>, <ul>, <pre>...)
// hold the rest of the element they stand in.
inline constexpr int kMaxPageNesting = 512;
// Lists inside lists (<ul>, <ol>): each level doubles the layout time.
inline constexpr int kMaxListNesting = 10;
// <pre> inside <pre>: the viewer parses a <pre>'s text once more for each,
// and the rest of the page twice for each one without an end tag.
inline constexpr int kMaxPreNesting = 2;
// <title> and <html> without an end tag: each copies the rest of the page.
inline constexpr int kMaxUnendedCopies = 16;
// A cell's colspan or rowspan.
inline constexpr int kMaxCellSpan = 1000;
// Grid positions (rows times columns) of one table, and of all tables of a page.
inline constexpr int64_t kMaxTableCells = 100'000;
inline constexpr int64_t kMaxPageCells = 200'000;
// <script> and <style> tags whose body has no end: the viewer searches the
// rest of the page for the end of each.
inline constexpr int kMaxUnendedRawText = 16;
// Tags standing in one word (no white space between them, as in
// "<b>a</b><i>b</i>..."): the viewer may break a line only at white space,
// and lays out such a word in time quadratic in its pieces. Past the bound a
// space goes before the tag.
inline constexpr int kMaxTagsInWord = 512;
// Elements inside lists, each weighing 2 to the power of the lists around
// it: the viewer lays out what a list holds once more for every list around
// it, so deep elements inside deep lists multiply.
inline constexpr int64_t kMaxListWork = int64_t(1) << 16;

// What the viewer would build of a page.
struct PageShape {
    int nesting = 0;
    int listNesting = 0;
    int preNesting = 0;
    int unendedCopies = 0;
    int widestSpan = 1;
    int64_t largestTable = 0;  // grid positions of the largest table
    int64_t cells = 0;         // grid positions of all tables together
    int unendedRawText = 0;
    int tagsInWord = 0;  // the most tags in one word
    int64_t listWork = 0;
    // Cells and list items the viewer cannot place safely (inside a block
    // quote of their own table or list, or in a <pre> without an end tag):
    // none may stay.
    int itemsOutOfPlace = 0;
    // Character references past U+10FFFF (see character_references.h).
    int unshowableCharacters = 0;
};

PageShape MeasurePage(TextView page);
bool WithinPageBounds(const PageShape& shape);

// The page as the viewer may be given it: deeper elements lose their tags
// (their text stays), spans are cut to kMaxCellSpan, cells past a table's
// bound join the cell before them, and script or style tags past
// kMaxUnendedRawText lose their tags, and so do cells and list items with a
// block quote between them and their table or list or in a <pre> without an
// end tag; a character reference past U+10FFFF is shown as it is written
// ("&" becomes "&amp;"). Nothing when the page is within every bound already,
// which is every ordinary page. A page that cannot be brought within the bounds that
// way is shown as plain text.
std::optional<Text> BoundPage(TextView page);

}  // namespace tavik
