// Word files through plain descriptors: reads through LineReader, appends as
// single writes, and replacements through a new file renamed into place.
#include "wordlists/word_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "text/file.h"
#include "text/replacement_file.h"

namespace tavik {

namespace fs = std::filesystem;

namespace {

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

// The file a symbolic link names is the one to replace: replacing the link
// itself would cut the word list off from wherever the user keeps it.
fs::path ResolveLink(const fs::path& path) {
    std::error_code error;
    if (!fs::is_symlink(path, error)) return path;
    fs::path resolved = fs::canonical(path, error);
    return error ? path : resolved;
}

}  // namespace

std::optional<std::string> EncodeWordLine(const CodePage& codePage, TextView word) {
    std::optional<std::string> bytes = codePage.Encode(word);
    if (!bytes || bytes->size() > kWordLineLimit ||
        bytes->find_first_of(std::string_view("\n\0", 2)) != std::string::npos)
        return std::nullopt;
    return bytes;
}

void CreateWordFileIfMissing(const fs::path& path) {
    FileHandle created(
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NONBLOCK, 0666));
}

std::optional<std::vector<Text>> ReadWordFile(const fs::path& path, const CodePage& codePage) {
    std::optional<FileHandle> file = OpenRegularFileForReading(path);
    if (!file) return std::nullopt;
    std::vector<Text> words;
    LineReader reader(*file, kWordLineLimit, LineReader::kCapacity);
    std::string_view line;
    while (reader.ReadLine(line)) {
        Text word = Trim(codePage.Decode(line));
        if (!word.empty()) words.push_back(std::move(word));
    }
    return words;
}

bool AppendWordLine(const fs::path& path, std::string_view line) {
    FileHandle file(
        ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666));
    if (!file.IsOpen()) return false;
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

bool ReplaceWordFile(const fs::path& path, std::string_view content) {
    std::optional<ReplacementFile> replacement = ReplacementFile::Create(ResolveLink(path));
    if (!replacement) return false;
    replacement->Write(content);
    return replacement->Commit();
}

}  // namespace tavik
