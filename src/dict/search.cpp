// Lookup, back-off and gathering.
#include "dict/search.h"

namespace tavik {

LookupResult LookUpAndShow(const Text& word, const Dictionary& dictionary,
                           const std::filesystem::path& home, EntryScreen& screen) {
    const LookupResult result = LookupWord(dictionary.path, dictionary.codePage, word);
    if (!result.strHeadword.empty()) {
        LookupResult window = result;
        window.nOffset = result.nOffset >= kGatherBackOff ? result.nOffset - kGatherBackOff : 0;
        GatherEntries(window, dictionary.path, dictionary.codePage, home, screen);
    }
    return result;
}

}  // namespace tavik
