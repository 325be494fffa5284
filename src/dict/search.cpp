// Lookup, back-off and gathering.
#include "dict/search.h"

#include "text/file.h"

namespace tavik {

SearchOutcome SearchDictionary(const Text& word, const Dictionary& dictionary,
                               const std::filesystem::path& home, EntryScreen& screen) {
    SearchOutcome outcome;
    outcome.result.strWord = word;
    // Opened once: the lookup and the gathering read the same file.
    const auto file = OpenRegularFileForReading(dictionary.path, &outcome.openError);
    if (!file) {
        if (outcome.openError.empty()) outcome.openError = "cannot be opened";
        return outcome;
    }
    return SearchOpenDictionary(word, *file, dictionary.codePage, home, screen);
}

SearchOutcome SearchOpenDictionary(const Text& word, const FileHandle& file,
                                   const CodePage& codePage, const std::filesystem::path& home,
                                   EntryScreen& screen, ProbeCache* cache) {
    SearchOutcome outcome;
    int probes = 0;
    outcome.result = LookupWord(file, codePage, word, probes, cache);
    outcome.shown = GatherAfterLookup(outcome.result, file, codePage, home, screen, cache);
    return outcome;
}

GatheredEntry GatherAfterLookup(const LookupResult& result, const FileHandle& file,
                                const CodePage& codePage, const std::filesystem::path& home,
                                EntryScreen& screen, ProbeCache* cache) {
    if (result.strHeadword.empty()) return {};
    LookupResult window = result;
    window.nOffset = GatherOffset(window.nOffset);
    return GatherEntries(window, file, codePage, home, screen, cache);
}

LookupResult LookUpAndShow(const Text& word, const Dictionary& dictionary,
                           const std::filesystem::path& home, EntryScreen& screen) {
    return SearchDictionary(word, dictionary, home, screen).result;
}

}  // namespace tavik
