// What the wordbook dialog shows and does, without the window: the words in
// sorted order, each item bound to its own wordbook entry, the selection,
// and the two deletions with their effect on Word.dat.
#pragma once

#include <vector>

#include "wordlists/word_stores.h"

namespace tavik {

class WordBookListing {
public:
    struct Item {
        Text word;
        WordList::Position position;  // the entry this item stands for
    };

    explicit WordBookListing(WordStores& stores) : m_stores(stores) {}

    // Lists the wordbook's non-empty words, sorted without regard to case,
    // and selects the first.
    void FillWordList();

    const std::vector<Item>& Items() const { return m_items; }
    int Selection() const { return m_selection; }
    // An index outside the items selects nothing.
    void Select(int index);
    // The selected item's word; empty when nothing is selected.
    Text SelectedWord() const;

    // Removes the selected item and exactly its entry, takes its word out of
    // Word.dat and selects the item above (or the new first item). With
    // nothing selected nothing is removed and the file is not touched.
    // Returns false when the file could not be rewritten; it then still holds
    // the word.
    bool DeleteSelected();
    // Empties the list and the wordbook and deletes Word.dat.
    void DeleteAll();

private:
    WordStores& m_stores;
    std::vector<Item> m_items;
    int m_selection = -1;
};

}  // namespace tavik
