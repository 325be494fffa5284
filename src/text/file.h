// Files as the dictionary search reads them: opened for reading only when
// they are regular files, read line by line through a small fixed buffer
// (and a growable one for the rare long line).
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tavik {

// An open file descriptor, closed with its owner.
class FileHandle {
public:
    FileHandle() = default;
    explicit FileHandle(int fd) : m_fd(fd) {}
    FileHandle(FileHandle&& other) noexcept : m_fd(other.Release()) {}
    FileHandle& operator=(FileHandle&& other) noexcept;
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle();

    int Get() const { return m_fd; }
    bool IsOpen() const { return m_fd >= 0; }
    int Release();

private:
    int m_fd = -1;
};

// Opens `path` for reading when it names a regular file (a link to one
// counts). A FIFO, a device or a folder is refused without blocking. On
// failure, `error` (when given) receives the reason.
std::optional<FileHandle> OpenRegularFileForReading(const std::filesystem::path& path,
                                                    std::string* error = nullptr);
// The second half of that: true when `file`, opened with O_NONBLOCK, is a
// regular file, which then reads blocking as usual.
bool KeepIfRegularFile(FileHandle& file, std::string* error = nullptr);

// Writes all of `bytes` to `fd`, resuming after interrupted or short writes.
// False when the system refused part of it (a full disk, an I/O error).
bool WriteAll(int fd, std::string_view bytes);

// How a line longer than the reader's limit arrives.
enum class LongLines {
    kInPieces,  // as pieces of `limit` bytes, each taken as a line of its own
    kWhole,     // as one line: its first `limit` bytes, the rest skipped
};

// Reads lines the way a line read of at most `limit` bytes does: a line ends
// after its line feed or after `limit` bytes, whichever comes first, so a
// longer line arrives in pieces (LongLines::kInPieces), or is kept up to
// `limit` bytes with the rest of it skipped (LongLines::kWhole). The text of
// a line stops at its first NUL byte, but the position moves past every byte
// read.
class LineReader {
public:
    static constexpr size_t kCapacity = 16384;

    // `readSize` is how much one refill asks of the file: small for the
    // scattered probes of a binary search, large for reading a window. In
    // pieces `limit` is at most kCapacity; whole lines may be longer, and a
    // line that does not fit the fixed buffer is gathered in a growable one.
    LineReader(const FileHandle& file, size_t limit, size_t readSize,
               LongLines longLines = LongLines::kInPieces);

    void Seek(int64_t position);
    // Changes how much later refills ask of the file.
    void SetReadSize(size_t readSize);
    int64_t Tell() const { return m_position; }
    // The file size, asked of the file once.
    int64_t Size();

    // False at the end of the file (nothing left to read). The view stays
    // valid until the next call. With whole lines, a UTF-8 byte-order mark at
    // the very start of the file is not part of the first line's text.
    bool ReadLine(std::string_view& line);

    // Of the line read last: where it starts, how many bytes it takes in the
    // file (the skipped rest of a long line included), and whether its text
    // was cut at the limit.
    int64_t LineStart() const { return m_lineStart; }
    int64_t LineLength() const { return m_position - m_lineStart; }
    bool LineCut() const { return m_lineCut; }
    // The bytes kept of the line read last, NUL bytes and all.
    std::string_view LineBytes() const { return m_lineBytes; }

private:
    bool Fill(size_t want);
    bool ReadPiece(std::string_view& line);
    bool ReadWhole(std::string_view& line);
    bool ReadLongLine(std::string_view& line);
    // Moves the position past the next line feed, or to the end of the file.
    void SkipPastLineFeed(int64_t from);
    void SkipFromPosition();
    size_t ReadAt(char* into, size_t want, int64_t at) const;

    int m_fd;
    size_t m_limit;
    size_t m_readSize;
    LongLines m_longLines;
    int64_t m_position = 0;
    int64_t m_lineStart = 0;
    bool m_lineCut = false;
    std::string_view m_lineBytes;
    int64_t m_bufferStart = 0;
    size_t m_bufferLength = 0;
    bool m_bufferReachesEnd = false;
    // The last span skipped: no line feed from its start to before its end.
    int64_t m_skippedFrom = 0;
    int64_t m_skippedTo = 0;
    std::array<char, kCapacity> m_buffer;
    std::string m_longLine;
};

// The start of the line that ends at `lineStart` (the line before the one
// starting there), found by reading backwards in blocks; 0 for the first
// line. `lineStart` must be greater than 0.
class BackwardLineFinder {
public:
    explicit BackwardLineFinder(const FileHandle& file) : m_fd(file.Get()) {}

    // The start of the previous line; `line` receives its bytes when they all
    // lie in the block read, else it is left empty (read the line forward).
    int64_t PreviousLineStart(int64_t lineStart, std::string_view& line);

private:
    bool Load(int64_t end, size_t size);

    int m_fd;
    int64_t m_blockStart = 0;
    std::string m_block;
};

}  // namespace tavik

namespace tavik {

// True when a symbolic link owned by a user other than the one running this
// (or root) stands on the way from `path` to its file. In a folder other users can write, such a
// link is how one of them would make this program read or write a file of theirs choosing; it is
// never followed.
bool IsLinkOwnedByOtherUser(const std::filesystem::path& path);

}  // namespace tavik
