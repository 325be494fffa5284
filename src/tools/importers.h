// Reading other dictionary formats into a DictionaryBuilder: dictd
// (.index + .dict or .dict.dz), StarDict (.ifo + .idx[.gz] + .dict[.dz]) and
// tab-separated text. Corrupt input throws ToolError naming the file and
// what is wrong. `progress`, when given, hears how much of the input is read
// (the index, for dictd and StarDict) and may cancel.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

#include "tools/dictionary_builder.h"
#include "tools/import_progress.h"

namespace tavik {

// A number of a dictd index: base 64, at most 10 digits.
std::optional<uint64_t> DecodeDictdNumber(std::string_view digits);

// `dict` defaults to the index's name with .dict.dz, else .dict.
void ImportDictd(const std::filesystem::path& index,
                 const std::optional<std::filesystem::path>& dict, DictionaryBuilder& builder,
                 ProgressReporter* progress = nullptr);

// `ifo` is the .ifo file; the .idx and .dict files are found beside it.
void ImportStarDict(const std::filesystem::path& ifo, DictionaryBuilder& builder,
                    ProgressReporter* progress = nullptr);

// One entry per line: headword, a tab, the article, in UTF-8; "\n", "\t" and
// "\\" in the article stand for a line break, a tab and a backslash.
void ImportTab(const std::filesystem::path& file, DictionaryBuilder& builder,
               ProgressReporter* progress = nullptr);

}  // namespace tavik
