// Splitting and reading dictionary lines.
#include "dict/dictionary_line.h"

#include "text/character_cut.h"

namespace tavik {

DictionaryLine SplitDictionaryLine(std::string_view line) {
    const size_t start = line.find_first_not_of('/');
    if (start == std::string_view::npos) return {};
    line.remove_prefix(start);
    const size_t slash = line.find('/');
    if (slash == std::string_view::npos) return {line, {}};
    std::string_view content = line.substr(slash + 1);
    const size_t feed = content.find('\n');
    if (feed != std::string_view::npos) content = content.substr(0, feed);
    return {line.substr(0, slash), content};
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
