// What the empty page says before the first search when the user has no
// dictionary of their own yet: that dictionaries installed on this computer
// can be added, or where dictionary files go, with a link to the window's
// 사전 추가.
#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "text/text.h"

namespace tavik {

// The name of the dictionary that comes with Tavik.
inline constexpr char16_t kBundledDictionaryName[] = u"Tavik.txt";

// The page's content (HTML with the link "tavik-command:add-dictionary"):
// when `dictionaryNames` (every dictionary the user can choose) is only the
// bundled one and `installedToAdd` is not 0, it says how many can be added;
// when it is empty, it names `homeDataFolder`. Nothing otherwise.
std::optional<Text> FirstStartContent(const std::vector<Text>& dictionaryNames,
                                      size_t installedToAdd,
                                      const std::filesystem::path& homeDataFolder);

}  // namespace tavik
