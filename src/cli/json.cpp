// JSON string escaping.
#include "cli/json.h"

#include <algorithm>
#include <array>

namespace tavik::cli {

namespace {

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
        while (i < text.size() && put <= limit) {
            // Most of a page is plain ASCII: a run of it is copied with one
            // test a character, as far as the chunk holds it.
            const size_t run = std::min(text.size(), i + size_t(limit - put) + 1);
            for (char16_t c;
                 i < run && (c = text[i]) >= 0x20 && c < 0x80 && c != u'"' && c != u'\\'; ++i)
                *put++ = char(c);
            if (i == run) continue;
            if (text[i] < 0x80) {
                put = PutEscapedAscii(put, text[i]);
            } else {
                put = PutUtf8Multibyte(put, CodePointAt(text, i));
            }
            ++i;
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

void AppendJsonStringArray(std::string& out, const std::vector<Text>& texts) {
    out += '[';
    for (size_t i = 0; i < texts.size(); ++i) {
        if (i) out += ',';
        AppendJsonString(out, texts[i]);
    }
    out += ']';
}

std::string JsonStringArray(const std::vector<Text>& texts) {
    std::string json;
    AppendJsonStringArray(json, texts);
    return json;
}

}  // namespace tavik::cli
