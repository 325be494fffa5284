// Runs sorted with std::stable_sort, merged with the earlier run first on
// equal headwords so the whole sort stays stable.
#include "tools/external_sort.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "dict/dictionary_line.h"
#include "text/codepage_detect.h"
#include "text/compare.h"
#include "text/file.h"
#include "tools/replacing_file.h"
#include "tools/sequential_reader.h"
#include "tools/tool_error.h"

namespace tavik {

namespace {

// At most this many runs are merged at once; more are merged in passes.
constexpr size_t kMergeFanIn = 16;

// What the sort needs besides its runs: buffers of reading and writing, and
// the program's own pages.
constexpr size_t kFixedCost = size_t(8) << 20;

// A line's record, and its copy in the stable sort's buffer.
constexpr size_t kRecordCost = 2 * sizeof(ExternalSorter::Record);

// Buffered writing of one run file.
class RunWriter {
public:
    explicit RunWriter(const std::filesystem::path& path) : m_path(path) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (fd < 0) throw ToolError(path.string() + ": " + std::strerror(errno));
        m_file = FileHandle(fd);
    }
    void Write(std::string_view bytes) {
        m_buffer.append(bytes);
        if (m_buffer.size() >= (1 << 20)) Flush();
    }
    void Close() {
        Flush();
        if (::close(m_file.Release()) != 0)
            throw ToolError(m_path.string() + ": " + std::strerror(errno));
    }

private:
    void Flush() {
        WriteAll(m_file.Get(), m_buffer, m_path);
        m_buffer.clear();
    }
    std::filesystem::path m_path;
    FileHandle m_file;
    std::string m_buffer;
};

// One sorted run being merged: its current line and that line's key.
struct RunCursor {
    std::unique_ptr<SequentialReader> reader;
    std::string_view line;
    Text key;
    bool live = false;

    void Advance(const CodePage& codePage) {
        live = reader->ReadLine(line);
        if (live) key = SortKeyOf(line, codePage);
    }
};

template <typename Sink>
void MergeRuns(const std::vector<std::filesystem::path>& runs, const CodePage& codePage,
               Sink& sink) {
    std::vector<RunCursor> cursors(runs.size());
    for (size_t i = 0; i < runs.size(); ++i) {
        cursors[i].reader = std::make_unique<SequentialReader>(runs[i]);
        cursors[i].Advance(codePage);
    }
    for (;;) {
        RunCursor* smallest = nullptr;
        for (RunCursor& cursor : cursors) {
            // Strictly smaller only: on a tie the earlier run stays first.
            if (cursor.live && (!smallest || CompareOrder(cursor.key, smallest->key) < 0))
                smallest = &cursor;
        }
        if (!smallest) break;
        sink.Write(smallest->line);
        smallest->Advance(codePage);
    }
}

// The output, counting the lines written for the progress report.
class CountingSink {
public:
    CountingSink(ReplacingFile& out, ProgressReporter* progress, int64_t total)
        : m_out(out), m_progress(progress), m_total(uint64_t(total)) {}
    void Write(std::string_view line) {
        m_out.Write(line);
        if (m_progress) m_progress->Writing(++m_written, m_total);
    }

private:
    ReplacingFile& m_out;
    ProgressReporter* m_progress;
    uint64_t m_total;
    uint64_t m_written = 0;
};

}  // namespace

Text SortKeyOf(std::string_view line, const CodePage& codePage) {
    std::string_view seen = line.substr(0, kDictionaryLineLimit);
    seen = seen.substr(0, seen.find('\0'));
    return codePage.Decode(SplitDictionaryLine(seen).headword);
}

ExternalSorter::ExternalSorter(const CodePage& codePage, std::filesystem::path output,
                               size_t memoryLimit)
    : m_codePage(codePage),
      m_output(ResolveOutput(output)),
      // The reading and writing buffers and the program itself take a few
      // MB of the bound; the runs get the rest.
      m_memoryLimit(memoryLimit > 4 * kFixedCost ? memoryLimit - kFixedCost : memoryLimit * 3 / 4) {
    RemoveLeftovers(m_output);
}

ExternalSorter::~ExternalSorter() {
    if (!m_tempFolder.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(m_tempFolder, ignored);
    }
}

void ExternalSorter::Add(std::string_view line) {
    Text key = SortKeyOf(line, m_codePage);
    const bool feed = !line.empty() && line.back() == '\n';
    const size_t length = line.size() + (feed ? 0 : 1);
    // A key too long for the string itself is a heap block with its header.
    const size_t keyBytes = key.size() > 7 ? key.capacity() * 2 + 16 : 0;
    const size_t cost = length + kRecordCost + keyBytes;
    // The run goes to disk before the line that would take it past the
    // bound, so the lines held never grow past their room.
    if (!m_records.empty() && m_memoryUsed + cost > m_memoryLimit) SpillRun();
    if (m_records.capacity() == 0) {
        // Room for a whole run at once: growing by doubling would hold the
        // old and the new copy together, half as much again as the bound.
        // Reserved pages cost no memory until lines fill them. (The vector
        // starts without room; a string always has a little of its own.)
        m_bytes.reserve(m_memoryLimit);
        m_records.reserve(m_memoryLimit / (kRecordCost + 1));
    }
    m_records.push_back(Record{m_bytes.size(), length, std::move(key)});
    m_bytes.append(line);
    if (!feed) m_bytes.push_back('\n');
    m_memoryUsed += cost;
    ++m_lines;
}

void ExternalSorter::SortRecords() {
    std::stable_sort(m_records.begin(), m_records.end(), [](const Record& a, const Record& b) {
        return CompareOrder(a.key, b.key) < 0;
    });
}

std::filesystem::path ExternalSorter::NewRunPath() {
    if (m_tempFolder.empty()) {
        std::string pattern = TemporaryPattern(m_output, "sort");
        if (!::mkdtemp(pattern.data()))
            throw ToolError(m_output.path.string() +
                            ": cannot make a temporary folder: " + std::strerror(errno));
        m_tempFolder = pattern;
    }
    return m_tempFolder / ("run-" + std::to_string(m_nextRun++));
}

void ExternalSorter::SpillRun() {
    if (m_records.empty()) return;
    SortRecords();
    const std::filesystem::path path = NewRunPath();
    RunWriter writer(path);
    for (const Record& record : m_records)
        writer.Write({m_bytes.data() + record.offset, record.length});
    writer.Close();
    m_runFiles.push_back(path);
    // The room stays for the next run: freed and taken again, the malloc
    // would soon serve it from its heap, which keeps every page it held.
    m_records.clear();
    m_bytes.clear();
    m_memoryUsed = 0;
}

int64_t ExternalSorter::Finish() {
    ReplacingFile file(m_output);
    // A mark alone would read as one empty line.
    if (m_lines > 0) file.Write(m_preamble);
    CountingSink out(file, m_progress, m_lines);
    if (m_progress) m_progress->Writing(0, uint64_t(m_lines));
    if (m_runFiles.empty()) {
        SortRecords();
        for (const Record& record : m_records)
            out.Write({m_bytes.data() + record.offset, record.length});
    } else {
        SpillRun();
        std::vector<Record>().swap(m_records);
        std::string().swap(m_bytes);
        // Merge neighbouring runs in order, so equal headwords keep the
        // order of their runs, until few enough are left for one pass.
        std::vector<std::filesystem::path> runs = m_runFiles;
        while (runs.size() > kMergeFanIn) {
            std::vector<std::filesystem::path> merged;
            for (size_t i = 0; i < runs.size(); i += kMergeFanIn) {
                const std::vector<std::filesystem::path> group(
                    runs.begin() + i, runs.begin() + std::min(runs.size(), i + kMergeFanIn));
                const std::filesystem::path path = NewRunPath();
                RunWriter writer(path);
                MergeRuns(group, m_codePage, writer);
                writer.Close();
                for (const auto& used : group) std::filesystem::remove(used);
                merged.push_back(path);
            }
            runs = std::move(merged);
        }
        MergeRuns(runs, m_codePage, out);
    }
    file.Commit();
    if (!m_tempFolder.empty()) {
        std::filesystem::remove_all(m_tempFolder);
        m_tempFolder.clear();
    }
    return m_lines;
}

int64_t SortDictionaryFile(const std::filesystem::path& input, const std::filesystem::path& output,
                           const CodePage& codePage, size_t memoryLimit,
                           ProgressReporter* progress) {
    SequentialReader reader(input);
    ExternalSorter sorter(codePage, output, memoryLimit);
    sorter.SetProgress(progress);
    std::string_view line;
    // A byte-order mark belongs to the file, not to its first line, which
    // may sort anywhere.
    bool first = true;
    while (reader.ReadLine(line)) {
        if (first && line.starts_with(kUtf8ByteOrderMark)) {
            // It stays the file's: UTF-8 is then told from its first bytes.
            line.remove_prefix(kUtf8ByteOrderMark.size());
            sorter.SetPreamble(std::string(kUtf8ByteOrderMark));
        }
        first = false;
        sorter.Add(line);
        if (progress)
            progress->Reading(uint64_t(reader.Position()), uint64_t(reader.Size()),
                              int64_t(reader.LineNumber()));
    }
    return sorter.Finish();
}

}  // namespace tavik
