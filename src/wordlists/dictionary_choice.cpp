// The dictionary choice.
#include "wordlists/dictionary_choice.h"

#include <algorithm>
#include <system_error>

#include "text/compare.h"

namespace tavik {

namespace {

std::uint64_t SizeOf(const std::filesystem::path& file) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    return error ? 0 : std::uint64_t(size);
}

// Rounds half away from zero, as llround does for what it is given here (not
// negative, far below 2^52, where adding a half is exact); written out, the
// command-line tool, which shares this library, needs no maths library.
long long RoundedSize(double value) { return static_cast<long long>(value + 0.5); }

}  // namespace

DictionaryListing ListDictionaries(const std::vector<std::filesystem::path>& dataFolders,
                                   const std::filesystem::path& storedPath) {
    std::vector<DictionaryFile> found = ListDictionaryFiles(dataFolders);
    // Case only decides between names that are otherwise equal, so the
    // order is the same on every run.
    std::sort(found.begin(), found.end(), [](const DictionaryFile& a, const DictionaryFile& b) {
        const int order = CompareOrder(a.name, b.name);
        return order != 0 ? order < 0 : CompareExact(a.name, b.name) < 0;
    });
    DictionaryListing listing;
    for (DictionaryFile& file : found) {
        listing.sizes.push_back(SizeOf(file.path));
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

Text FileSizeText(std::uint64_t bytes) {
    static constexpr const char* kUnits[] = {"B", "kB", "MB", "GB", "TB", "PB", "EB"};
    constexpr size_t kLastUnit = std::size(kUnits) - 1;
    if (bytes < 1000) return Ascii(std::to_string(bytes) + " B");
    double value = double(bytes);
    size_t unit = 0;
    while (value >= 1000 && unit < kLastUnit) {
        value /= 1000;
        ++unit;
    }
    // One decimal below ten, whole numbers above; what rounds up to 1000
    // is shown in the next unit. Digits are written here, not by the
    // locale, so the text is the same in every language.
    if (RoundedSize(value) >= 1000 && unit < kLastUnit) {
        value /= 1000;
        ++unit;
    }
    const long long tenths = RoundedSize(value * 10);
    const std::string number = tenths < 100
                                   ? std::to_string(tenths / 10) + "." + std::to_string(tenths % 10)
                                   : std::to_string(RoundedSize(value));
    return Ascii(number + " " + kUnits[unit]);
}

std::optional<std::filesystem::path> DictionaryAfterRemoval(
    const std::vector<std::filesystem::path>& dataFolders, const std::filesystem::path& removed,
    const std::filesystem::path& inUse) {
    if (removed.lexically_normal() != inUse.lexically_normal()) return inUse;
    const DictionaryListing left = ListDictionaries(dataFolders, {});
    if (left.files.empty()) return std::nullopt;
    return left.files.front();
}

}  // namespace tavik
