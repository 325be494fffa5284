// JSON string escaping.
#include "cli/json.h"

#include <array>

namespace tavik::cli {

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

inline char* PutEscapedAscii(char* put, char16_t c) {
    static constexpr char kHex[] = "0123456789abcdef";
    if (c >= 0x20 && c != u'"' && c != u'\\') {
        *put++ = char(c);
        return put;
    }
    *put++ = '\\';
    switch (c) {
        case u'"':
            *put++ = '"';
            break;
        case u'\\':
            *put++ = '\\';
            break;
        case u'\n':
            *put++ = 'n';
            break;
        case u'\r':
            *put++ = 'r';
            break;
        case u'\t':
            *put++ = 't';
            break;
        default:
            *put++ = 'u';
            *put++ = '0';
            *put++ = '0';
            *put++ = kHex[c >> 4];
            *put++ = kHex[c & 0xF];
    }
    return put;
}

inline char* PutUtf8(char* put, char32_t cp) {
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
    return put;
}

}  // namespace

void AppendJsonString(std::string& out, TextView text) {
    // Bytes gather on the stack between appends: the output string is never
    // zero-filled ahead of them, nor grown a byte at a time.
    constexpr size_t kLongest = 6;  // an escape "\u00xx"
    std::array<char, 1024> chunk;
    char* const limit = chunk.data() + chunk.size() - kLongest;
    out += '"';
    size_t i = 0;
    while (i < text.size()) {
        char* put = chunk.data();
        for (; i < text.size() && put <= limit; ++i) {
            char32_t cp = text[i];
            if (cp < 0x80) {
                put = PutEscapedAscii(put, char16_t(cp));
                continue;
            }
            // A pair of surrogates is one character; a lone one cannot be
            // written in UTF-8 and stands for a character that was lost.
            if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                text[i + 1] <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
                ++i;
            } else if (cp >= 0xD800 && cp <= 0xDFFF) {
                cp = kReplacementCharacter;
            }
            put = PutUtf8(put, cp);
        }
        out.append(chunk.data(), size_t(put - chunk.data()));
    }
    out += '"';
}

std::string JsonString(TextView text) {
    std::string out;
    out.reserve(text.size() + 2);
    AppendJsonString(out, text);
    return out;
}

}  // namespace tavik::cli
