// Words to offer when a search finds no exact headword: the word without a
// common English ending, and headwords a typing slip away from it. Every
// suggestion is a headword of the dictionary; none is made up.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "dict/probe_cache.h"
#include "text/codepage.h"
#include "text/file.h"
#include "text/text.h"

namespace tavik {

inline constexpr size_t kMostSuggestions = 5;
// Headwords further from the word than this many edits are not offered.
inline constexpr int kMostSuggestionEdits = 2;

// The forms `word` may come from by the common English endings ("books" ->
// "book", "flies" -> "fly", "stopped" -> "stop", "making" -> "make"), the
// likelier first; lower-cased. Whether each is a headword is for the caller
// to find out.
std::vector<Text> EndingStems(TextView word);

// The Damerau-Levenshtein distance (an adjacent transposition counts as one
// edit; a transposed pair is not edited again) between the two texts,
// compared code unit by code unit; any value above `limit` comes back as
// `limit` + 1.
int EditDistance(TextView a, TextView b, int limit);

// Up to kMostSuggestions headwords (as written in the file) for `word`:
// first the stems of EndingStems that are headwords, then headwords within
// kMostSuggestionEdits edits: the word with one slip of a key undone, and
// those read near where the word and its first letters would stand, closer ones first, then in file
// order. Both ignore case as the search does; the word itself is never offered. Reads a few bounded
// windows of the file. With a `cache`, its searches keep and take the upper
// probes as LookupWord does; `wordPlace`, when given, is where a lookup of
// `word` itself stopped (its nOffset), which is then not looked up again.
std::vector<Text> SuggestWords(const FileHandle& file, const CodePage& codePage, TextView word,
                               ProbeCache* cache = nullptr,
                               std::optional<int64_t> wordPlace = std::nullopt);

// The same, opening the dictionary for the purpose; nothing when it does
// not open.
std::vector<Text> SuggestWords(const std::filesystem::path& dictionary, const CodePage& codePage,
                               TextView word);

}  // namespace tavik
