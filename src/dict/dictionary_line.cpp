// Splitting dictionary lines into headword and content.
#include "dict/dictionary_line.h"

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

}  // namespace tavik
