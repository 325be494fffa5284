// The dictionary choice.
#include "wordlists/dictionary_choice.h"

#include <algorithm>
#include <numeric>

#include "text/compare.h"

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

DictionaryListing SortedByName(DictionaryListing listing) {
    std::vector<size_t> order(listing.names.size());
    std::iota(order.begin(), order.end(), size_t(0));
    const auto& names = listing.names;
    std::sort(order.begin(), order.end(), [&names](size_t a, size_t b) {
        const int byOrder = CompareOrder(names[a], names[b]);
        return byOrder != 0 ? byOrder < 0 : names[a] < names[b];
    });
    DictionaryListing sorted;
    for (const size_t i : order) {
        if (int(i) == listing.selection) sorted.selection = int(sorted.names.size());
        sorted.names.push_back(std::move(listing.names[i]));
        sorted.files.push_back(std::move(listing.files[i]));
    }
    return sorted;
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
