// The word list: a std::list keeps every entry in place while others come and
// go, so positions only need a counter beside it.
#include "wordlists/word_list.h"

#include <algorithm>

namespace tavik {

namespace {

auto HasPosition(WordList::Position position) {
    return [position](const WordList::Entry& entry) { return entry.position == position; };
}

}  // namespace

WordList::Position WordList::AddHead(Text word) {
    const Position position = m_nextPosition++;
    m_entries.push_front(Entry{position, std::move(word)});
    return position;
}

std::optional<WordList::Position> WordList::Find(TextView word) const {
    const auto found = std::find_if(m_entries.begin(), m_entries.end(),
                                    [word](const Entry& entry) { return entry.word == word; });
    if (found == m_entries.end()) return std::nullopt;
    return found->position;
}

const Text* WordList::At(Position position) const {
    const auto found = std::find_if(m_entries.begin(), m_entries.end(), HasPosition(position));
    return found == m_entries.end() ? nullptr : &found->word;
}

bool WordList::RemoveAt(Position position) {
    const auto found = std::find_if(m_entries.begin(), m_entries.end(), HasPosition(position));
    if (found == m_entries.end()) return false;
    m_entries.erase(found);
    return true;
}

}  // namespace tavik

namespace tavik {

void WordList::KeepFirst(size_t count) {
    while (m_entries.size() > count) m_entries.pop_back();
}

}  // namespace tavik
