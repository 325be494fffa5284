// The search box's drop-down history, filled from the recent words.
#pragma once

#include "dict/search_action.h"
#include "wordlists/word_list.h"

namespace tavik {

// Refills the search box's history with the non-empty recent words, in list
// order.
void FillSearchList(const WordList& recentWords, SearchBox& searchBox);

}  // namespace tavik
