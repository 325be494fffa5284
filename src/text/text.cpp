// Trimming, lower-casing and UTF-8 conversion of Text strings.
#include "text/text.h"

namespace tavik {

bool IsWhiteSpace(char16_t c) {
    switch (c) {
        case 0x09:
        case 0x0A:
        case 0x0B:
        case 0x0C:
        case 0x0D:
        case 0x20:
        case 0x85:
        case 0xA0:
        case 0x1680:
        case 0x2028:
        case 0x2029:
        case 0x202F:
        case 0x205F:
        case 0x3000:
            return true;
        default:
            return c >= 0x2000 && c <= 0x200A;
    }
}

Text Trim(TextView text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsWhiteSpace(text[begin])) ++begin;
    while (end > begin && IsWhiteSpace(text[end - 1])) --end;
    return Text(text.substr(begin, end - begin));
}

namespace {

// Blocks where capitals sit on even code points and their small letters
// right after them.
bool InEvenOddBlock(char16_t c) {
    return (c >= 0x0100 && c <= 0x012F) || (c >= 0x0132 && c <= 0x0137) ||
           (c >= 0x014A && c <= 0x0177) || (c >= 0x01DE && c <= 0x01EF) ||
           (c >= 0x01F8 && c <= 0x021F) || (c >= 0x0222 && c <= 0x0233) ||
           (c >= 0x0246 && c <= 0x024F) || (c >= 0x03D8 && c <= 0x03EF) ||
           (c >= 0x0460 && c <= 0x0481) || (c >= 0x048A && c <= 0x04BF) ||
           (c >= 0x04D0 && c <= 0x052F) || (c >= 0x1E00 && c <= 0x1E95) ||
           (c >= 0x1EA0 && c <= 0x1EFF);
}

// Blocks where capitals sit on odd code points.
bool InOddEvenBlock(char16_t c) {
    return (c >= 0x0139 && c <= 0x0148) || (c >= 0x0179 && c <= 0x017E) ||
           (c >= 0x01CD && c <= 0x01DC) || (c >= 0x04C1 && c <= 0x04CE);
}

}  // namespace

char16_t LowerChar(char16_t c) {
    if (c < 0x80) return (c >= 'A' && c <= 'Z') ? char16_t(c + 0x20) : c;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return char16_t(c + 0x20);
    if (c < 0x100) return c;
    if (InEvenOddBlock(c)) return char16_t(c | 1);
    if (InOddEvenBlock(c)) return (c & 1) ? char16_t(c + 1) : c;
    if (c == 0x0130) return u'i';
    if (c == 0x0178) return 0xFF;
    if (c >= 0x0391 && c <= 0x03AB && c != 0x03A2) return char16_t(c + 0x20);
    if (c == 0x0386) return 0x03AC;
    if (c >= 0x0388 && c <= 0x038A) return char16_t(c + 0x25);
    if (c == 0x038C) return 0x03CC;
    if (c == 0x038E || c == 0x038F) return char16_t(c + 0x3F);
    if (c >= 0x0410 && c <= 0x042F) return char16_t(c + 0x20);
    if (c >= 0x0400 && c <= 0x040F) return char16_t(c + 0x50);
    if (c == 0x04C0) return 0x04CF;
    if (c >= 0x0531 && c <= 0x0556) return char16_t(c + 0x30);
    if (c >= 0x1F08 && c <= 0x1F6F && (c & 0x0F) >= 8) {
        // Greek Extended capitals with breathings: the small letter is 8 below.
        return char16_t(c - 8);
    }
    if (c >= 0xFF21 && c <= 0xFF3A) return char16_t(c + 0x20);
    return c;
}

Text ToLower(TextView text) {
    Text lower(text);
    for (char16_t& c : lower) c = LowerChar(c);
    return lower;
}

Text ReplaceAll(TextView text, TextView from, TextView to) {
    if (from.empty()) return Text(text);
    Text out;
    out.reserve(text.size());
    size_t pos = 0;
    for (size_t hit; (hit = text.find(from, pos)) != TextView::npos; pos = hit + from.size()) {
        out.append(text.substr(pos, hit - pos));
        out.append(to);
    }
    out.append(text.substr(pos));
    return out;
}

namespace {

constexpr char16_t kReplacement = 0xFFFD;

}  // namespace

Text FromUtf8(std::string_view utf8) {
    Text out(utf8.size(), u'\0');  // never more code units than bytes
    char16_t* put = out.data();
    size_t i = 0;
    const size_t n = utf8.size();
    while (i < n) {
        const unsigned char lead = utf8[i];
        if (lead < 0x80) {
            *put++ = lead;
            ++i;
            continue;
        }
        int extra = 0;
        char32_t cp = 0;
        char32_t min = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1, cp = lead & 0x1F, min = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            extra = 2, cp = lead & 0x0F, min = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3, cp = lead & 0x07, min = 0x10000;
        } else {
            *put++ = kReplacement;
            ++i;
            continue;
        }
        int taken = 0;
        while (taken < extra && i + 1 + taken < n &&
               (static_cast<unsigned char>(utf8[i + 1 + taken]) & 0xC0) == 0x80) {
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + 1 + taken]) & 0x3F);
            ++taken;
        }
        if (taken < extra || cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            *put++ = kReplacement;
            i += 1 + taken;
            continue;
        }
        if (cp < 0x10000) {
            *put++ = char16_t(cp);
        } else {
            cp -= 0x10000;
            *put++ = char16_t(0xD800 + (cp >> 10));
            *put++ = char16_t(0xDC00 + (cp & 0x3FF));
        }
        i += 1 + extra;
    }
    out.resize(size_t(put - out.data()));
    return out;
}

std::string ToUtf8(TextView text) {
    std::string out(text.size() * 3, '\0');  // a code unit takes at most three bytes
    char* put = out.data();
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp < 0x80) {
            *put++ = char(cp);
            continue;
        }
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = kReplacement;
        }
        if (cp < 0x800) {
            *put++ = char(0xC0 | (cp >> 6));
            *put++ = char(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            *put++ = char(0xE0 | (cp >> 12));
            *put++ = char(0x80 | ((cp >> 6) & 0x3F));
            *put++ = char(0x80 | (cp & 0x3F));
        } else {
            *put++ = char(0xF0 | (cp >> 18));
            *put++ = char(0x80 | ((cp >> 12) & 0x3F));
            *put++ = char(0x80 | ((cp >> 6) & 0x3F));
            *put++ = char(0x80 | (cp & 0x3F));
        }
    }
    out.resize(size_t(put - out.data()));
    return out;
}

}  // namespace tavik
