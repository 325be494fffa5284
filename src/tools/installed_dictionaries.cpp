// Scanning the usual folders; titles from dictd's 00-database-short entry
// and StarDict's bookname.
#include "tools/installed_dictionaries.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>

#include "text/compare.h"
#include "text/text.h"
#include "tools/dict_data.h"
#include "tools/importers.h"
#include "tools/sequential_reader.h"
#include "tools/tool_error.h"

namespace tavik {

namespace fs = std::filesystem;

namespace {

// A title is one short line; a bigger entry is not a title.
constexpr size_t kTitleReadLimit = 4096;

uint64_t SizeOf(const fs::path& file) {
    std::error_code error;
    const uintmax_t size = fs::file_size(file, error);
    return error ? 0 : uint64_t(size);
}

fs::path FirstExisting(const fs::path& base, std::initializer_list<const char*> suffixes) {
    for (const char* suffix : suffixes) {
        fs::path candidate = base;
        candidate += suffix;
        std::error_code error;
        if (fs::is_regular_file(candidate, error)) return candidate;
    }
    return {};
}

std::string CollapseSpace(std::string_view text) {
    std::string out;
    bool space = false;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            space = !out.empty();
            continue;
        }
        if (space) out += ' ';
        space = false;
        out += c;
    }
    return out;
}

// The first line of the 00-database-short article that is not the entry's
// own name.
std::string DictdTitle(const fs::path& index, const fs::path& dict) {
    SequentialReader reader(index, size_t(1) << 16);
    std::string_view line;
    while (reader.ReadTextLine(line)) {
        if (!line.starts_with("00-database-short\t") && !line.starts_with("00databaseshort\t"))
            continue;
        const size_t first = line.find('\t');
        const size_t second = line.find('\t', first + 1);
        if (second == std::string_view::npos) return {};
        const std::string_view offset = line.substr(first + 1, second - first - 1);
        const std::string_view length = line.substr(second + 1, line.find('\t', second + 1));
        const auto start = DecodeDictdNumber(offset);
        const auto size = DecodeDictdNumber(length);
        if (!start || !size) return {};
        const auto data = OpenDictData(dict, fs::temp_directory_path());
        const std::string article = data->Read(*start, *size, kTitleReadLimit);
        std::string_view rest = CutAtCharacter(article);
        while (!rest.empty()) {
            const size_t feed = rest.find('\n');
            const std::string text = CollapseSpace(rest.substr(0, feed));
            if (!text.empty() && text != "00-database-short" && text != "00databaseshort")
                return text;
            rest = feed == std::string_view::npos ? std::string_view() : rest.substr(feed + 1);
        }
        return {};
    }
    return {};
}

std::string StarDictTitle(const fs::path& ifo) {
    SequentialReader reader(ifo, size_t(1) << 16);
    std::string_view line;
    if (!reader.ReadTextLine(line) || !line.starts_with("StarDict's dict ifo file"))
        throw ToolError(ifo.string() + ": not a StarDict .ifo file");
    while (reader.ReadTextLine(line))
        if (line.starts_with("bookname=")) return CollapseSpace(line.substr(9));
    return {};
}

void AddDictd(const fs::path& index, std::vector<InstalledDictionary>& found) {
    fs::path base = index;
    base.replace_extension();
    const fs::path dict = FirstExisting(base, {".dict.dz", ".dict"});
    if (dict.empty()) return;
    InstalledDictionary dictionary;
    dictionary.format = DictionaryFormat::kDictd;
    dictionary.path = index;
    dictionary.size = SizeOf(index) + SizeOf(dict);
    try {
        dictionary.title = DictdTitle(index, dict);
    } catch (const ToolError&) {
        return;  // an index or data file that cannot be read is no dictionary to offer
    }
    if (dictionary.title.empty()) dictionary.title = base.filename().string();
    found.push_back(std::move(dictionary));
}

void AddStarDict(const fs::path& ifo, std::vector<InstalledDictionary>& found) {
    fs::path base = ifo;
    base.replace_extension();
    const fs::path idx = FirstExisting(base, {".idx", ".idx.gz"});
    const fs::path dict = FirstExisting(base, {".dict", ".dict.dz"});
    if (idx.empty() || dict.empty()) return;
    InstalledDictionary dictionary;
    dictionary.format = DictionaryFormat::kStarDict;
    dictionary.path = ifo;
    dictionary.size = SizeOf(ifo) + SizeOf(idx) + SizeOf(dict);
    try {
        dictionary.title = StarDictTitle(ifo);
    } catch (const ToolError&) {
        return;
    }
    if (dictionary.title.empty()) dictionary.title = base.filename().string();
    found.push_back(std::move(dictionary));
}

}  // namespace

DictionaryFolders InstalledDictionaryFolders() {
    DictionaryFolders folders;
    folders.dictd.push_back("/usr/share/dictd");
    folders.starDict.push_back("/usr/share/stardict/dic");
    const char* home = std::getenv("HOME");
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome && *dataHome == '/') {
        folders.starDict.push_back(fs::path(dataHome) / "stardict" / "dic");
    } else if (home && *home) {
        folders.starDict.push_back(fs::path(home) / ".local" / "share" / "stardict" / "dic");
    }
    if (home && *home) folders.starDict.push_back(fs::path(home) / ".stardict" / "dic");
    return folders;
}

std::vector<InstalledDictionary> FindInstalledDictionaries(const DictionaryFolders& folders) {
    std::vector<InstalledDictionary> found;
    std::error_code error;
    for (const fs::path& folder : folders.dictd) {
        for (const auto& entry : fs::directory_iterator(folder, error)) {
            if (entry.path().extension() == ".index" && entry.is_regular_file(error))
                AddDictd(entry.path(), found);
        }
    }
    for (const fs::path& folder : folders.starDict) {
        fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied,
                                            error);
        for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
            if (it.depth() > 3) it.disable_recursion_pending();
            if (it->path().extension() == ".ifo" && it->is_regular_file(error))
                AddStarDict(it->path(), found);
        }
        error.clear();
    }
    std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return CompareOrder(FromUtf8(a.title), FromUtf8(b.title)) < 0;
    });
    return found;
}

std::optional<InstalledDictionary> DescribeDictionaryFile(const fs::path& file) {
    std::vector<InstalledDictionary> found;
    if (file.extension() == ".index") AddDictd(file, found);
    if (file.extension() == ".ifo") AddStarDict(file, found);
    if (found.empty()) return std::nullopt;
    return std::move(found.front());
}

std::string SafeFileName(std::string_view title, size_t maxBytes) {
    std::string cleaned;
    for (char c : title) {
        const auto byte = static_cast<unsigned char>(c);
        cleaned += (c == '/' || c == '\\' || byte < 0x20 || byte == 0x7F) ? ' ' : c;
    }
    std::string name = CollapseSpace(cleaned);
    name.erase(0, name.find_first_not_of(". "));
    if (name.size() > maxBytes) {
        name = std::string(CutAtCharacter(std::string_view(name).substr(0, maxBytes)));
        while (!name.empty() && (name.back() == ' ' || name.back() == '.')) name.pop_back();
    }
    // Invalid UTF-8 would show as question marks in every file manager.
    name = ToUtf8(FromUtf8(name));
    return name.empty() ? "dictionary" : name;
}

}  // namespace tavik
