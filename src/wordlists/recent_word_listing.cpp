// The recent words dialog's list.
#include "wordlists/recent_word_listing.h"

namespace tavik {

void RecentWordListing::FillWordList() {
    m_items.clear();
    for (const WordList::Entry& entry : m_stores.m_listRecentWord.Entries())
        if (!entry.word.empty()) m_items.push_back(entry.word);
    Select(0);
}

void RecentWordListing::Select(int index) {
    m_selection = index >= 0 && index < int(m_items.size()) ? index : -1;
}

Text RecentWordListing::SelectedWord() const {
    return m_selection < 0 ? Text() : m_items[size_t(m_selection)];
}

void RecentWordListing::DeleteAll() {
    m_items.clear();
    m_selection = -1;
    m_stores.m_listRecentWord.RemoveAll();
    m_stores.DeleteRecentWordFile();
    m_allDeleted = true;
}

}  // namespace tavik
