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

// ASCII literal to Text, for the fixed fragments of pages and messages.
inline Text Ascii(std::string_view ascii) { return Text(ascii.begin(), ascii.end()); }

}  // namespace tavik
