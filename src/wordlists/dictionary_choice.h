// Choosing the dictionary among the files of the Data folders: what the
// dictionary list and the dictionary dialog show, and the file a choice
// stands for.
#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "dict/dictionary_folder.h"
#include "text/text.h"

namespace tavik {

struct DictionaryListing {
    std::vector<Text> names;  // the user's Data first, each in the order its folder reports
    std::vector<std::filesystem::path> files;  // the file behind each name
    int selection = -1;                        // the one the stored path names; -1 when none
};

// The dictionaries of `dataFolders` (the home's Data, then the installed
// ones), read afresh, with the current one selected.
DictionaryListing ListDictionaries(const std::vector<std::filesystem::path>& dataFolders,
                                   const std::filesystem::path& storedPath);

// `listing` in the order of its names, case ignored as in the order of
// headwords (then exactly, so the order is the same at every listing), its
// selection following its name: the order of the window's dictionary list.
DictionaryListing SortedByName(DictionaryListing listing);

// The index of the first of `names` that the stored path names; -1 when none.
int FindCurrentDictionary(const std::vector<Text>& names, const std::filesystem::path& storedPath);

// The file behind the shown `name`; when no listed file has that name any
// more, `<first data folder>/<name>`. Nothing for an empty name.
std::optional<std::filesystem::path> ChosenDictionaryPath(
    const std::vector<std::filesystem::path>& dataFolders, const Text& name);

}  // namespace tavik
