// One import from start to finish, as the command line and the window run
// it: the format's reader into a sorted dictionary file, with progress and
// cancellation. A failed or cancelled import leaves nothing at the output.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "text/codepage.h"
#include "tools/dictionary_builder.h"
#include "tools/import_progress.h"

namespace tavik {

enum class DictionaryFormat { kDictd, kStarDict, kTab };

// "dictd", "stardict", "tab".
const char* FormatName(DictionaryFormat format);
std::optional<DictionaryFormat> FormatNamed(std::string_view name);

struct ImportRequest {
    DictionaryFormat format = DictionaryFormat::kDictd;
    std::filesystem::path input;                // the .index, the .ifo or the tab file
    std::optional<std::filesystem::path> data;  // dictd: the .dict, when not beside
    std::filesystem::path output;
    size_t memory = kDefaultSortMemory;
};

// Throws ToolError (ImportCancelled when `progress` cancels).
ImportStats ImportDictionary(const ImportRequest& request, const CodePage& codePage,
                             ProgressReporter* progress = nullptr);

// The files the import may read: the ones named and, where the format finds
// them itself, the ones beside. Writing over one of them is refused.
std::vector<std::filesystem::path> ImportInputFiles(const ImportRequest& request);

// Throws ToolError when the output is one of the import's input files.
void RefuseOwnInput(const ImportRequest& request);

}  // namespace tavik
