// JSON string escaping.
#include "cli/json.h"

#include <array>

namespace tavik::cli {

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

// Bytes gathered on the stack between appends: the output string is never
// zero-filled ahead of the bytes, nor grown one byte at a time.
class ChunkedAppender {
public:
    explicit ChunkedAppender(std::string& out) : m_out(out) {}
    ~ChunkedAppender() { Flush(); }
    ChunkedAppender(const ChunkedAppender&) = delete;
    ChunkedAppender& operator=(const ChunkedAppender&) = delete;

    // Room for the longest thing written at once (an escape of six bytes).
    char* Reserve() {
        if (m_used + kLongest > m_chunk.size()) Flush();
        return m_chunk.data() + m_used;
    }
    void Advance(char* to) { m_used = size_t(to - m_chunk.data()); }

private:
    static constexpr size_t kLongest = 6;
    void Flush() {
        m_out.append(m_chunk.data(), m_used);
        m_used = 0;
    }

    std::string& m_out;
    std::array<char, 1024> m_chunk;
    size_t m_used = 0;
};

char* PutEscapedAscii(char* put, char16_t c) {
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

char* PutUtf8(char* put, char32_t cp) {
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
    out += '"';
    {
        ChunkedAppender append(out);
        for (size_t i = 0; i < text.size(); ++i) {
            char* put = append.Reserve();
            char32_t cp = text[i];
            if (cp < 0x80) {
                append.Advance(PutEscapedAscii(put, char16_t(cp)));
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
            append.Advance(PutUtf8(put, cp));
        }
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
