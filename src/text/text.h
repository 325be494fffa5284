// The Text string: UTF-16 text as the dictionary, the word lists and the
// pages use it, with the few operations every part of Tavik shares.
#pragma once

#include <string>
#include <string_view>

namespace tavik {

using Text = std::u16string;
using TextView = std::u16string_view;

// White space as the search box, the word lists and the dictionary tools trim
// it: the C0 spaces, NEL, NBSP and the Unicode space separators.
bool IsWhiteSpace(char16_t c);

// Removes white space from the start, then from the end.
Text Trim(TextView text);

// Lower-cases one code unit by Unicode's simple lower-case mapping, for every
// script of the Basic Multilingual Plane; a surrogate is left alone.
// Independent of the process locale. One table look-up: the search calls it
// for every character it compares.
char16_t LowerChar(char16_t c);
Text ToLower(TextView text);

// Replaces every occurrence of `from`, left to right, without re-scanning the
// inserted text.
Text ReplaceAll(TextView text, TextView from, TextView to);

// UTF-8 <-> Text for command-line arguments, JSON and the GUI toolkit.
// Invalid UTF-8 becomes U+FFFD; a lone surrogate is written as U+FFFD.
Text FromUtf8(std::string_view utf8);
std::string ToUtf8(TextView text);

// The character at `text[i]` (i < size): a surrogate pair taken whole, `i`
// left on its second half; a lone surrogate, which UTF-8 cannot hold, as
// U+FFFD.
inline char32_t CodePointAt(TextView text, size_t& i) {
    const char32_t cp = text[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
        ++i;
        return 0x10000 + ((cp - 0xD800) << 10) + (text[i] - 0xDC00);
    }
    return cp >= 0xD800 && cp <= 0xDFFF ? 0xFFFD : cp;
}

// Writes `cp` (U+0080 or above) as UTF-8 at `put`; returns the end.
inline char* PutUtf8Multibyte(char* put, char32_t cp) {
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

// ASCII literal to Text, for the fixed fragments of pages and messages.
inline Text Ascii(std::string_view ascii) { return Text(ascii.begin(), ascii.end()); }

}  // namespace tavik
