// An ordered list of words whose entries keep their position handles while
// other entries come and go (a dialog binds its items to them).
#pragma once

#include <cstdint>
#include <list>
#include <optional>

#include "text/text.h"

namespace tavik {

class WordList {
public:
    using Position = uint64_t;  // stable for the entry's life, never reused

    struct Entry {
        Position position;
        Text word;
    };

    Position AddHead(Text word);
    // Front to back.
    const std::list<Entry>& Entries() const { return m_entries; }
    size_t Count() const { return m_entries.size(); }
    bool IsEmpty() const { return m_entries.empty(); }
    // The first entry, from the front, exactly equal to `word`.
    std::optional<Position> Find(TextView word) const;
    const Text* At(Position position) const;
    bool RemoveAt(Position position);
    void RemoveAll() { m_entries.clear(); }
    // Drops the entries behind the first `count`.
    void KeepFirst(size_t count);

private:
    std::list<Entry> m_entries;
    Position m_nextPosition = 1;
};

}  // namespace tavik
