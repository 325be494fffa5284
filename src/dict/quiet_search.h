// A search that only shows: the page, the neighbour list and the status line
// follow the word as a search would set them, and nothing is remembered (no
// recent word, no drop-down history, no focus change).
#pragma once

#include "dict/search_action.h"

namespace tavik {

// Shows `word` as SearchWord would; an empty or blank word does nothing and
// says nothing.
void ShowWordQuietly(TextView word, const SearchSources& sources, SearchScreen& screen);

}  // namespace tavik
