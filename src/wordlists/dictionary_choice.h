// Choosing the dictionary among the files of the Data folder: what the
// dictionary list and the dictionary dialog show, and the path a choice
// stands for.
#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "text/text.h"

namespace tavik {

struct DictionaryListing {
    std::vector<Text> names;  // in the order the folder reports them
    int selection = -1;       // the one the stored path names; -1 when none
};

// The dictionaries of `dataFolder` (`<home>/Data`), read afresh, with the
// current one selected.
DictionaryListing ListDictionaries(const std::filesystem::path& dataFolder,
                                   const std::filesystem::path& storedPath);

// The index of the first of `names` that the stored path names; -1 when none.
int FindCurrentDictionary(const std::vector<Text>& names, const std::filesystem::path& storedPath);

// `<home>/Data/<name>`; nothing for an empty name.
std::optional<std::filesystem::path> ChosenDictionaryPath(const std::filesystem::path& home,
                                                          const Text& name);

}  // namespace tavik
