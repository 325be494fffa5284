// Word files through plain descriptors: reads through LineReader, appends as
// single writes, and replacements through a new file renamed into place.
#include "wordlists/word_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "text/file.h"

namespace tavik {

namespace fs = std::filesystem;

namespace {

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(size_t(written));
    }
    return true;
}

bool EndsWithLineFeed(const FileHandle& file, off_t size) {
    char last = 0;
    return ::pread(file.Get(), &last, 1, size - 1) == 1 && last == '\n';
}

// The file a symbolic link names is the one to replace: replacing the link
// itself would cut the word list off from wherever the user keeps it.
fs::path ResolveLink(const fs::path& path) {
    std::error_code error;
    if (!fs::is_symlink(path, error)) return path;
    fs::path resolved = fs::canonical(path, error);
    return error ? path : resolved;
}

// A new file beside the one it is to replace; removed again unless it was
// renamed into place.
class PendingFile {
public:
    explicit PendingFile(const fs::path& target) {
        static unsigned counter = 0;
        for (int attempt = 0; attempt < 100 && !m_file.IsOpen(); ++attempt) {
            fs::path candidate = target;
            candidate.replace_filename(target.filename().string() + ".new-" +
                                       std::to_string(::getpid()) + "-" +
                                       std::to_string(counter++));
            m_file = FileHandle(::open(candidate.c_str(),
                                       O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
            if (m_file.IsOpen()) {
                m_path = std::move(candidate);
            } else if (errno != EEXIST) {
                break;
            }
        }
    }
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;
    ~PendingFile() {
        if (!m_path.empty()) ::unlink(m_path.c_str());
    }

    bool IsOpen() const { return m_file.IsOpen(); }
    int Descriptor() const { return m_file.Get(); }

    // Closes the file, reporting a failed close: some file systems report a
    // full disk only there.
    bool Close() { return ::close(m_file.Release()) == 0; }

    bool RenameTo(const fs::path& target) {
        if (::rename(m_path.c_str(), target.c_str()) != 0) return false;
        m_path.clear();
        return true;
    }

private:
    fs::path m_path;
    FileHandle m_file;
};

// Makes a rename survive a power cut; a failure here leaves the rename done.
void SyncFolderOf(const fs::path& file) {
    const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    FileHandle handle(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (handle.IsOpen()) ::fsync(handle.Get());
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
    return WriteAll(file.Get(), record);
}

bool ReplaceWordFile(const fs::path& path, std::string_view content) {
    const fs::path target = ResolveLink(path);
    PendingFile pending(target);
    if (!pending.IsOpen()) return false;
    struct stat old;
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(pending.Descriptor(), old.st_mode & 07777);
    if (!WriteAll(pending.Descriptor(), content) || ::fsync(pending.Descriptor()) != 0 ||
        !pending.Close() || !pending.RenameTo(target))
        return false;
    SyncFolderOf(target);
    return true;
}

}  // namespace tavik
