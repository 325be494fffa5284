// What the recent words dialog shows and does, without the window: the
// recent words most recent first, repeats included, the selection, and the
// deletion of them all.
#pragma once

#include <vector>

#include "wordlists/word_stores.h"

namespace tavik {

class RecentWordListing {
public:
    explicit RecentWordListing(WordStores& stores) : m_stores(stores) {}

    // Lists the recent words in the list's order and selects the first.
    void FillWordList();

    const std::vector<Text>& Items() const { return m_items; }
    int Selection() const { return m_selection; }
    // An index outside the items selects nothing.
    void Select(int index);
    // The selected word; empty when nothing is selected.
    Text SelectedWord() const;

    // Empties the list and the recent words and deletes OldWord.dat.
    void DeleteAll();
    // Whether DeleteAll ran at least once.
    bool AllDeleted() const { return m_allDeleted; }

private:
    WordStores& m_stores;
    std::vector<Text> m_items;
    int m_selection = -1;
    bool m_allDeleted = false;
};

}  // namespace tavik
