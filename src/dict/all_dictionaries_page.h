// The page of one word's entries from several dictionaries: each entry under
// the name of its dictionary, in the order of the dictionary list.
#pragma once

#include <filesystem>
#include <vector>

#include "dict/screen.h"
#include "text/text.h"

namespace tavik {

// Most entry text one page of several dictionaries takes (UTF-16 code units
// of the entries' contents). Each entry is bounded on its own already (see
// kEntryTextLimit); this keeps twenty long entries from making one page the
// viewer would take seconds over. The first entry is always shown; a later
// one that would take the page past the bound shows only its dictionary's
// name and kEntryLeftOutNote.
inline constexpr size_t kDictionariesPageTextLimit = size_t(8) << 20;

// Stands in for an entry left out of a page of several dictionaries.
inline constexpr std::u16string_view kEntryLeftOutNote =
    u"…(페이지가 너무 길어 이 사전의 항목은 생략했습니다)";

// One dictionary's entry on the page.
struct DictionaryEntry {
    Text dictionary;  // the dictionary's name as the page shows it
    Text headword;
    Text content;  // the entry's parts joined, as gathered
};

// The name a page gives a dictionary: its file name without ".txt".
Text DictionaryPageName(const std::filesystem::path& dictionary);

// Sends the page of `entries`, in their order, to `sink`: each dictionary's
// name as a heading (escaped: a file name is text, not markup), then its
// entry as a page of its own shows it (headword and content unescaped, their
// markup taking effect). Copy takes each name and entry as plain text.
void ShowDictionariesPage(const std::filesystem::path& home,
                          const std::vector<DictionaryEntry>& entries, PageSink& sink);

}  // namespace tavik
