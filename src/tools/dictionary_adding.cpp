// Adding a dictionary to Data: naming, recognising a picked file, and the
// import, copy or sort that writes it.
#include "tools/dictionary_adding.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <set>

#include "dict/dictionary_folder.h"
#include "text/file.h"
#include "tools/dictionary_check.h"
#include "tools/external_sort.h"
#include "tools/import_job.h"
#include "tools/output_target.h"
#include "tools/replacing_file.h"
#include "tools/tool_error.h"

namespace tavik {

namespace fs = std::filesystem;

namespace {

// Enough lines to tell a tab-separated file from a Tavik one.
constexpr size_t kSniffBytes = size_t(64) << 10;
// Small enough for a smooth progress bar on a dictionary of a few MB.
constexpr size_t kCopyChunk = size_t(64) << 10;

uint64_t SizeOf(const fs::path& file) {
    std::error_code error;
    const uintmax_t size = fs::file_size(file, error);
    return error ? 0 : uint64_t(size);
}

[[noreturn]] void ReadFailed(const fs::path& file, const std::string& reason) {
    throw ToolError(file.string() + ": " + reason);
}

FileHandle OpenForReading(const fs::path& file) {
    std::string error;
    auto handle = OpenRegularFileForReading(file, &error);
    if (!handle) ReadFailed(file, error.empty() ? "cannot be opened" : error);
    return std::move(*handle);
}

std::string ReadStart(const fs::path& file) {
    const FileHandle handle = OpenForReading(file);
    std::string bytes(kSniffBytes, '\0');
    const ssize_t got = ::pread(handle.Get(), bytes.data(), bytes.size(), 0);
    if (got < 0) ReadFailed(file, std::strerror(errno));
    bytes.resize(size_t(got));
    return bytes;
}

// A tab-separated file puts a tab before any "/" on most of its lines; a
// Tavik file the "/" first.
bool LooksTabSeparated(std::string_view start) {
    int tabFirst = 0;
    int slashFirst = 0;
    while (!start.empty()) {
        const size_t feed = start.find('\n');
        const std::string_view line = start.substr(0, feed);
        start = feed == std::string_view::npos ? std::string_view() : start.substr(feed + 1);
        const size_t tab = line.find('\t');
        const size_t lead = line.find_first_not_of('/');
        const size_t slash = lead == std::string_view::npos ? lead : line.find('/', lead);
        if (tab < slash) ++tabFirst;
        if (slash < tab) ++slashFirst;
    }
    return tabFirst > slashFirst;
}

DictionarySource Installed(const fs::path& file, const fs::path& shown) {
    const auto found = DescribeDictionaryFile(file);
    if (!found)
        ReadFailed(shown, file.extension() == ".ifo"
                              ? "not a readable StarDict dictionary (.ifo, .idx and .dict needed)"
                              : "not a readable dictd dictionary (.index and .dict or .dict.dz "
                                "needed)");
    return SourceOf(*found);
}

std::set<std::string> TakenNames(const std::vector<fs::path>& dataFolders) {
    std::set<std::string> taken;
    std::error_code error;
    for (const fs::path& folder : dataFolders)
        for (const auto& entry : fs::directory_iterator(folder, error))
            taken.insert(entry.path().filename().string());
    return taken;
}

void CopyDictionary(const AddJob& job, ProgressReporter* progress, AddOutcome& outcome) {
    const FileHandle input = OpenForReading(job.source.path);
    const uint64_t total = SizeOf(job.source.path);
    ReplacingFile output(ResolveOutput(job.target));
    std::string buffer(kCopyChunk, '\0');
    uint64_t done = 0;
    for (;;) {
        const ssize_t got = ::read(input.Get(), buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) ReadFailed(job.source.path, std::strerror(errno));
        if (got == 0) break;
        const std::string_view bytes(buffer.data(), size_t(got));
        outcome.entries += std::count(bytes.begin(), bytes.end(), '\n');
        output.Write(bytes);
        done += uint64_t(got);
        if (progress) progress->Reading(done, std::max(total, done), outcome.entries);
    }
    if (progress) progress->Writing(1, 1);
    output.Commit();
}

}  // namespace

DictionarySource SourceOf(const InstalledDictionary& installed) {
    return {installed.title, installed.format, installed.path, installed.size};
}

DictionarySource DescribePickedFile(const fs::path& file) {
    std::error_code error;
    if (!fs::is_regular_file(file, error)) ReadFailed(file, "not a file that can be read");
    const std::string name = file.filename().string();
    if (file.extension() == ".index" || file.extension() == ".ifo") return Installed(file, file);
    // The data file of a dictd dictionary stands for its index.
    for (const std::string_view suffix : {".dict.dz", ".dict"}) {
        if (name.ends_with(suffix) && name.size() > suffix.size()) {
            const fs::path index =
                file.parent_path() / (name.substr(0, name.size() - suffix.size()) + ".index");
            if (fs::is_regular_file(index, error)) return Installed(index, file);
        }
    }
    const std::string start = ReadStart(file);
    if (start.find('\0') != std::string::npos)
        ReadFailed(file,
                   "not a text file (a dictd .index, a StarDict .ifo, a tab-separated "
                   "file or a Tavik dictionary is needed)");
    DictionarySource source;
    source.title = file.stem().string();
    source.path = file;
    source.size = SizeOf(file);
    if (LooksTabSeparated(start)) source.format = DictionaryFormat::kTab;
    return source;
}

fs::path NewDictionaryPath(const std::string& title, const std::vector<fs::path>& dataFolders) {
    const std::set<std::string> taken = TakenNames(dataFolders);
    const std::string base = SafeFileName(title);
    std::string name = base + ".txt";
    for (int n = 2; taken.contains(name); ++n) name = base + " (" + std::to_string(n) + ").txt";
    return dataFolders.front() / name;
}

std::vector<InstalledDictionary> NotYetAdded(const std::vector<InstalledDictionary>& installed,
                                             const std::vector<fs::path>& dataFolders) {
    const std::set<std::string> taken = TakenNames(dataFolders);
    std::vector<InstalledDictionary> left;
    for (const InstalledDictionary& dictionary : installed)
        if (!taken.contains(SafeFileName(dictionary.title) + ".txt")) left.push_back(dictionary);
    return left;
}

int64_t LinesOutOfOrder(const fs::path& file, const CodePage& codePage) {
    const CheckSummary summary = CheckDictionary(file, codePage, [](const Problem&) {});
    return summary.counts[size_t(Fault::kOutOfOrder)];
}

AddOutcome RunAddJob(const AddJob& job, ProgressReporter* progress) {
    AddOutcome outcome;
    std::error_code error;
    fs::create_directories(job.target.parent_path(), error);
    if (error) throw ToolError(job.target.parent_path().string() + ": " + error.message());
    if (job.source.format) {
        ImportRequest request;
        request.format = *job.source.format;
        request.input = job.source.path;
        request.output = job.target;
        outcome.entries = ImportDictionary(request, job.codePage, progress).entries;
    } else if (job.way == TextFileWay::kSort) {
        outcome.entries = SortDictionaryFile(job.source.path, job.target, job.codePage,
                                             kDefaultSortMemory, progress);
    } else {
        CopyDictionary(job, progress, outcome);
    }
    return outcome;
}

}  // namespace tavik
