// Word files through plain descriptors: reads through LineReader, appends as
// single writes, and replacements through a new file renamed into place.
#include "wordlists/word_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <deque>

#include "text/guarded_open.h"
#include "text/replacement_file.h"

namespace tavik {

namespace fs = std::filesystem;

namespace {

bool IsBlank(std::string_view bytes) {
    return bytes.find_first_not_of(" \t\n\v\f\r") == std::string_view::npos;
}

bool EndsWithLineFeed(const FileHandle& file, off_t size) {
    char last = 0;
    return ::pread(file.Get(), &last, 1, size - 1) == 1 && last == '\n';
}

// Appends `record` with as few writes as the system allows (one, normally).
// When the disk takes only part of it, that part is cut off again, so a full
// disk never leaves half a word to merge with the next one; unless another
// copy of Tavik appended after it, in which case the file is left as it is.
bool AppendWhole(int fd, std::string_view record) {
    size_t done = 0;
    while (done < record.size()) {
        const ssize_t written = ::write(fd, record.data() + done, record.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) break;
        done += size_t(written);
    }
    if (done == record.size()) return true;
    const off_t end = ::lseek(fd, 0, SEEK_CUR);
    struct stat info;
    if (done > 0 && end >= off_t(done) && ::fstat(fd, &info) == 0 && info.st_size == end) {
        [[maybe_unused]] const int cut = ::ftruncate(fd, end - off_t(done));
    }
    return false;
}

fs::path FolderOf(const fs::path& path) {
    return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

// Write access that the permission bits grant on purpose: root may write
// anything, but a file or folder without a single write bit was made
// read-only by someone who meant it.
bool MayWrite(const fs::path& path, const struct stat& info) {
    return (info.st_mode & 0222) != 0 && ::access(path.c_str(), W_OK) == 0;
}

bool FolderTakesFiles(const fs::path& folder) {
    struct stat info;
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && MayWrite(folder, info);
}

}  // namespace

std::optional<std::string> EncodeWordLine(WordFileEncoding encoding, TextView word) {
    std::optional<std::string> bytes = CodePageOf(encoding).Encode(word);
    if (!bytes || bytes->size() > kWordLineLimit ||
        bytes->find_first_of(std::string_view("\n\0", 2)) != std::string::npos)
        return std::nullopt;
    return bytes;
}

void CreateWordFileIfMissing(const fs::path& path) {
    if (!FolderTakesFiles(FolderOf(path))) return;
    FileHandle created(
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NONBLOCK, 0666));
}

std::optional<WordFileContent> ReadWordFile(const fs::path& path, size_t keep) {
    std::optional<FileHandle> file = OpenRegularFileUnlessForeignLink(path).file;
    if (!file) return std::nullopt;
    WordFileContent content;
    std::deque<std::string> kept;  // as bytes: the encoding is known only at the end
    LineReader reader(*file, kWordLineLimit, LineReader::kCapacity);
    std::string_view line;
    for (bool first = true; reader.ReadLine(line); first = false) {
        if (first && line.starts_with(kUtf8Mark)) {
            content.detector.AddMark();
            line.remove_prefix(kUtf8Mark.size());
        }
        content.detector.AddLine(line);
        if (IsBlank(line)) continue;
        ++content.lineCount;
        if (keep == 0) continue;
        if (kept.size() == keep) kept.pop_front();
        kept.emplace_back(line);
    }
    const CodePage& codePage = CodePageOf(content.Encoding());
    for (const std::string& bytes : kept) {
        Text word = Trim(codePage.Decode(bytes));
        if (!word.empty()) content.words.push_back(std::move(word));
    }
    return content;
}

WordFileProblem CheckWordFile(const fs::path& path, WordFileChange change) {
    const std::optional<fs::path> resolved = ResolveOwnLinks(path);
    if (!resolved) return WordFileProblem::kForeignLink;
    const fs::path& target = *resolved;
    struct stat info;
    if (::stat(target.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode) || !MayWrite(target, info)) return WordFileProblem::kNotSaved;
        if (change == WordFileChange::kAppend) return WordFileProblem::kNone;
    } else if (errno != ENOENT) {
        return WordFileProblem::kNotSaved;
    }
    // Replacing, creating and deleting all change the folder.
    const bool removing = change == WordFileChange::kRemove;
    if (!FolderTakesFiles(FolderOf(removing ? path : target))) return WordFileProblem::kNotSaved;
    return WordFileProblem::kNone;
}

bool AppendWordLine(const fs::path& path, std::string_view line) {
    std::optional<FileHandle> opened =
        OpenUnlessForeignLink(path, O_RDWR | O_APPEND | O_CREAT | O_NONBLOCK, 0666).file;
    if (!opened) return false;
    const FileHandle& file = *opened;
    struct stat info;
    if (::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    std::string record;
    // A last line without its line feed (edited elsewhere, or cut short by a
    // full disk) would otherwise swallow the new word.
    if (info.st_size > 0 && !EndsWithLineFeed(file, info.st_size)) record += '\n';
    record.append(line);
    record += '\n';
    return AppendWhole(file.Get(), record);
}

bool ReplaceWordFile(const fs::path& path, const std::vector<Text>& words,
                     WordFileEncoding encoding) {
    std::string content;
    WordFileDetector detector;
    for (const Text& word : words) {
        std::optional<std::string> line = EncodeWordLine(encoding, word);
        if (!line) return false;
        *line += '\n';
        detector.AddLine(*line);
        content += *line;
    }
    // On a line of its own, so that it takes nothing from the first word's
    // room in a line.
    // A first word that begins with U+FEFF needs it too, or the reading
    // takes its first character for the mark.
    if (encoding == WordFileEncoding::Utf8 &&
        (detector.Encoding() != WordFileEncoding::Utf8 || content.starts_with(kUtf8Mark)))
        content.insert(0, std::string(kUtf8Mark) + '\n');
    // The file the user's own links name is the one to replace: replacing the
    // link itself would cut the word list off from wherever the user keeps it.
    const std::optional<fs::path> target = ResolveOwnLinks(path);
    if (!target) return false;
    std::optional<ReplacementFile> replacement = ReplacementFile::Create(*target);
    if (!replacement) return false;
    replacement->Write(content);
    return replacement->Commit();
}

WordFolderLock::WordFolderLock(const fs::path& folder)
    : m_folder(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    // Without the lock (a folder that cannot be opened) the change goes on
    // alone, as it did before copies took turns.
    if (!m_folder.IsOpen()) return;
    while (::flock(m_folder.Get(), LOCK_EX) != 0 && errno == EINTR) {
    }
}

WordFileStamp StampOf(const fs::path& path) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0) return {};
    return WordFileStamp{info.st_dev, info.st_ino, info.st_size};
}

}  // namespace tavik
