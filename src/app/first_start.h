// The page shown before the first search when the user has no dictionary of
// their own yet.
#pragma once

#include <filesystem>
#include <vector>

#include "dict/screen.h"
#include "tools/installed_dictionaries.h"

namespace tavik {

// Shows, in place of the empty page, what the user can do to get a
// dictionary: `dataFolders` are where dictionaries are listed from (the
// home's Data first), `installed` where installed ones are looked for.
// Leaves the page as it is when the user has a dictionary of their own.
void ShowFirstStartPage(PageSink& page, const std::vector<std::filesystem::path>& dataFolders,
                        const DictionaryFolders& installed);

}  // namespace tavik
