// The middle of a search: look the word up and show what was found.
#pragma once

#include <filesystem>

#include "dict/gather.h"
#include "dict/lookup.h"

namespace tavik {

// The gathering window starts this far before the lookup's position, so the
// neighbour list shows words before the hit too.
inline constexpr int64_t kGatherBackOff = 4096;

struct Dictionary {
    std::filesystem::path path;
    const CodePage& codePage;
};

// Looks `word` (already trimmed) up; when a headword was found, gathers the
// window around it onto `screen`. Returns the lookup's result, its offset as
// the lookup gave it.
LookupResult LookUpAndShow(const Text& word, const Dictionary& dictionary,
                           const std::filesystem::path& home, EntryScreen& screen);

}  // namespace tavik
