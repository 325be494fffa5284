// Turning imported entries (a headword and an HTML article) into dictionary
// lines: one line per article, its line breaks as <br>, an article too long
// for a line cut; the lines are sorted into the output file in the lookup's
// order.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "text/codepage.h"
#include "text/text.h"
#include "tools/external_sort.h"

namespace tavik {

struct ImportStats {
    int64_t entries = 0;              // entries written
    int64_t lines = 0;                // lines written
    int64_t cutArticles = 0;          // articles longer than a line, cut at its end
    int64_t skippedSlash = 0;         // headwords holding "/", which the format cannot
    int64_t skippedEmpty = 0;         // empty headwords
    int64_t skippedLongHeadword = 0;  // headwords that leave no room for an article
    int64_t skippedFields = 0;        // article parts of a kind that is not text
    int64_t skippedEntries = 0;       // entries left with no text at all
};

class DictionaryBuilder {
public:
    DictionaryBuilder(const CodePage& codePage, std::filesystem::path output,
                      size_t memoryLimit = kDefaultSortMemory);

    // `article` is HTML (or plain text without '<' and '&'); its line breaks
    // become <br>, white space around it is dropped. `cutBefore` says the
    // importer already cut the article at its read bound: it is counted once.
    void AddEntry(TextView headword, TextView article, bool cutBefore = false);
    ImportStats& Stats() { return m_stats; }
    // Finish tells `progress` how many lines it has written.
    void SetProgress(ProgressReporter* progress) { m_sorter.SetProgress(progress); }
    // Where the importers may keep temporary files for this output.
    const std::filesystem::path& ScratchFolder() const { return m_sorter.ScratchFolder(); }

    // Sorts and writes the output. Throws ToolError, writing nothing, when
    // some entry has characters the code page cannot hold.
    ImportStats Finish();

private:
    const CodePage& m_codePage;
    ExternalSorter m_sorter;
    ImportStats m_stats;
    int64_t m_unrepresentable = 0;
    Text m_firstUnrepresentable;
};

// The bytes left for the content of a line whose headword takes
// `headwordBytes`: the line limit less the "/" and the line feed.
size_t ContentBudget(size_t headwordBytes);

// `article` (bytes of `codePage`) cut to at most `budget` bytes: between
// characters, and before a tag or an entity that would be cut in half.
std::string_view CutArticle(std::string_view article, size_t budget, const CodePage& codePage);

// Plain text made safe for the page: &, < and > escaped.
Text EscapeHtml(TextView text);

}  // namespace tavik
