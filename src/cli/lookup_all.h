// `tavik-dict lookup --all`: every dictionary of the Data folders at once,
// as the window's "모든 사전" shows them.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "cli/options.h"
#include "dict/all_dictionaries.h"
#include "dict/recorders.h"

namespace tavik::cli {

// The dictionaries of the Data folders in the order of the window's list,
// each read in the code page found in it (or the one --codepage names).
DictionaryList ListedDictionaries(const std::vector<std::filesystem::path>& dataFolders,
                                  const Options& options);

// One line of JSON for `word` searched in every dictionary: `word`, `exact`,
// and `dictionaries`, a list of the entries shown, each with `dictionary`
// (the file name), `headword` and `page` (the entry's page as a search of
// that dictionary alone shows it); without an exact entry, the lead
// dictionary's nearest entry, when it showed one. Then `neighbours`,
// `selected` and `message` as for one dictionary.
std::string AllDictionariesJson(const Text& word, const DictionariesOutcome& outcome,
                                const std::vector<Dictionary>& dictionaries,
                                const std::filesystem::path& home,
                                const RecordingNeighbourList& neighbours, const RecordingPage& page,
                                const RecordingMessages& messages);

}  // namespace tavik::cli
