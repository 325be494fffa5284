// Lookup, back-off and gathering.
#include "dict/search.h"

#include "text/file.h"

namespace tavik {

SearchOutcome SearchDictionary(const Text& word, const Dictionary& dictionary,
                               const std::filesystem::path& home, EntryScreen& screen) {
    SearchOutcome outcome;
    outcome.result.strWord = word;
    if (!OpenRegularFileForReading(dictionary.path, &outcome.openError)) {
        if (outcome.openError.empty()) outcome.openError = "cannot be opened";
        return outcome;
    }
    outcome.result = LookupWord(dictionary.path, dictionary.codePage, word);
    if (!outcome.result.strHeadword.empty()) {
        LookupResult window = outcome.result;
        window.nOffset = GatherOffset(window.nOffset);
        outcome.shown = GatherEntries(window, dictionary.path, dictionary.codePage, home, screen);
    }
    return outcome;
}

LookupResult LookUpAndShow(const Text& word, const Dictionary& dictionary,
                           const std::filesystem::path& home, EntryScreen& screen) {
    return SearchDictionary(word, dictionary, home, screen).result;
}

}  // namespace tavik
