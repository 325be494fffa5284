// Filling the search box's history.
#include "wordlists/search_history.h"

namespace tavik {

void FillSearchList(const WordList& recentWords, SearchBox& searchBox) {
    searchBox.ClearHistory();
    for (const WordList::Entry& entry : recentWords.Entries())
        if (!entry.word.empty()) searchBox.AppendHistory(entry.word);
}

}  // namespace tavik
