// One line of a dictionary file: a headword, a "/" and the content.
#pragma once

#include <string_view>

namespace tavik {

// Longest line read at once, line feed included; longer lines arrive in
// pieces and each piece is handled as a line of its own.
inline constexpr size_t kDictionaryLineLimit = 1022;

struct DictionaryLine {
    std::string_view headword;
    std::string_view content;
};

// Leading "/" characters are skipped; the headword runs to the next "/", the
// content from after it to the line feed (a carriage return stays in the
// content). A line without a further "/" is all headword, line feed included.
DictionaryLine SplitDictionaryLine(std::string_view line);

}  // namespace tavik
