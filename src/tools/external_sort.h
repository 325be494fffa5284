// Sorting dictionary lines in Tavik's order in bounded memory: lines are
// gathered into runs that fit the memory bound, each run is sorted and
// written to a temporary folder beside the output, and the runs are merged.
// The sort is stable: lines of one headword keep the order they came in.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "text/codepage.h"
#include "text/text.h"
#include "tools/import_progress.h"
#include "tools/output_target.h"

namespace tavik {

inline constexpr size_t kDefaultSortMemory = size_t(256) << 20;

class ExternalSorter {
public:
    // The output is written through a temporary file and renamed over
    // `output` by Finish (a stream or a device is written directly); what a
    // killed run for the same output left behind is removed first.
    // `memoryLimit` bounds the lines held at once.
    ExternalSorter(const CodePage& codePage, std::filesystem::path output,
                   size_t memoryLimit = kDefaultSortMemory);
    ~ExternalSorter();

    // One line; a missing line feed is added.
    void Add(std::string_view line);
    // Writes the sorted output. Returns the number of lines written.
    int64_t Finish();

    // How many runs went to disk (0 when everything fitted in memory).
    size_t SpilledRuns() const { return m_runFiles.size(); }
    // Finish tells `progress` how many lines it has written.
    void SetProgress(ProgressReporter* progress) { m_progress = progress; }
    // Bytes Finish writes before the first line (a byte-order mark).
    void SetPreamble(std::string preamble) { m_preamble = std::move(preamble); }
    // Where temporary files for this output belong.
    const std::filesystem::path& ScratchFolder() const { return m_output.scratch; }

    struct Record {
        size_t offset;
        size_t length;
        Text key;
    };

private:
    void SpillRun();
    void SortRecords();
    std::filesystem::path NewRunPath();

    const CodePage& m_codePage;
    OutputTarget m_output;
    size_t m_memoryLimit;
    std::string m_bytes;
    std::vector<Record> m_records;
    size_t m_memoryUsed = 0;
    int64_t m_lines = 0;
    std::filesystem::path m_tempFolder;
    std::string m_preamble;
    std::vector<std::filesystem::path> m_runFiles;
    int m_nextRun = 0;
    ProgressReporter* m_progress = nullptr;
};

// The order key of a line: its headword as the lookup sees it, decoded.
Text SortKeyOf(std::string_view line, const CodePage& codePage);

// Sorts the lines of `input` into `output`. Returns the number of lines.
// `progress` hears the bytes read and the lines written, and may cancel.
int64_t SortDictionaryFile(const std::filesystem::path& input, const std::filesystem::path& output,
                           const CodePage& codePage, size_t memoryLimit = kDefaultSortMemory,
                           ProgressReporter* progress = nullptr);

}  // namespace tavik
