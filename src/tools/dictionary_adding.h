// Adding a dictionary to the user's Data folder: what a file the user picked
// is, which installed dictionaries are not there yet, the file name a new
// dictionary gets, and the work itself (an import, a copy or a sort). A
// failed or cancelled addition leaves nothing in the folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "text/codepage.h"
#include "tools/import_progress.h"
#include "tools/installed_dictionaries.h"

namespace tavik {

// Where a dictionary comes from: one of the import formats, or a file that
// is already a Tavik dictionary.
struct DictionarySource {
    std::string title;                       // UTF-8
    std::optional<DictionaryFormat> format;  // none: a Tavik text file
    std::filesystem::path path;              // the .index, the .ifo or the file itself
    uint64_t size = 0;
};

DictionarySource SourceOf(const InstalledDictionary& installed);

// What a file the user picked is: a dictd index (or its data file), a
// StarDict .ifo, a tab-separated file or a Tavik text file, told by its name
// and, for text files, by its first lines. Throws ToolError naming the file
// when it cannot be read or is no dictionary.
DictionarySource DescribePickedFile(const std::filesystem::path& file);

// The file a dictionary with `title` gets in `dataFolders.front()`: its safe
// name with ".txt", made unique against the files of all `dataFolders` by
// " (2)", " (3)", ... so that it hides no other dictionary.
std::filesystem::path NewDictionaryPath(const std::string& title,
                                        const std::vector<std::filesystem::path>& dataFolders);

// The installed dictionaries whose file is not yet in any of `dataFolders`.
std::vector<InstalledDictionary> NotYetAdded(const std::vector<InstalledDictionary>& installed,
                                             const std::vector<std::filesystem::path>& dataFolders);

// How a Tavik text file goes into Data.
enum class TextFileWay { kCopy, kSort };

// Headwords out of order in a Tavik text file (0 when it can be copied as it
// is). Throws ToolError when the file cannot be read.
int64_t LinesOutOfOrder(const std::filesystem::path& file, const CodePage& codePage);

struct AddJob {
    DictionarySource source;
    std::filesystem::path target;
    TextFileWay way = TextFileWay::kCopy;  // for a Tavik text file
    // Imports write this code page; a Tavik text file keeps its own, which
    // the sort needs to know.
    CodePage codePage = CodePage::Default();
};

struct AddOutcome {
    int64_t entries = 0;  // entries imported, lines copied or sorted
};

// Does the work of `job`: the target appears only when it is complete.
// Throws ToolError (ImportCancelled when `progress` cancels).
AddOutcome RunAddJob(const AddJob& job, ProgressReporter* progress);

}  // namespace tavik
