// Choosing the dictionary among the files of the Data folders: what the
// dictionary list and the dictionary dialog show, and the file a choice
// stands for.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "dict/dictionary_folder.h"
#include "text/text.h"

namespace tavik {

struct DictionaryListing {
    // Sorted by name without regard to case, whichever folder holds them.
    std::vector<Text> names;
    std::vector<std::filesystem::path> files;  // the file behind each name
    std::vector<std::uint64_t> sizes;          // each file's size in bytes
    int selection = -1;                        // the one the stored path names; -1 when none
};

// The dictionaries of `dataFolders` (the home's Data, then the installed
// ones; the home's file wins a clash of names), read afresh, with the
// current one selected.
DictionaryListing ListDictionaries(const std::vector<std::filesystem::path>& dataFolders,
                                   const std::filesystem::path& storedPath);

// A file size as people read it: "830 B", "4.2 kB", "176 MB" (powers of
// 1000, as the desktop's file manager counts them).
Text FileSizeText(std::uint64_t bytes);

// The dictionary in use once the file `removed` is gone from the folders:
// `inUse` itself when it was another file, else the first one left in the
// listing, or none when nothing is left.
std::optional<std::filesystem::path> DictionaryAfterRemoval(
    const std::vector<std::filesystem::path>& dataFolders, const std::filesystem::path& removed,
    const std::filesystem::path& inUse);

// The index of the first of `names` that the stored path names; -1 when none.
int FindCurrentDictionary(const std::vector<Text>& names, const std::filesystem::path& storedPath);

// The file behind the shown `name`; when no listed file has that name any
// more, `<first data folder>/<name>`. Nothing for an empty name.
std::optional<std::filesystem::path> ChosenDictionaryPath(
    const std::vector<std::filesystem::path>& dataFolders, const Text& name);

}  // namespace tavik
