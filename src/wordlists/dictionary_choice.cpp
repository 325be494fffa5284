// The dictionary choice.
#include "wordlists/dictionary_choice.h"

#include "dict/dictionary_folder.h"

namespace tavik {

DictionaryListing ListDictionaries(const std::filesystem::path& dataFolder,
                                   const std::filesystem::path& storedPath) {
    DictionaryListing listing;
    listing.names = DictionaryNames(dataFolder);
    listing.selection = FindCurrentDictionary(listing.names, storedPath);
    return listing;
}

int FindCurrentDictionary(const std::vector<Text>& names, const std::filesystem::path& storedPath) {
    for (size_t i = 0; i < names.size(); ++i)
        if (IsCurrentDictionary(names[i], storedPath)) return int(i);
    return -1;
}

std::optional<std::filesystem::path> ChosenDictionaryPath(const std::filesystem::path& home,
                                                          const Text& name) {
    if (name.empty()) return std::nullopt;
    return DataFolder(home) / std::filesystem::path(ToUtf8(name));
}

}  // namespace tavik
