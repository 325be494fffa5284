// Reference markup of dictd, StarDict and XDXF rewritten as entry links.
#include "tools/link_markup.h"

#include <optional>

#include "dict/entry_link.h"
#include "text/compare.h"
#include "tools/dictionary_builder.h"

namespace tavik {

namespace {

// A "{" this far from its "}" is a brace in the text, not a reference.
constexpr size_t kLongestReference = 200;

Text LinkHtml(TextView word, TextView shownHtml) {
    return u"<a href=\"" + Ascii(EntryLinkTarget(word)) + u"\">" + Text(shownHtml) + u"</a>";
}

// White space runs (line breaks and indentation of wrapped text) as one
// space, none at the ends.
Text CollapseSpaces(TextView text) {
    Text out;
    bool space = false;
    for (char16_t c : text) {
        if (IsWhiteSpace(c)) {
            space = !out.empty();
            continue;
        }
        if (space) out.push_back(u' ');
        space = false;
        out.push_back(c);
    }
    return out;
}

std::optional<char32_t> EntityValue(TextView name) {
    if (name == u"amp") return U'&';
    if (name == u"lt") return U'<';
    if (name == u"gt") return U'>';
    if (name == u"quot") return U'"';
    if (name == u"apos") return U'\'';
    if (name == u"nbsp") return U' ';
    if (name.size() < 2 || name[0] != u'#') return std::nullopt;
    const bool hex = name[1] == u'x' || name[1] == u'X';
    char32_t value = 0;
    const TextView digits = name.substr(hex ? 2 : 1);
    if (digits.empty() || digits.size() > 6) return std::nullopt;
    for (char16_t c : digits) {
        int digit = -1;
        if (c >= u'0' && c <= u'9') digit = c - u'0';
        if (hex && c >= u'a' && c <= u'f') digit = c - u'a' + 10;
        if (hex && c >= u'A' && c <= u'F') digit = c - u'A' + 10;
        if (digit < 0) return std::nullopt;
        value = value * (hex ? 16 : 10) + char32_t(digit);
    }
    if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return std::nullopt;
    return value;
}

// The text of markup: tags dropped, character references decoded; an
// unknown or broken reference stays as written.
Text MarkupText(TextView markup) {
    Text out;
    for (size_t i = 0; i < markup.size(); ++i) {
        const char16_t c = markup[i];
        if (c == u'<') {
            const size_t end = markup.find(u'>', i);
            if (end == TextView::npos) break;
            i = end;
            continue;
        }
        if (c == u'&') {
            const size_t semi = markup.find(u';', i);
            if (semi != TextView::npos && semi - i <= 10) {
                if (const auto value = EntityValue(markup.substr(i + 1, semi - i - 1))) {
                    if (*value > 0xFFFF) {
                        out.push_back(char16_t(0xD800 + ((*value - 0x10000) >> 10)));
                        out.push_back(char16_t(0xDC00 + ((*value - 0x10000) & 0x3FF)));
                    } else {
                        out.push_back(char16_t(*value));
                    }
                    i = semi;
                    continue;
                }
            }
        }
        out.push_back(c);
    }
    return out;
}

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

// Some StarDict dictionaries percent-encode the word of a bword link (as
// UTF-8); a "%" without two hex digits is the word's own.
Text WithoutPercentEncoding(TextView text) {
    if (text.find(u'%') == TextView::npos) return Text(text);
    std::string bytes;
    const std::string utf8 = ToUtf8(text);
    for (size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '%' && i + 2 < utf8.size() && HexDigit(char16_t(utf8[i + 1])) >= 0 &&
            HexDigit(char16_t(utf8[i + 2])) >= 0) {
            bytes += char(HexDigit(char16_t(utf8[i + 1])) * 16 + HexDigit(char16_t(utf8[i + 2])));
            i += 2;
        } else {
            bytes += utf8[i];
        }
    }
    return FromUtf8(bytes);
}

size_t FindWithoutCase(TextView text, TextView part, size_t from) {
    for (size_t i = from; i + part.size() <= text.size(); ++i)
        if (StartsWithOrder(text.substr(i), part)) return i;
    return TextView::npos;
}

}  // namespace

Text DictdTextToHtml(TextView text) {
    Text out;
    out.reserve(text.size());
    size_t plainFrom = 0;
    for (size_t open = text.find(u'{'); open != TextView::npos; open = text.find(u'{', open + 1)) {
        // The innermost pair: "{a {b}}" links only "b".
        const size_t close = text.find_first_of(u"{}", open + 1);
        if (close == TextView::npos || text[close] != u'}' || close - open - 1 > kLongestReference)
            continue;
        const Text word = CollapseSpaces(text.substr(open + 1, close - open - 1));
        if (word.empty()) continue;
        out += EscapeHtml(text.substr(plainFrom, open - plainFrom));
        out += LinkHtml(word, EscapeHtml(word));
        plainFrom = close + 1;
        open = close;
    }
    out += EscapeHtml(text.substr(plainFrom));
    return out;
}

Text BwordLinksToEntryLinks(TextView html) {
    static constexpr TextView kHref = u"href";
    static constexpr TextView kBword = u"bword://";
    Text out;
    size_t copiedTo = 0;
    for (size_t at = FindWithoutCase(html, kHref, 0); at != TextView::npos;
         at = FindWithoutCase(html, kHref, at + kHref.size())) {
        size_t i = at + kHref.size();
        while (i < html.size() && IsWhiteSpace(html[i])) ++i;
        if (i >= html.size() || html[i] != u'=') continue;
        ++i;
        while (i < html.size() && IsWhiteSpace(html[i])) ++i;
        if (i >= html.size()) break;
        const char16_t quote = html[i] == u'"' || html[i] == u'\'' ? html[i] : 0;
        const size_t valueStart = quote ? i + 1 : i;
        size_t valueEnd = valueStart;
        if (quote) {
            valueEnd = html.find(quote, valueStart);
            if (valueEnd == TextView::npos) break;
        } else {
            while (valueEnd < html.size() && !IsWhiteSpace(html[valueEnd]) &&
                   html[valueEnd] != u'>')
                ++valueEnd;
        }
        const TextView value = html.substr(valueStart, valueEnd - valueStart);
        if (!StartsWithOrder(value, kBword)) continue;
        const Text word =
            CollapseSpaces(WithoutPercentEncoding(MarkupText(value.substr(kBword.size()))));
        if (word.empty()) continue;
        out += html.substr(copiedTo, at - copiedTo);
        out += u"href=\"" + Ascii(EntryLinkTarget(word)) + u"\"";
        copiedTo = quote ? valueEnd + 1 : valueEnd;
        at = copiedTo - kHref.size();
    }
    out += html.substr(copiedTo);
    return out;
}

Text KrefLinksToEntryLinks(TextView xdxf) {
    static constexpr TextView kOpen = u"<kref";
    static constexpr TextView kClose = u"</kref>";
    Text out;
    size_t copiedTo = 0;
    for (size_t open = xdxf.find(kOpen); open != TextView::npos;
         open = xdxf.find(kOpen, open + 1)) {
        const size_t tagEnd = xdxf.find(u'>', open);
        if (tagEnd == TextView::npos) break;
        const char16_t after = xdxf[open + kOpen.size()];
        if (after != u'>' && !IsWhiteSpace(after)) continue;  // another tag, such as <krefx>
        const size_t close = xdxf.find(kClose, tagEnd);
        if (close == TextView::npos) break;
        const TextView tag = xdxf.substr(open, tagEnd - open);
        const TextView inner = xdxf.substr(tagEnd + 1, close - tagEnd - 1);
        // <kref k="target">shown text</kref> links the target.
        Text word;
        for (const TextView attribute : {TextView(u" k=\""), TextView(u" k='")}) {
            const size_t k = tag.find(attribute);
            if (k == TextView::npos) continue;
            const size_t end = tag.find(attribute.back(), k + attribute.size());
            if (end != TextView::npos)
                word = MarkupText(tag.substr(k + attribute.size(), end - k - attribute.size()));
        }
        if (word.empty()) word = MarkupText(inner);
        word = CollapseSpaces(word);
        if (word.empty()) continue;
        out += xdxf.substr(copiedTo, open - copiedTo);
        out += LinkHtml(word, inner);
        copiedTo = close + kClose.size();
        open = copiedTo - 1;
    }
    out += xdxf.substr(copiedTo);
    return out;
}

}  // namespace tavik
