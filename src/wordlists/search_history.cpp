// Filling the search box's history.
#include "wordlists/search_history.h"

namespace tavik {

void FillSearchList(const WordList& recentWords, SearchBox& searchBox) {
    std::vector<Text> words;
    words.reserve(recentWords.Count());
    for (const WordList::Entry& entry : recentWords.Entries())
        if (!entry.word.empty()) words.push_back(entry.word);
    searchBox.SetHistory(words);
}

}  // namespace tavik
