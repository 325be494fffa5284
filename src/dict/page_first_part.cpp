// Finding a safe place to cut a page: a scan of its tags, quoted attribute
// values skipped as the viewer skips them.
#include "dict/page_first_part.h"

#include <algorithm>
#include <array>

namespace tavik {

namespace {

char16_t AsciiLower(char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; }

bool IsNameChar(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

// The elements inside which no cut is made: each either lays out by all it
// holds or is text the viewer reads as it stands.
enum class Held { Table, List, Pre, RawText, Count };

std::optional<Held> HeldBy(TextView name) {
    static constexpr std::array<std::pair<std::u16string_view, Held>, 9> kHolding{{
        {u"table", Held::Table},
        {u"ul", Held::List},
        {u"ol", Held::List},
        {u"dl", Held::List},
        {u"pre", Held::Pre},
        {u"script", Held::RawText},
        {u"style", Held::RawText},
        {u"title", Held::RawText},
        {u"textarea", Held::RawText},
    }};
    for (const auto& [held, kind] : kHolding)
        if (held == name) return kind;
    return std::nullopt;
}

bool StartsBlock(TextView name) {
    static constexpr std::array<std::u16string_view, 9> kBlocks{u"p",  u"hr", u"div", u"h1", u"h2",
                                                                u"h3", u"h4", u"h5",  u"h6"};
    return std::find(kBlocks.begin(), kBlocks.end(), name) != kBlocks.end();
}

// A tag read from `<` on: its lower-cased name, whether it ends an element,
// whether it is a plain line break, and where it ends (just past `>`);
// nothing when it has no end.
struct Tag {
    Text name;
    bool closing = false;
    bool lineBreak = false;
    size_t end = 0;
};

std::optional<Tag> ReadTag(TextView page, size_t at) {
    Tag tag;
    size_t i = at + 1;
    if (i < page.size() && page[i] == u'/') tag.closing = true, ++i;
    while (i < page.size() && IsNameChar(page[i])) tag.name += AsciiLower(page[i++]);
    const size_t nameEnd = i;
    char16_t quote = 0;
    for (; i < page.size(); ++i) {
        const char16_t c = page[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u'>') {
            tag.end = i + 1;
            // Only a bare <br>, <br/> or <br />: attributes might change
            // what the line holds.
            TextView rest = page.substr(nameEnd, i - nameEnd);
            while (!rest.empty() && (rest.front() == u' ' || rest.front() == u'/'))
                rest.remove_prefix(1);
            tag.lineBreak = !tag.closing && tag.name == u"br" && rest.empty();
            return tag;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<size_t> PageFirstPartEnd(TextView page, size_t least) {
    std::array<int, size_t(Held::Count)> open{};
    const auto inside = [&open] {
        for (const int depth : open)
            if (depth > 0) return true;
        return false;
    };
    for (size_t i = page.find(u'<'); i != TextView::npos; i = page.find(u'<', i)) {
        if (page.substr(i).starts_with(u"<!--")) {
            const size_t end = page.find(u"-->", i + 4);
            if (end == TextView::npos) return std::nullopt;
            i = end + 3;
            continue;
        }
        if (open[size_t(Held::RawText)] > 0) {
            // Script and style text holds no tags: only its end counts.
            const std::optional<Tag> tag = ReadTag(page, i);
            if (tag && tag->closing && HeldBy(tag->name) == Held::RawText)
                open[size_t(Held::RawText)] = 0;
            ++i;
            continue;
        }
        const size_t nameAt = i + 1 < page.size() && page[i + 1] == u'/' ? i + 2 : i + 1;
        if (nameAt >= page.size() || !IsNameChar(page[nameAt])) {
            // A "<" that starts no tag is text to the viewer.
            ++i;
            continue;
        }
        const std::optional<Tag> tag = ReadTag(page, i);
        if (!tag) return std::nullopt;
        // Before a new block the line above it is whole.
        if (!tag->closing && i > 0 && i >= least && !inside() && StartsBlock(tag->name)) return i;
        if (const auto held = HeldBy(tag->name)) {
            int& depth = open[size_t(*held)];
            depth = tag->closing ? std::max(0, depth - 1) : depth + 1;
        }
        i = tag->end;
        if (tag->lineBreak && i >= least && !inside())
            return i < page.size() ? std::optional<size_t>(i) : std::nullopt;
    }
    return std::nullopt;
}

}  // namespace tavik
