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

#include "text/lower_case_table.inc"

}  // namespace

char16_t LowerChar(char16_t c) {
    const unsigned row = kLowerCaseBlock[c >> kLowerCaseBlockBits];
    const unsigned column = c & ((1u << kLowerCaseBlockBits) - 1);
    return char16_t(c + kLowerCaseDelta[(row << kLowerCaseBlockBits) | column]);
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
        if (text[i] < 0x80) {
            *put++ = char(text[i]);
            continue;
        }
        put = PutUtf8Multibyte(put, CodePointAt(text, i));
    }
    out.resize(size_t(put - out.data()));
    return out;
}

}  // namespace tavik
