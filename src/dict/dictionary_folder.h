// The dictionaries a user can choose from: the files of the Data folder.
#pragma once

#include <filesystem>
#include <vector>

#include "text/text.h"

namespace tavik {

// `<home>/Data`.
std::filesystem::path DataFolder(const std::filesystem::path& home);

// Names of the regular files in `folder` (links to them count), hidden dot
// files left out, in no particular order. Empty when the folder is missing.
std::vector<Text> DictionaryNames(const std::filesystem::path& folder);

// True when `name` is the file name of `storedPath`, compared exactly.
bool IsCurrentDictionary(const Text& name, const std::filesystem::path& storedPath);

}  // namespace tavik
