// A search of every dictionary at once: the entries of all dictionaries that
// hold the word, on one page, and the neighbour list of the first one that
// has anything near it.
#pragma once

#include <filesystem>
#include <functional>
#include <vector>

#include "dict/all_dictionaries_page.h"
#include "dict/search.h"

namespace tavik {

// Dictionary files with the code page each is read in, owned together: a
// Dictionary refers to its code page.
class DictionaryList {
public:
    DictionaryList(const std::vector<std::filesystem::path>& files,
                   const std::function<CodePage(const std::filesystem::path&)>& codePageOf);
    // A move keeps the code pages where they are; a copy would not.
    DictionaryList(DictionaryList&&) = default;
    DictionaryList& operator=(DictionaryList&&) = default;
    DictionaryList(const DictionaryList&) = delete;
    DictionaryList& operator=(const DictionaryList&) = delete;

    const std::vector<Dictionary>& Dictionaries() const { return m_dictionaries; }

private:
    std::vector<CodePage> m_codePages;
    std::vector<Dictionary> m_dictionaries;
};

struct DictionariesOutcome {
    // The dictionaries that hold the word itself, in the list's order, and
    // their entries.
    std::vector<size_t> found;
    std::vector<DictionaryEntry> entries;
    // The dictionary the neighbour list comes from: the first with any entry
    // near the word; else the first of the list; -1 for an empty list. Without
    // any exact entry its search is shown as a search of it alone shows it.
    int lead = -1;
    SearchOutcome leadOutcome;
    // Dictionaries that could not be opened; the others are searched.
    std::vector<size_t> unreadable;
};

// Looks `word` (already trimmed) up in each of `dictionaries`. When some hold
// it, `screen` gets the page of their entries (ShowDictionariesPage) and the
// lead dictionary's neighbour list with the word, or its nearest headword,
// selected; when none does, the lead's own page, neighbours and messages,
// exactly as a search of that dictionary alone gives them (it is searched
// once more for that). Each file is closed before the next is opened.
DictionariesOutcome SearchDictionaries(const Text& word,
                                       const std::vector<Dictionary>& dictionaries,
                                       const std::filesystem::path& home, EntryScreen& screen);

// After SearchDictionaries: without any exact entry, the lead dictionary's
// search is reported as ReportSearch reports it (an empty list as a Data
// folder without dictionaries); with one, the status line is cleared, or
// names a dictionary that could not be read.
void ReportDictionariesSearch(const DictionariesOutcome& outcome,
                              const std::vector<Dictionary>& dictionaries,
                              const std::filesystem::path& home, NeighbourList& neighbours,
                              PageSink& page, StatusSink& status);

}  // namespace tavik
