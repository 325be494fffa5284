// Reading other dictionary formats into a DictionaryBuilder: dictd
// (.index + .dict or .dict.dz), StarDict (.ifo + .idx[.gz] + .dict[.dz]) and
// tab-separated text. Corrupt input throws ToolError naming the file and
// what is wrong.
#pragma once

#include <filesystem>
#include <optional>

#include "tools/dictionary_builder.h"

namespace tavik {

// `dict` defaults to the index's name with .dict.dz, else .dict.
void ImportDictd(const std::filesystem::path& index,
                 const std::optional<std::filesystem::path>& dict, DictionaryBuilder& builder);

// `ifo` is the .ifo file; the .idx and .dict files are found beside it.
void ImportStarDict(const std::filesystem::path& ifo, DictionaryBuilder& builder);

// One entry per line: headword, a tab, the article, in UTF-8; "\n", "\t" and
// "\\" in the article stand for a line break, a tab and a backslash.
void ImportTab(const std::filesystem::path& file, DictionaryBuilder& builder);

}  // namespace tavik
