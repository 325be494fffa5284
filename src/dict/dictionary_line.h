// One line of a dictionary file: a headword, a "/" and the content.
#pragma once

#include <string_view>

#include "text/codepage.h"
#include "text/file.h"

namespace tavik {

// Longest line kept, line feed included: a longer line's text is cut at a
// character boundary and the rest of it skipped.
inline constexpr size_t kDictionaryLineLimit = size_t(1) << 20;
// Longest line that earlier readers take whole (they split longer ones into
// pieces); the binary search's probes read little more than this.
inline constexpr size_t kShortLineLimit = 1022;

struct DictionaryLine {
    std::string_view headword;
    std::string_view content;
};

// Leading "/" characters are skipped; the headword runs to the next "/", the
// content from after it to the line feed (a carriage return stays in the
// content). A line without a further "/" is all headword, line feed included.
DictionaryLine SplitDictionaryLine(std::string_view line);
// The headword of SplitDictionaryLine alone: the content is not looked
// through for its line feed.
std::string_view DictionaryHeadword(std::string_view line);

// A reader of dictionary lines: each line whole up to kDictionaryLineLimit,
// without a UTF-8 byte-order mark at the start of the file.
LineReader DictionaryLineReader(const FileHandle& file, size_t readSize);

// The next line of `reader`; a line cut at the limit ends at a character
// boundary of `codePage`.
bool ReadDictionaryLine(LineReader& reader, const CodePage& codePage, std::string_view& line);

}  // namespace tavik
