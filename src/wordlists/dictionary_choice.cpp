// The dictionary choice.
#include "wordlists/dictionary_choice.h"

namespace tavik {

DictionaryListing ListDictionaries(const std::vector<std::filesystem::path>& dataFolders,
                                   const std::filesystem::path& storedPath) {
    DictionaryListing listing;
    for (DictionaryFile& file : ListDictionaryFiles(dataFolders)) {
        listing.names.push_back(std::move(file.name));
        listing.files.push_back(std::move(file.path));
    }
    // The stored file itself first; its name only when it is not listed (a
    // stored path from another folder selects the file of the same name).
    for (size_t i = 0; i < listing.files.size(); ++i)
        if (listing.files[i] == storedPath) listing.selection = int(i);
    if (listing.selection < 0) listing.selection = FindCurrentDictionary(listing.names, storedPath);
    return listing;
}

int FindCurrentDictionary(const std::vector<Text>& names, const std::filesystem::path& storedPath) {
    for (size_t i = 0; i < names.size(); ++i)
        if (IsCurrentDictionary(names[i], storedPath)) return int(i);
    return -1;
}

std::optional<std::filesystem::path> ChosenDictionaryPath(
    const std::vector<std::filesystem::path>& dataFolders, const Text& name) {
    if (name.empty()) return std::nullopt;
    if (auto file = FindDictionaryFile(dataFolders, name)) return file;
    if (dataFolders.empty()) return std::nullopt;
    return dataFolders.front() / std::filesystem::path(ToUtf8(name));
}

}  // namespace tavik
