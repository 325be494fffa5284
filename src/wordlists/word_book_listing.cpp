// The wordbook dialog's list.
#include "wordlists/word_book_listing.h"

#include <algorithm>

#include "text/compare.h"

namespace tavik {

void WordBookListing::FillWordList() {
    m_items.clear();
    for (const WordList::Entry& entry : m_stores.m_listWordBook.Entries())
        if (!entry.word.empty()) m_items.push_back({entry.word, entry.position});
    // Equal words keep the wordbook's order, front first.
    std::stable_sort(m_items.begin(), m_items.end(),
                     [](const Item& a, const Item& b) { return CompareOrder(a.word, b.word) < 0; });
    Select(0);
}

void WordBookListing::Select(int index) {
    m_selection = index >= 0 && index < int(m_items.size()) ? index : -1;
}

Text WordBookListing::SelectedWord() const {
    return m_selection < 0 ? Text() : m_items[size_t(m_selection)].word;
}

bool WordBookListing::DeleteSelected() {
    const int deleted = m_selection;
    if (deleted < 0) return true;
    const WordList::Position position = m_items[size_t(deleted)].position;
    m_items.erase(m_items.begin() + deleted);
    const bool written = m_stores.DeleteWordBookEntry(position);
    Select(deleted > 0 ? deleted - 1 : deleted);
    return written;
}

void WordBookListing::DeleteAll() {
    m_items.clear();
    m_selection = -1;
    m_stores.m_listWordBook.RemoveAll();
    m_stores.DeleteWordBookFile();
}

}  // namespace tavik
