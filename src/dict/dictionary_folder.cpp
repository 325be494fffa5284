// Listing the Data folder.
#include "dict/dictionary_folder.h"

#include <system_error>

namespace tavik {

std::filesystem::path DataFolder(const std::filesystem::path& home) { return home / "Data"; }

std::vector<Text> DictionaryNames(const std::filesystem::path& folder) {
    std::vector<Text> names;
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    if (error) return names;
    for (; it != std::filesystem::directory_iterator(); it.increment(error)) {
        if (error) break;
        const std::string name = it->path().filename().string();
        if (name.empty() || name[0] == '.') continue;
        std::error_code statError;
        if (!it->is_regular_file(statError)) continue;
        names.push_back(FromUtf8(name));
    }
    return names;
}

bool IsCurrentDictionary(const Text& name, const std::filesystem::path& storedPath) {
    return !name.empty() && name == FromUtf8(storedPath.filename().string());
}

}  // namespace tavik
