// The entry page: fixed fragments around the headword and the content.
#include "dict/entry_page.h"

#include <algorithm>
#include <array>
#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "config/profile.h"
#include "config/skin_layout.h"
#include "dict/plain_text.h"
#include "text/codepage.h"

namespace tavik {

namespace {

// A colour of section "Content". The skin file is decoded as CP949, the
// dictionaries' default; colour notations are ASCII and come through as
// they stand.
Text ColourText(const char* value) { return CodePage::Default().Decode(value); }

// Whether the page's viewer would read `c` as something other than itself:
// the end of the single-quoted attribute, the start of an entity or a tag, a
// percent escape, or the start of a URL's query or fragment.
bool NeedsEscape(char16_t c) {
    switch (c) {
        case u'%':
        case u'\'':
        case u'"':
        case u'&':
        case u'<':
        case u'>':
        case u'#':
        case u'?':
        case 0x7F:
            return true;
        default:
            return c < 0x20;
    }
}

// Every character escaped is ASCII: one byte, one escape.
void AppendEscaped(Text& out, char16_t c) {
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    out += u'%';
    out += kHex[(c >> 4) & 0x0F];
    out += kHex[c & 0x0F];
}

// The path as a URL path that the viewer decodes back to exactly the path.
// Only what would be misread is escaped, so an ordinary path stands as it
// is. Segments "." and ".." are escaped too, or the viewer would resolve
// them, and so is the second slash of a leading "//", which would start a
// host name.
Text AsUrlPath(TextView path) {
    Text out;
    out.reserve(path.size());
    for (size_t start = 0;;) {
        const size_t end = std::min(path.find(u'/', start), path.size());
        const TextView segment = path.substr(start, end - start);
        const bool dots = segment == u"." || segment == u"..";
        for (const char16_t c : segment) {
            if (dots || NeedsEscape(c))
                AppendEscaped(out, c);
            else
                out += c;
        }
        if (end == path.size()) return out;
        if (end == 1 && path[0] == u'/')
            AppendEscaped(out, u'/');
        else
            out += u'/';
        start = end + 1;
    }
}

Text CloseBracket(const PageColours& colours) {
    return u"]</font><font color=" + colours.text + u">";
}

// As if each "[" were replaced first and then each "]", those of the colour
// inserted included: the two replacements are then made in one pass.
Text OpenBracket(const PageColours& colours) {
    return ReplaceAll(u"</font><font color=" + colours.speak + u">[", u"]", CloseBracket(colours));
}

// Where the next "[" or "]" from `from` stands; the end when none does. A
// page's content has few of them: the rest is passed over eight units at a
// time where the processor can.
size_t NextBracket(TextView text, size_t from) {
#if defined(__SSE2__)
    const __m128i open = _mm_set1_epi16(u'[');
    const __m128i close = _mm_set1_epi16(u']');
    for (; from + 8 <= text.size(); from += 8) {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + from));
        const unsigned found = unsigned(_mm_movemask_epi8(
            _mm_or_si128(_mm_cmpeq_epi16(units, open), _mm_cmpeq_epi16(units, close))));
        // Two bits a unit.
        if (found != 0) return from + size_t(std::countr_zero(found)) / 2;
    }
#endif
    for (; from < text.size(); ++from) {
        if (text[from] == u'[' || text[from] == u']') return from;
    }
    return text.size();
}

Text ColouredWith(TextView content, TextView openBracket, TextView closeBracket) {
    Text out;
    out.reserve(content.size() + content.size() / 8);
    size_t pos = 0;
    for (size_t i; (i = NextBracket(content, pos)) < content.size(); pos = i + 1) {
        out.append(content, pos, i - pos);
        out.append(content[i] == u'[' ? openBracket : closeBracket);
    }
    out.append(content, pos);
    return out;
}

}  // namespace

PageColours ReadPageColours(const std::filesystem::path& home) {
    // Every page reads them: the file is opened once for all three.
    std::array<std::array<char, kProfileLineBuffer>, 3> buffers{};
    const std::array<ProfileRead, 3> reads{{
        {"Word", "#0000ff", buffers[0].data(), kProfileLineBuffer},
        {"Speak", "#ff0000", buffers[1].data(), kProfileLineBuffer},
        {"Text", "#000000", buffers[2].data(), kProfileLineBuffer},
    }};
    ProfileReadStrings("Content", reads, SkinFilePath(home));
    PageColours colours;
    colours.word = ColourText(buffers[0].data());
    colours.speak = ColourText(buffers[1].data());
    colours.text = ColourText(buffers[2].data());
    return colours;
}

Text PageBackgroundPath(const std::filesystem::path& home) {
    return AsUrlPath(FromUtf8((home / "Skin" / "BGHtml.gif").string()));
}

Text PageBodyStart(const std::filesystem::path& home) {
    return u"<html><body background='" + PageBackgroundPath(home) +
           u"' style='background-attachment : fixed;background-position : right bottom;"
           u"background-repeat : no-repeat;background-color :#ffffff;'>";
}

Text ColouredContent(const Text& content, const PageColours& colours) {
    return ColouredWith(content, OpenBracket(colours), CloseBracket(colours));
}

EntryPageStyle ReadEntryPageStyle(const std::filesystem::path& home) {
    EntryPageStyle style;
    style.colours = ReadPageColours(home);
    style.head = PageBodyStart(home) + u"<font face=\"tahoma\" size=\"8\" color=" +
                 style.colours.word + u"><b>";
    style.openBracket = OpenBracket(style.colours);
    style.closeBracket = CloseBracket(style.colours);
    return style;
}

void ShowEntryPage(const std::filesystem::path& home, const Text& headword, const Text& content,
                   PageSink& sink) {
    ShowEntryPage(ReadEntryPageStyle(home), headword, content, sink);
}

void ShowEntryPage(const EntryPageStyle& style, const Text& headword, const Text& content,
                   PageSink& sink) {
    // Made once: a batch shows thousands of pages.
    static const Text headEnd = u"</b></font>&nbsp;&nbsp;<font color=";
    static const Text textStart = u">";
    static const Text pageEnd = u"</font></body></html>";

    sink.Clear();
    sink.AddText(style.head);
    sink.AddText(headword);
    sink.AddText(headEnd);
    sink.AddText(style.colours.text);
    sink.AddText(textStart);
    sink.AddText(ColouredWith(content, style.openBracket, style.closeBracket));
    sink.AddText(pageEnd);
    sink.EndOfSource();
    if ((!headword.empty() || !content.empty()) && sink.WantsCopyText())
        sink.SetCopyText(EntryPlainText(headword, content));
}

}  // namespace tavik
