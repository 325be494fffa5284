// Splitting and reading dictionary lines.
#include "dict/dictionary_line.h"

#include "text/character_cut.h"

namespace tavik {

std::string_view DictionaryHeadword(std::string_view line) {
    const size_t start = line.find_first_not_of('/');
    if (start == std::string_view::npos) return {};
    line.remove_prefix(start);
    return line.substr(0, line.find('/'));
}

DictionaryLine SplitDictionaryLine(std::string_view line) {
    // A headword is empty only when the line has nothing but slashes.
    const std::string_view headword = DictionaryHeadword(line);
    if (headword.empty()) return {};
    const size_t slash = size_t(headword.data() - line.data()) + headword.size();
    if (slash == line.size()) return {headword, {}};
    std::string_view content = line.substr(slash + 1);
    const size_t feed = content.find('\n');
    if (feed != std::string_view::npos) content = content.substr(0, feed);
    return {headword, content};
}

LineReader DictionaryLineReader(const FileHandle& file, size_t readSize) {
    return LineReader(file, kDictionaryLineLimit, readSize, LongLines::kWhole);
}

bool ReadDictionaryLine(LineReader& reader, const CodePage& codePage, std::string_view& line) {
    if (!reader.ReadLine(line)) return false;
    if (reader.LineCut()) line = line.substr(0, CompleteCharactersLength(line, codePage));
    return true;
}

}  // namespace tavik
