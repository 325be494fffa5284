// A small HTML-to-text conversion for dictionary content.
#include "dict/plain_text.h"

#include <array>
#include <utility>

#include "text/compare.h"

namespace tavik {

namespace {

bool EndsLine(TextView tagName) {
    static constexpr std::array<std::u16string_view, 8> kBlockTags = {
        u"br", u"p", u"/p", u"div", u"/div", u"center", u"/center", u"li"};
    for (auto tag : kBlockTags)
        if (EqualOrder(tagName, tag)) return true;
    return false;
}

TextView TagName(TextView tag) {
    size_t end = 0;
    while (end < tag.size() && tag[end] != u' ' && tag[end] != u'>' && tag[end] != u'/' &&
           tag[end] != u'\t' && tag[end] != u'\n')
        ++end;
    if (end == 0 && !tag.empty() && tag[0] == u'/') {
        end = 1;
        while (end < tag.size() && tag[end] != u' ' && tag[end] != u'>') ++end;
    }
    return tag.substr(0, end);
}

// Decodes the entity starting at text[i] ('&'); returns the character and
// the length consumed, or length 0 when it is not one we know.
std::pair<char16_t, size_t> Entity(TextView text, size_t i) {
    static constexpr std::array<std::pair<std::u16string_view, char16_t>, 6> kEntities = {{
        {u"&nbsp;", u' '},
        {u"&amp;", u'&'},
        {u"&lt;", u'<'},
        {u"&gt;", u'>'},
        {u"&quot;", u'"'},
        {u"&apos;", u'\''},
    }};
    for (auto [name, ch] : kEntities)
        if (text.substr(i, name.size()) == name) return {ch, name.size()};
    return {u'&', 0};
}

void TrimTrailingSpaces(Text& text) {
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\r')) text.pop_back();
}

}  // namespace

Text HtmlToPlainText(TextView html) {
    Text out;
    int pendingBreaks = 0;
    auto breakLine = [&] { ++pendingBreaks; };
    auto put = [&](char16_t c) {
        if (pendingBreaks > 0) {
            TrimTrailingSpaces(out);
            if (!out.empty()) out.append(pendingBreaks > 1 ? u"\n\n" : u"\n");
            pendingBreaks = 0;
        }
        out.push_back(c);
    };
    for (size_t i = 0; i < html.size(); ++i) {
        const char16_t c = html[i];
        if (c == u'<') {
            const size_t close = html.find(u'>', i);
            if (close == TextView::npos) {
                put(c);
                continue;
            }
            if (EndsLine(TagName(html.substr(i + 1, close - i - 1)))) breakLine();
            i = close;
        } else if (c == u'&') {
            auto [ch, length] = Entity(html, i);
            put(ch);
            if (length) i += length - 1;
        } else if (c == u'\r' || c == u'\n') {
            put(u' ');
        } else {
            put(c);
        }
    }
    TrimTrailingSpaces(out);
    return Trim(out);
}

Text EntryPlainText(TextView headword, TextView content) {
    Text plain = HtmlToPlainText(headword);
    const Text body = HtmlToPlainText(content);
    if (!body.empty()) plain += u"\n" + body;
    return plain;
}

}  // namespace tavik
