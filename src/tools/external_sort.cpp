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
#include "text/compare.h"
#include "text/file.h"
#include "tools/replacing_file.h"
#include "tools/sequential_reader.h"
#include "tools/tool_error.h"

namespace tavik {

namespace {

// At most this many runs are merged at once; more are merged in passes.
constexpr size_t kMergeFanIn = 16;

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

}  // namespace

Text SortKeyOf(std::string_view line, const CodePage& codePage) {
    std::string_view seen = line.substr(0, kDictionaryLineLimit);
    seen = seen.substr(0, seen.find('\0'));
    return codePage.Decode(SplitDictionaryLine(seen).headword);
}

ExternalSorter::ExternalSorter(const CodePage& codePage, std::filesystem::path output,
                               size_t memoryLimit)
    : m_codePage(codePage), m_output(std::move(output)), m_memoryLimit(memoryLimit) {}

ExternalSorter::~ExternalSorter() {
    if (!m_tempFolder.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(m_tempFolder, ignored);
    }
}

void ExternalSorter::Add(std::string_view line) {
    Record record{m_bytes.size(), line.size(), SortKeyOf(line, m_codePage)};
    m_bytes.append(line);
    if (line.empty() || line.back() != '\n') {
        m_bytes.push_back('\n');
        ++record.length;
    }
    const size_t keyBytes = record.key.size() > 7 ? record.key.capacity() * 2 : 0;
    m_memoryUsed += record.length + sizeof(Record) + keyBytes;
    m_records.push_back(std::move(record));
    ++m_lines;
    if (m_memoryUsed >= m_memoryLimit) SpillRun();
}

void ExternalSorter::SortRecords() {
    std::stable_sort(m_records.begin(), m_records.end(), [](const Record& a, const Record& b) {
        return CompareOrder(a.key, b.key) < 0;
    });
}

std::filesystem::path ExternalSorter::NewRunPath() {
    if (m_tempFolder.empty()) {
        std::string pattern = TemporaryPatternBeside(m_output, ".sort-");
        if (!::mkdtemp(pattern.data()))
            throw ToolError(m_output.string() +
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
    m_records.clear();
    m_records.shrink_to_fit();
    m_bytes.clear();
    m_bytes.shrink_to_fit();
    m_memoryUsed = 0;
}

int64_t ExternalSorter::Finish() {
    ReplacingFile out(m_output);
    if (m_runFiles.empty()) {
        SortRecords();
        for (const Record& record : m_records)
            out.Write({m_bytes.data() + record.offset, record.length});
    } else {
        SpillRun();
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
    out.Commit();
    if (!m_tempFolder.empty()) {
        std::filesystem::remove_all(m_tempFolder);
        m_tempFolder.clear();
    }
    return m_lines;
}

int64_t SortDictionaryFile(const std::filesystem::path& input, const std::filesystem::path& output,
                           const CodePage& codePage, size_t memoryLimit) {
    SequentialReader reader(input);
    ExternalSorter sorter(codePage, output, memoryLimit);
    std::string_view line;
    // A byte-order mark belongs to the file, not to its first line, which
    // may sort anywhere.
    if (reader.ReadLine(line)) sorter.Add(line.starts_with("\xEF\xBB\xBF") ? line.substr(3) : line);
    while (reader.ReadLine(line)) sorter.Add(line);
    return sorter.Finish();
}

}  // namespace tavik
