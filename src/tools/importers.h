// Reading other dictionary formats into a DictionaryBuilder: dictd
// (.index + .dict or .dict.dz), StarDict (.ifo + .idx[.gz] + .dict[.dz]) and
// tab-separated text. Corrupt input throws ToolError naming the file and
// what is wrong.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

#include "tools/dict_data.h"
#include "tools/dictionary_builder.h"
#include "tools/import_progress.h"

namespace tavik {

struct ImportOptions {
    // Hears how much of the input is read (the index, for dictd and
    // StarDict) and may cancel.
    ProgressReporter* progress = nullptr;
    // At most this much of one article is read; a longer one is cut at a
    // character and counted.
    size_t articleLimit = kArticleReadLimit;
};

// A number of a dictd index: base 64, at most 10 digits.
std::optional<uint64_t> DecodeDictdNumber(std::string_view digits);

// `dict` defaults to the index's name with .dict.dz, else .dict.
void ImportDictd(const std::filesystem::path& index,
                 const std::optional<std::filesystem::path>& dict, DictionaryBuilder& builder,
                 const ImportOptions& options = {});

// `ifo` is the .ifo file; the .idx and .dict files are found beside it.
void ImportStarDict(const std::filesystem::path& ifo, DictionaryBuilder& builder,
                    const ImportOptions& options = {});

// One entry per line: headword, a tab, the article, in UTF-8; "\n", "\t" and
// "\\" in the article stand for a line break, a tab and a backslash.
void ImportTab(const std::filesystem::path& file, DictionaryBuilder& builder,
               const ImportOptions& options = {});

}  // namespace tavik
