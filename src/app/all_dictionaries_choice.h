// "모든 사전" in the dictionary list: the stored choice that stands for every
// dictionary, and the dictionaries a search of them all reads.
#pragma once

#include <filesystem>

#include "app/dictionary_codepages.h"
#include "dict/all_dictionaries.h"
#include "wordlists/dictionary_choice.h"

namespace tavik {

// Stored as the dictionary path when every dictionary is chosen. It ends in
// a slash, so no dictionary file can have this path; an earlier Tavik that
// reads it finds no dictionary there and says so.
inline constexpr char kAllDictionariesPath[] = "all-dictionaries/";

inline bool IsAllDictionaries(const std::filesystem::path& dictionaryPath) {
    return dictionaryPath == std::filesystem::path(kAllDictionariesPath);
}

// The dictionaries of `listing`, in its order, each read in the code page
// the window reads it in alone.
DictionaryList ListedDictionaries(const DictionaryListing& listing, DictionaryCodePages& codePages);

}  // namespace tavik
