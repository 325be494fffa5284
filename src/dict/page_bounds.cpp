// Measuring and bounding a page the way the HTML viewer (wxHtml) reads it.
//
// The viewer first lists every tag and pairs each end tag with the nearest
// unpaired start tag of the same name before it; it then builds the element
// tree from the start, where an element reaches to its end tag but never past
// its parent's end, and a tag missing from that list reaches to its parent's
// end. It then hands the tags to their handlers in that order, and an
// element's content is handled in a loop that may take one item from past
// the element's end (see PageWalk::Run). The walk below follows the same
// steps, so the depth it sees is the depth of the viewer's recursion and the
// table grids it counts are the ones the viewer allocates.
#include "dict/page_bounds.h"

#include <algorithm>
#include <climits>
#include <cwctype>
#include <string>
#include <unordered_map>
#include <vector>

#include "dict/character_references.h"

namespace tavik {

namespace {

using Chars = std::u32string;

// Code points, as the viewer's strings hold them; a lone surrogate stays a
// code unit of its own.
Chars ToChars(TextView text) {
    Chars chars;
    chars.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            chars.push_back(0x10000 + ((char32_t(c) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else {
            chars.push_back(c);
        }
    }
    return chars;
}

Text FromChars(const Chars& chars) {
    Text text;
    text.reserve(chars.size());
    for (const char32_t c : chars) {
        if (c >= 0x10000) {
            text.push_back(char16_t(0xD800 + ((c - 0x10000) >> 10)));
            text.push_back(char16_t(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            text.push_back(char16_t(c));
        }
    }
    return text;
}

// The tag list compares names upper-cased and stops a name at white space
// with the C library's classes, the element tree only at ASCII white space.
char32_t Upper(char32_t c) { return char32_t(std::towupper(wint_t(c))); }
bool ListSpace(char32_t c) { return std::iswspace(wint_t(c)) != 0; }
bool TreeSpace(char32_t c) { return c == ' ' || c == '\r' || c == '\n' || c == '\t'; }
char32_t AsciiUpper(char32_t c) { return c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c; }

// A comment "<!--" ... "--" [white space] ">" at `at`: moves `at` to its last
// character (to the opening's second dash when it never ends); false when no
// comment starts there.
bool SkipComment(const Chars& s, size_t& at) {
    if (s.size() - at < 4 || s[at + 1] != '!' || s[at + 2] != '-' || s[at + 3] != '-') return false;
    size_t p = at + 3;
    at = p;
    int dashes = 0;
    while (++p < s.size()) {
        const char32_t c = s[p];
        if (TreeSpace(c) && dashes >= 2) continue;
        if (c == '>' && dashes >= 2) {
            at = p;
            break;
        }
        dashes = c == '-' ? dashes + 1 : 0;
    }
    return true;
}

constexpr size_t kNone = SIZE_MAX;

// Tags whose handlers in the viewer parse what follows them as their content
// even without an end tag: such a tag holds the rest of its parent.
bool HoldsTheRestWhenUnended(const Chars& name) {
    static const char32_t* const kNames[] = {
        U"ADDRESS", U"B",  U"BIG",  U"BLOCKQUOTE", U"CITE", U"CODE",   U"DEL",    U"DL",  U"EM",
        U"FONT",    U"H1", U"H2",   U"H3",         U"H4",   U"H5",     U"H6",     U"I",   U"KBD",
        U"MAP",     U"OL", U"SAMP", U"SMALL",      U"SPAN", U"STRIKE", U"STRONG", U"SUB", U"SUP",
        U"TABLE",   U"TD", U"TH",   U"TT",         U"U",    U"UL",     U"PRE"};
    for (const char32_t* known : kNames)
        if (name == known) return true;
    return false;
}

// One entry of the tag list: where the tag starts and, for a start tag
// paired with an end tag, where that end tag starts and ends.
struct ListedTag {
    size_t start;
    size_t end1 = kNone;
    size_t end2 = kNone;
};

// Finds the end of a <script> or <style> body as the tag list does: from each
// "</" it matches the name letter by letter, skipping ASCII white space and
// starting over at any other letter, and gives up at "<" or ">". The chain of
// tries from one "</" to the next is the same whatever the start, so each
// result is worked out once.
class RawTextEnds {
public:
    RawTextEnds(const Chars& s, Chars name) : m_s(s), m_name(std::move(name)) {}

    // Where the list goes on after a body that starts at `from` (the start
    // tag's ">"); kNone when the body has no end.
    size_t After(size_t from) {
        if (!m_prepared) Prepare();
        const size_t first = FirstTry(from);
        return first == kNone ? kNone : m_result[first];
    }

private:
    void Prepare() {
        m_prepared = true;
        const size_t n = m_s.size();
        for (size_t i = 0; i + 1 < n; ++i)
            if (m_s[i] == '<' && m_s[i + 1] == '/') m_tries.push_back(i);
        m_result.assign(m_tries.size(), kNone);
        for (size_t t = m_tries.size(); t-- > 0;) {
            size_t pos = m_tries[t] + 1;
            size_t matched = 0;
            while (pos < n && matched < m_name.size()) {
                const char32_t c = m_s[pos];
                if (c == '>' || c == '<') break;
                if (Upper(c) == m_name[matched])
                    ++matched;
                else if (!TreeSpace(c))
                    matched = 0;
                ++pos;
            }
            if (matched == m_name.size()) {
                m_result[t] = pos - m_name.size() - 3;
            } else {
                const size_t next = FirstTry(pos + 1);
                m_result[t] = next == kNone ? kNone : m_result[next];
            }
        }
    }
    // The index of the first "</" at or after `from`.
    size_t FirstTry(size_t from) const {
        auto found = std::lower_bound(m_tries.begin(), m_tries.end(), from);
        return found == m_tries.end() ? kNone : size_t(found - m_tries.begin());
    }

    const Chars& m_s;
    Chars m_name;
    bool m_prepared = false;
    std::vector<size_t> m_tries;   // where each "</" starts
    std::vector<size_t> m_result;  // where the list goes on after a try there
};

struct TagList {
    std::vector<ListedTag> tags;
    // Script and style start tags whose body has no end: from "<" to ">".
    std::vector<std::pair<size_t, size_t>> unendedRawText;
};

TagList ListTags(const Chars& s) {
    TagList list;
    std::vector<ListedTag>& tags = list.tags;
    std::unordered_map<Chars, std::vector<size_t>> unpaired;
    RawTextEnds scriptEnds(s, U"SCRIPT");
    RawTextEnds styleEnds(s, U"STYLE");
    const size_t n = s.size();
    for (size_t pos = 0; pos < n; ++pos) {
        if (s[pos] != '<') continue;
        if (SkipComment(s, pos)) continue;
        const size_t start = pos++;
        Chars name;
        while (pos < n && name.size() < 255 && s[pos] != '>' && !ListSpace(s[pos]))
            name.push_back(Upper(s[pos++]));
        while (pos < n && s[pos] != '>') ++pos;
        if (pos == n) break;  // no ">" after it: neither this nor anything later is a tag
        tags.push_back(ListedTag{start});
        if (start + 1 < n && s[start + 1] == '/') {
            auto found = unpaired.find(name.substr(1));
            if (found != unpaired.end() && !found->second.empty()) {
                ListedTag& opening = tags[found->second.back()];
                found->second.pop_back();
                opening.end1 = start;
                opening.end2 = pos + 1;
            }
        } else {
            unpaired[name].push_back(tags.size() - 1);
            RawTextEnds* raw = name == U"SCRIPT"  ? &scriptEnds
                               : name == U"STYLE" ? &styleEnds
                                                  : nullptr;
            if (raw) {
                const size_t after = raw->After(pos);
                if (after != kNone)
                    pos = after;
                else
                    list.unendedRawText.emplace_back(start, pos + 1);
            }
        }
    }
    return list;
}

// A start tag as the element tree reads it.
struct TreeTag {
    Chars name;      // upper-cased ASCII letters
    size_t begin;    // where its content (or the text after it) starts
    size_t closing;  // the ">" the tag list saw, or kNone
    struct Value {
        size_t from, to;
    };
    std::optional<Value> colspan;
    std::optional<Value> rowspan;
};

TreeTag ReadTreeTag(const Chars& s, size_t at, size_t end) {
    TreeTag tag;
    size_t i = at + 1;
    char32_t c = 0;
    while (i < end) {
        c = s[i++];
        if (TreeSpace(c) || c == '>' || c == '/') break;
        tag.name.push_back(AsciiUpper(c));
    }
    if (i > at + 1 && s[i - 1] != '>') {
        enum { kBeforeName, kName, kBeforeEq, kBeforeValue, kValue } state = kBeforeName;
        Chars name;
        char32_t quote = 0;
        size_t valueFrom = 0;
        auto keep = [&](size_t valueTo) {
            Chars upper;
            for (char32_t n : name) upper.push_back(AsciiUpper(n));
            std::optional<TreeTag::Value>* slot = upper == U"COLSPAN"   ? &tag.colspan
                                                  : upper == U"ROWSPAN" ? &tag.rowspan
                                                                        : nullptr;
            if (slot && !*slot) *slot = TreeTag::Value{valueFrom, valueTo};
        };
        while (i < end) {
            c = s[i++];
            if (c == '>' && !(state == kValue && quote != 0)) {
                if (state == kValue) keep(i - 1);
                break;
            }
            switch (state) {
                case kBeforeName:
                    if (!TreeSpace(c)) name = Chars(1, c), state = kName;
                    break;
                case kName:
                    if (TreeSpace(c))
                        state = kBeforeEq;
                    else if (c == '=')
                        state = kBeforeValue;
                    else
                        name.push_back(c);
                    break;
                case kBeforeEq:
                    if (c == '=')
                        state = kBeforeValue;
                    else if (!TreeSpace(c))
                        name = Chars(1, c), state = kName;
                    break;
                case kBeforeValue:
                    if (!TreeSpace(c)) {
                        quote = c == '"' || c == '\'' ? c : 0;
                        valueFrom = quote ? i : i - 1;
                        state = kValue;
                    }
                    break;
                case kValue:
                    if ((quote != 0 && c == quote) || (quote == 0 && TreeSpace(c))) {
                        keep(i - 1);
                        state = kBeforeName;
                    }
                    break;
            }
        }
    }
    tag.begin = i;
    return tag;
}

const ListedTag* FindListed(const std::vector<ListedTag>& tags, size_t start) {
    auto found = std::lower_bound(tags.begin(), tags.end(), start,
                                  [](const ListedTag& t, size_t at) { return t.start < at; });
    return found != tags.end() && found->start == start ? &*found : nullptr;
}

// A "<" as the element tree reads it: the end of the element it stands in
// (a tag's content and its attributes never reach past it), whether it
// starts a tag there, and, for the end tag of an element, where the tree
// goes on after it.
struct TreeMark {
    size_t at;
    size_t end;
    bool start;
    size_t endTagTo = kNone;
};

// The element tree is built before any tag is handled, and its ends are the
// ones every tag keeps, wherever the handling takes it.
std::vector<TreeMark> MarkTree(const Chars& s, const std::vector<ListedTag>& tags) {
    struct Range {
        size_t end, resume;
    };
    std::vector<TreeMark> marks;
    std::vector<Range> ranges{Range{s.size(), s.size()}};
    size_t i = 0;
    while (true) {
        const Range range = ranges.back();
        if (i >= range.end) {
            if (ranges.size() == 1) break;
            if (range.resume > range.end)
                marks.push_back(TreeMark{range.end, range.end, false, range.resume});
            i = range.resume;
            ranges.pop_back();
            continue;
        }
        if (s[i] != '<') {
            ++i;
            continue;
        }
        size_t at = i;
        if (SkipComment(s, at)) {
            i = at + 1;
            continue;
        }
        const bool start = i + 1 < range.end && s[i + 1] != '/';
        marks.push_back(TreeMark{i, range.end, start});
        if (!start) {
            while (i < range.end && s[i] != '>') ++i;
            if (i < range.end) ++i;
            continue;
        }
        const TreeTag tag = ReadTreeTag(s, i, range.end);
        const ListedTag* listed = FindListed(tags, i);
        i = tag.begin;
        if (listed && listed->end1 == kNone) continue;  // holds nothing in the tree
        const size_t end1 = listed ? std::min(listed->end1, range.end) : range.end;
        const size_t end2 = listed ? std::min(listed->end2, range.end) : range.end;
        // Script and style bodies are text.
        if (tag.name == U"SCRIPT" || tag.name == U"STYLE")
            i = std::max(i, end2);
        else
            ranges.push_back(Range{end1, end2});
    }
    // A tag whose attributes reach past its own end tag sends the tree back
    // over what they covered.
    std::stable_sort(marks.begin(), marks.end(),
                     [](const TreeMark& a, const TreeMark& b) { return a.at < b.at; });
    return marks;
}

// What the viewer can make of a span value, at most: the decimal number it
// starts with (an octal reading is smaller); a hexadecimal or an entity may
// stand for anything and counts as too wide.
int64_t SpanOf(const Chars& s, const TreeTag::Value& value) {
    size_t i = value.from;
    while (i < value.to && ListSpace(s[i])) ++i;
    bool negative = false;
    if (i < value.to && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    if (std::find(s.begin() + i, s.begin() + value.to, U'&') != s.begin() + value.to)
        return int64_t(kMaxCellSpan) + 1;
    if (i + 1 < value.to && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X'))
        return int64_t(kMaxCellSpan) + 1;
    int64_t number = 0;
    for (; i < value.to && s[i] >= '0' && s[i] <= '9'; ++i)
        number = std::min<int64_t>(number * 10 + (s[i] - '0'), INT_MAX);
    return negative || number < 1 ? 1 : number;
}

struct Edit {
    size_t from, to;
    Chars with;
};

// The grid a table allocates, from above: a cell starts at most after every
// cell of its row and every cell spanning down from the rows above.
struct TableGrid {
    int64_t row = -1;
    int64_t rows = 0;
    int64_t cols = 0;
    int64_t rowCols = 0;
    int64_t spanCols = 0;
};

class PageWalk {
public:
    PageWalk(const Chars& s, bool bound) : m_s(s), m_bound(bound) {
        TagList list = ListTags(s);
        m_tags = std::move(list.tags);
        m_marks = MarkTree(s, m_tags);
        m_shape.unendedRawText = int(std::min<size_t>(list.unendedRawText.size(), INT_MAX));
        if (m_bound)
            for (size_t i = kMaxUnendedRawText; i < list.unendedRawText.size(); ++i)
                m_edits.push_back(
                    Edit{list.unendedRawText[i].first, list.unendedRawText[i].second, {}});
    }

    void Run();
    const PageShape& Shape() const { return m_shape; }
    const std::vector<Edit>& Edits() const { return m_edits; }
    bool GaveUp() const { return m_gaveUp; }

private:
    struct Frame {
        size_t end;
        size_t resume;
        int lists;
        int pres;
        int table;    // index into m_tables, -1 outside tables
        size_t last;  // where the viewer's loop over this element's content stands
        // Block quotes inside the innermost table and the innermost list.
        int quotesInTable = 0;
        int quotesInList = 0;
        bool inUnendedPre = false;
    };

    const ListedTag* Listed(size_t start) const { return FindListed(m_tags, start); }
    const TreeMark* MarkAt(size_t at) const {
        auto found = std::lower_bound(m_marks.begin(), m_marks.end(), at,
                                      [](const TreeMark& m, size_t a) { return m.at < a; });
        return found != m_marks.end() && found->at == at ? &*found : nullptr;
    }
    // Drops a start tag and its end tag; false when the tag is not one the
    // list and the tree agree on.
    bool Drop(size_t at, const TreeTag& tag, const ListedTag* listed) {
        if (!m_bound || !listed) return false;
        size_t close = at;
        while (close < m_s.size() && m_s[close] != '>') ++close;
        if (close + 1 != tag.begin) return false;
        m_edits.push_back(Edit{at, tag.begin, {}});
        if (listed->end1 != kNone) m_edits.push_back(Edit{listed->end1, listed->end2, {}});
        return true;
    }
    // A tag at `at`, counted in the word it stands in.
    void CountInWord(size_t at) {
        const Chars name = NameAt(at);
        // Scripts and styles are never shown: no piece of a word.
        if (name == U"SCRIPT" || name == U"STYLE") return;
        if (StartsALine(name)) {
            m_wordTags = 0;
            return;
        }
        if (++m_wordTags > kMaxTagsInWord && m_bound) {
            m_edits.push_back(Edit{at, at, U" "});
            m_wordTags = 1;
        }
        m_shape.tagsInWord = std::max(m_shape.tagsInWord, m_wordTags);
    }
    // The name of the start or end tag at `at`, upper-cased, enough of it to
    // tell the names below apart.
    Chars NameAt(size_t at) const {
        size_t i = at + 1;
        if (i < m_s.size() && m_s[i] == '/') ++i;
        Chars name;
        while (i < m_s.size() && name.size() < 11 &&
               ((m_s[i] >= 'a' && m_s[i] <= 'z') || (m_s[i] >= 'A' && m_s[i] <= 'Z') ||
                (m_s[i] >= '1' && m_s[i] <= '6')))
            name.push_back(AsciiUpper(m_s[i++]));
        return name;
    }
    // Tags that begin a line or a box of their own: a word ends there.
    static bool StartsALine(const Chars& name) {
        static const char32_t* const kNames[] = {
            U"BR",    U"P",  U"DIV", U"TABLE", U"TR", U"TD", U"TH",         U"LI",
            U"UL",    U"OL", U"DL",  U"DT",    U"DD", U"HR", U"BLOCKQUOTE", U"CENTER",
            U"TITLE", U"H1", U"H2",  U"H3",    U"H4", U"H5", U"H6",         U"PRE"};
        for (const char32_t* known : kNames)
            if (name == known) return true;
        return false;
    }
    // A table tag: true when it stays.
    bool Cell(size_t at, TreeTag& tag, const ListedTag* listed, TableGrid& grid);
    bool Fits(const TableGrid& grid, int64_t rows, int64_t cols) const {
        const int64_t cells = rows * cols;
        return cells <= kMaxTableCells && m_cells - grid.rows * grid.cols + cells <= kMaxPageCells;
    }

    const Chars& m_s;
    bool m_bound;
    std::vector<ListedTag> m_tags;
    std::vector<TreeMark> m_marks;
    std::vector<TableGrid> m_tables;
    TableGrid m_strayCells;
    int64_t m_cells = 0;
    int m_unendedCopies = 0;
    int m_wordTags = 0;
    PageShape m_shape;
    std::vector<Edit> m_edits;
    bool m_gaveUp = false;
};

bool PageWalk::Cell(size_t at, TreeTag& tag, const ListedTag* listed, TableGrid& grid) {
    if (tag.name == U"TR") {
        const int64_t rows = std::max(grid.rows, grid.row + 2);
        if (!Fits(grid, rows, grid.cols)) {
            if (Drop(at, tag, listed)) return false;
            m_gaveUp = m_bound;
        }
        m_cells += rows * grid.cols - grid.rows * grid.cols;
        grid.rows = rows;
        ++grid.row;
        grid.rowCols = 0;
        return true;
    }
    int64_t colspan = tag.colspan ? SpanOf(m_s, *tag.colspan) : 1;
    int64_t rowspan = tag.rowspan ? SpanOf(m_s, *tag.rowspan) : 1;
    auto rewrite = [&](const std::optional<TreeTag::Value>& value, int64_t& span, int64_t to) {
        if (!m_bound || !value || span <= to) return;
        const std::string digits = std::to_string(to);
        Edit edit{value->from, value->to, Chars(digits.begin(), digits.end())};
        // A value cut once already is cut again in place.
        auto earlier = std::find_if(m_edits.rbegin(), m_edits.rend(),
                                    [&](const Edit& e) { return e.from == value->from; });
        if (earlier != m_edits.rend() && earlier - m_edits.rbegin() < 2)
            *earlier = std::move(edit);
        else
            m_edits.push_back(std::move(edit));
        span = to;
    };
    rewrite(tag.colspan, colspan, kMaxCellSpan);
    rewrite(tag.rowspan, rowspan, kMaxCellSpan);
    const int64_t row = std::max<int64_t>(grid.row, 0);
    auto grown = [&](int64_t& rows, int64_t& cols) {
        rows = std::max({grid.rows, row + 1, row + rowspan});
        cols = std::max(grid.cols, grid.rowCols + grid.spanCols + colspan);
    };
    int64_t rows = 0, cols = 0;
    grown(rows, cols);
    if (!Fits(grid, rows, cols)) {
        rewrite(tag.colspan, colspan, 1);
        rewrite(tag.rowspan, rowspan, 1);
        grown(rows, cols);
        if (!Fits(grid, rows, cols)) {
            if (Drop(at, tag, listed)) return false;
            m_gaveUp = m_bound;
        }
    }
    m_shape.widestSpan = int(std::max<int64_t>({m_shape.widestSpan, colspan, rowspan}));
    m_cells += rows * cols - grid.rows * grid.cols;
    grid.row = row;
    grid.rows = rows;
    grid.cols = cols;
    grid.rowCols += colspan;
    if (rowspan > 1) grid.spanCols += colspan;
    m_shape.largestTable = std::max(m_shape.largestTable, rows * cols);
    return true;
}

void PageWalk::Run() {
    const size_t n = m_s.size();
    std::vector<Frame> frames{Frame{n, n, 0, 0, -1, 0}};
    size_t i = 0;
    while (!frames.empty()) {
        Frame& frame = frames.back();
        // The viewer goes on taking items (a start tag or a run of text)
        // into an element while the last one it took began before the
        // element's end, and takes the next one wherever it stands. When a
        // tag without an end tag held the rest of the element, or only end
        // tags and comments follow the last item, the element takes one
        // more item from past its end: a start tag there is handled inside
        // it, with all it holds.
        const bool pastTheEnd = i >= frame.end;
        if (pastTheEnd && !(frame.last < frame.end && i < n)) {
            i = i > frame.end ? std::max(i, frame.resume) : frame.resume;
            frames.pop_back();
            continue;
        }
        if (m_s[i] != '<') {
            // A run of text is one item.
            do {
                if (TreeSpace(m_s[i])) m_wordTags = 0;
                ++i;
            } while (pastTheEnd && i < n && m_s[i] != '<');
            frame.last = i;
            continue;
        }
        size_t at = i;
        if (SkipComment(m_s, at)) {
            i = at + 1;
            continue;
        }
        // Past the end of the element, the tree's own ends hold.
        const TreeMark* mark = MarkAt(at);
        if (pastTheEnd && mark && mark->endTagTo != kNone) {
            i = std::max(mark->endTagTo, at + 1);
            continue;
        }
        const size_t end = mark ? mark->end : frame.end;
        if (frame.pres == 0) CountInWord(at);
        if (!(mark ? mark->start : i + 1 < end && m_s[i + 1] != '/')) {
            while (i < end && m_s[i] != '>') ++i;
            if (i < end) ++i;
            i = std::max(i, at + 1);
            continue;
        }
        TreeTag tag = ReadTreeTag(m_s, at, end);
        const ListedTag* listed = Listed(at);
        // A tag the list does not hold reaches to its parent's end.
        size_t end1 = end, end2 = end;
        bool hasEnd = true;
        if (listed) {
            hasEnd = listed->end1 != kNone;
            if (hasEnd) end1 = std::min(listed->end1, end), end2 = std::min(listed->end2, end);
        }
        frame.last = hasEnd ? end2 : tag.begin;
        const int table = frame.table;
        const bool holds = hasEnd || HoldsTheRestWhenUnended(tag.name);
        if (!hasEnd && (tag.name == U"TITLE" || tag.name == U"HTML")) {
            if (++m_unendedCopies > kMaxUnendedCopies) {
                if (Drop(at, tag, listed)) {
                    --m_unendedCopies;
                    frame.last = i = tag.begin;
                    continue;
                }
                m_gaveUp = m_bound;
            }
            m_shape.unendedCopies = m_unendedCopies;
        }
        const bool isList = tag.name == U"UL" || tag.name == U"OL";
        const int lists = frame.lists + (holds && isList ? 1 : 0);
        const int pres = frame.pres + (holds && tag.name == U"PRE" ? 1 : 0);
        const int depth = int(frames.size());  // the root frame is not an element
        const int64_t work = holds && lists > 0 ? int64_t(1) << std::min(lists, 40) : 0;
        if (holds && (depth > kMaxPageNesting || lists > kMaxListNesting || pres > kMaxPreNesting ||
                      m_shape.listWork + work > kMaxListWork)) {
            if (Drop(at, tag, listed)) {
                frame.last = i = tag.begin;
                continue;
            }
            m_gaveUp = m_bound;
        }
        // A cell or a list item puts the viewer's current box back into its
        // table or list; a block quote around it then closes boxes above its
        // own, and three or four of them close more boxes than there are (a
        // segmentation fault). A <pre> without an end tag has what follows it
        // parsed twice, in its box and after it, and cells in it crashed the
        // viewer as well.
        const bool cell = table >= 0 && (tag.name == U"TD" || tag.name == U"TH");
        const bool item = frame.lists > 0 && tag.name == U"LI";
        if ((cell && (frame.quotesInTable > 0 || frame.inUnendedPre)) ||
            (item && (frame.quotesInList > 0 || frame.inUnendedPre))) {
            if (Drop(at, tag, listed)) {
                frame.last = i = tag.begin;
                continue;
            }
            ++m_shape.itemsOutOfPlace;
            m_gaveUp = m_bound;
        }
        if (tag.name == U"TR" || tag.name == U"TD" || tag.name == U"TH") {
            // Cells outside every table this walk sees still count, as one
            // grid of their own: the viewer may yet add them to a table.
            TableGrid& grid = table >= 0 ? m_tables[size_t(table)] : m_strayCells;
            if (!Cell(at, tag, listed, grid)) {
                frame.last = i = tag.begin;
                continue;
            }
        }
        if (!holds) {
            i = tag.begin;
            continue;
        }
        m_shape.listWork += work;
        m_shape.nesting = std::max(m_shape.nesting, depth);
        m_shape.listNesting = std::max(m_shape.listNesting, lists);
        m_shape.preNesting = std::max(m_shape.preNesting, pres);
        int inner = table;
        if (tag.name == U"TABLE") {
            inner = int(m_tables.size());
            m_tables.emplace_back();
        }
        const bool rawText = tag.name == U"SCRIPT" || tag.name == U"STYLE";
        const int quote = tag.name == U"BLOCKQUOTE" ? 1 : 0;
        frames.push_back(Frame{end1, end2, lists, pres, inner, tag.begin,
                               tag.name == U"TABLE" ? 0 : frame.quotesInTable + quote,
                               isList ? 0 : frame.quotesInList + quote,
                               frame.inUnendedPre || (!hasEnd && tag.name == U"PRE")});
        i = rawText ? end1 : tag.begin;
    }
    m_shape.cells = m_cells;
}

Chars Apply(const Chars& s, std::vector<Edit> edits) {
    // A space put before a tag goes in ahead of the tag's own removal.
    std::sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) {
        return a.from != b.from ? a.from < b.from : a.to < b.to;
    });
    Chars out;
    out.reserve(s.size());
    size_t at = 0;
    for (const Edit& edit : edits) {
        if (edit.from < at) continue;  // overlapping edits: the walk is checked again below
        out.append(s, at, edit.from - at);
        out += edit.with;
        at = edit.to;
    }
    out.append(s, at, Chars::npos);
    return out;
}

// The last resort: no markup at all.
Text AsPlainText(TextView page) { return ReplaceAll(page, u"<", u"&lt;"); }

}  // namespace

PageShape MeasurePage(TextView page) {
    const Chars s = ToChars(page);
    PageWalk walk(s, false);
    walk.Run();
    PageShape shape = walk.Shape();
    shape.unshowableCharacters = int(UnshowableCharacterReferences(page).size());
    return shape;
}

bool WithinPageBounds(const PageShape& shape) {
    return shape.nesting <= kMaxPageNesting && shape.listNesting <= kMaxListNesting &&
           shape.preNesting <= kMaxPreNesting && shape.unendedCopies <= kMaxUnendedCopies &&
           shape.widestSpan <= kMaxCellSpan && shape.largestTable <= kMaxTableCells &&
           shape.cells <= kMaxPageCells && shape.unendedRawText <= kMaxUnendedRawText &&
           shape.tagsInWord <= kMaxTagsInWord && shape.listWork <= kMaxListWork &&
           shape.itemsOutOfPlace == 0 && shape.unshowableCharacters == 0;
}

std::optional<Text> BoundPage(TextView original) {
    // References the viewer cannot show are shown as they are written.
    const std::vector<size_t> references = UnshowableCharacterReferences(original);
    Text escaped;
    if (!references.empty()) {
        size_t from = 0;
        for (const size_t at : references) {
            escaped.append(original.substr(from, at - from));
            escaped += u"&amp;";
            from = at + 1;
        }
        escaped.append(original.substr(from));
    }
    const TextView page = references.empty() ? original : TextView(escaped);
    const std::optional<Text> unchanged =
        references.empty() ? std::nullopt : std::optional<Text>(escaped);
    // Pages without markup are most of what a plain dictionary shows.
    if (page.find(u'<') == TextView::npos) return unchanged;
    const Chars s = ToChars(page);
    PageWalk walk(s, true);
    walk.Run();
    if (walk.Edits().empty() && !walk.GaveUp()) return unchanged;
    if (!walk.GaveUp()) {
        Text bounded = FromChars(Apply(s, walk.Edits()));
        if (WithinPageBounds(MeasurePage(bounded))) return bounded;
    }
    return AsPlainText(page);
}

}  // namespace tavik
