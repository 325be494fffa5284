// JSON string escaping.
#include "cli/json.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tavik::cli {

namespace {

// A unit that stands in a JSON string as the one byte it is.
inline bool IsPlainAscii(char16_t c) { return c >= 0x20 && c < 0x80 && c != u'"' && c != u'\\'; }

inline char* PutEscapedAscii(char* put, char16_t c) {
    static constexpr char kHex[] = "0123456789abcdef";
    if (IsPlainAscii(c)) {
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

// Most of a page is plain ASCII: it is tested and copied a block of units at
// a time, sixteen or, for headwords and the rest of a text, eight. Bytes past
// a block's plain start may be written too: the unit-by-unit path that takes
// over from there writes over them.
#if defined(__SSE2__)
// How many of the block's units are plain ASCII before the first that is not.
// Packed to bytes with saturation, a unit beyond ASCII becomes 0x00 or 0xFF,
// which the test of the bytes finds like any other.
template <size_t kUnits>
size_t CopyPlainAscii(const char16_t* units, char* put) {
    static_assert(kUnits == 8 || kUnits == 16);
    const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units));
    const __m128i high =
        kUnits == 16 ? _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + 8)) : low;
    const __m128i bytes = _mm_packus_epi16(low, high);
    if constexpr (kUnits == 16)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(put), bytes);
    else
        _mm_storel_epi64(reinterpret_cast<__m128i*>(put), bytes);
    // Signed, every byte from 0x80 up counts as below 0x20.
    const __m128i escaped = _mm_or_si128(_mm_cmplt_epi8(bytes, _mm_set1_epi8(0x20)),
                                         _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('"')),
                                                      _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\\'))));
    const unsigned found = unsigned(_mm_movemask_epi8(escaped)) & ((1u << kUnits) - 1);
    // The usual answer without waiting on the count: the next block's test
    // can start at once.
    if (found == 0) return kUnits;
    return size_t(std::countr_zero(found));
}
#else
template <size_t kUnits>
size_t CopyPlainAscii(const char16_t* units, char* put) {
    for (size_t k = 0; k < kUnits; ++k) {
        if (!IsPlainAscii(units[k])) return k;
        put[k] = char(units[k]);
    }
    return kUnits;
}
#endif

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
            // Runs of plain ASCII are copied as they are, as far as the chunk
            // holds them.
            const size_t run = std::min(text.size(), i + size_t(limit - put) + 1);
            size_t plain = 16;
            while (plain == 16 && i + 16 <= run) {
                plain = CopyPlainAscii<16>(text.data() + i, put);
                i += plain;
                put += plain;
            }
            if (plain == 16 && i + 8 <= run) {
                plain = CopyPlainAscii<8>(text.data() + i, put);
                i += plain;
                put += plain;
            }
            for (; i < run && IsPlainAscii(text[i]); ++i) *put++ = char(text[i]);
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
