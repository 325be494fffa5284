// Every dictionary at once, from the command line.
#include "cli/lookup_all.h"

#include "cli/json.h"
#include "cli/tool_options.h"
#include "dict/entry_page.h"
#include "wordlists/dictionary_choice.h"

namespace tavik::cli {

namespace {

std::string EntryJson(const std::filesystem::path& dictionary, const Text& headword,
                      const Text& page) {
    return "{\"dictionary\":" + JsonString(FromUtf8(dictionary.filename().string())) +
           ",\"headword\":" + JsonString(headword) + ",\"page\":" + JsonString(page) + "}";
}

}  // namespace

DictionaryList ListedDictionaries(const std::vector<std::filesystem::path>& dataFolders,
                                  const Options& options) {
    return DictionaryList(
        ListDictionaries(dataFolders, {}).files,
        [&options](const std::filesystem::path& file) { return CodePageOption(options, file); });
}

std::string AllDictionariesJson(const Text& word, const DictionariesOutcome& outcome,
                                const std::vector<Dictionary>& dictionaries,
                                const std::filesystem::path& home,
                                const RecordingNeighbourList& neighbours, const RecordingPage& page,
                                const RecordingMessages& messages) {
    const bool exact = !outcome.found.empty();
    std::string json = "{\"word\":" + JsonString(word);
    json += ",\"exact\":";
    json += exact ? "true" : "false";
    json += ",\"dictionaries\":[";
    for (size_t i = 0; i < outcome.found.size(); ++i) {
        const DictionaryEntry& entry = outcome.entries[i];
        RecordingPage alone(false);
        ShowEntryPage(home, entry.headword, entry.content, alone);
        if (i) json += ',';
        json += EntryJson(dictionaries[outcome.found[i]].path, entry.headword, *alone.Page());
    }
    const bool nearestShown = !exact && !outcome.leadOutcome.shown.headword.empty() &&
                              messages.Messages().empty() && page.Page();
    if (nearestShown)
        json += EntryJson(dictionaries[size_t(outcome.lead)].path,
                          outcome.leadOutcome.shown.headword, *page.Page());
    json += "],\"neighbours\":" + JsonStringArray(neighbours.Items());
    json += ",\"selected\":" + std::to_string(neighbours.Selection());
    json += ",\"message\":";
    json += messages.Messages().empty() ? "null" : JsonString(messages.Messages().back());
    json += "}\n";
    return json;
}

}  // namespace tavik::cli
