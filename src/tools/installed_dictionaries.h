// Finding the dictd and StarDict dictionaries installed on this computer,
// each with the title it gives itself, and a file name made from a title.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/import_job.h"

namespace tavik {

struct InstalledDictionary {
    std::string title;  // UTF-8; the file's name when the dictionary gives none
    DictionaryFormat format = DictionaryFormat::kDictd;
    std::filesystem::path path;  // the .index or the .ifo
    uint64_t size = 0;           // bytes of all its files
};

struct DictionaryFolders {
    std::vector<std::filesystem::path> dictd;     // .index files, directly inside
    std::vector<std::filesystem::path> starDict;  // .ifo files, in sub-folders too
};

// /usr/share/dictd; /usr/share/stardict/dic, $XDG_DATA_HOME/stardict/dic
// (~/.local/share when unset) and ~/.stardict/dic.
DictionaryFolders InstalledDictionaryFolders();

// Every dictionary found in `folders`, sorted by title. Folders that do not
// exist and files that cannot be read are passed over.
std::vector<InstalledDictionary> FindInstalledDictionaries(const DictionaryFolders& folders);

// The dictionary a dictd .index or a StarDict .ifo is, with its title;
// nothing when its other files are missing or it cannot be read.
std::optional<InstalledDictionary> DescribeDictionaryFile(const std::filesystem::path& file);

// A title made fit to be a file name: no "/", control characters or
// leading dot, white space collapsed, at most `maxBytes` bytes (cut between
// characters); "dictionary" when nothing is left.
std::string SafeFileName(std::string_view title, size_t maxBytes = 100);

}  // namespace tavik
