// What the screen says about a search besides the entry: a dictionary that
// cannot be read gets a page of its own, and the status line tells whether
// the word itself was found.
#pragma once

#include <filesystem>

#include "dict/screen.h"
#include "dict/search.h"

namespace tavik {

// After `SearchDictionary`: when the dictionary could not be opened or
// holds nothing (missing, a folder, a FIFO, unreadable, emptied), or when
// the Data folder holds no dictionary at all, the neighbour list is emptied
// and the page explains it, naming the file (and, for an empty Data folder,
// where dictionaries go and how to add one); the status line says the same
// in short. Otherwise the page stays as the search left it, and the status
// line names a word that is not in the dictionary and the headword shown
// instead, or is cleared when the word was found.
void ReportSearch(const SearchOutcome& outcome, const std::filesystem::path& home,
                  const std::filesystem::path& dictionary, NeighbourList& neighbours,
                  PageSink& page, StatusSink& status);

}  // namespace tavik
