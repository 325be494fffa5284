// The dictionaries a user can choose from: the files of the home's Data
// folder and of the installed Data folders beside it.
#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "text/text.h"

namespace tavik {

// `<home>/Data`.
std::filesystem::path DataFolder(const std::filesystem::path& home);

// One dictionary: the name a list shows, and the file with its name's bytes
// exactly as the folder holds them.
struct DictionaryFile {
    Text name;
    std::filesystem::path path;
};

// A file name as a person can read it: UTF-8 as it is, else CP949 (names
// made by Korean Windows tools), else with each byte that is not valid
// UTF-8 written as \xHH.
Text FileNameText(const std::filesystem::path& fileName);

// The regular files (links to them count) of `folders`, hidden dot files
// left out: each folder's files in the order it reports them, the folders
// in the order given. A name found in an earlier folder hides the same name
// in a later one. Missing folders list nothing.
std::vector<DictionaryFile> ListDictionaryFiles(const std::vector<std::filesystem::path>& folders);

// Names of the dictionaries of one folder, as ListDictionaryFiles shows them.
std::vector<Text> DictionaryNames(const std::filesystem::path& folder);

// The file behind a shown name, from a fresh listing of `folders`.
std::optional<std::filesystem::path> FindDictionaryFile(
    const std::vector<std::filesystem::path>& folders, const Text& name);

// True when `name` is the shown name of `storedPath`'s file, compared exactly.
bool IsCurrentDictionary(const Text& name, const std::filesystem::path& storedPath);

}  // namespace tavik
