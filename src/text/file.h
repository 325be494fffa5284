// Files as the dictionary search reads them: opened for reading only when
// they are regular files, read line by line through a fixed buffer.
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

// Writes all of `bytes` to `fd`, resuming after interrupted or short writes.
// False when the system refused part of it (a full disk, an I/O error).
bool WriteAll(int fd, std::string_view bytes);

// Reads lines the way a line read of at most `limit` bytes does: a line ends
// after its line feed or after `limit` bytes, whichever comes first, so a
// longer line arrives in pieces. The text of a line stops at its first NUL
// byte, but the position moves past every byte read.
class LineReader {
public:
    static constexpr size_t kCapacity = 16384;

    // `readSize` is how much one refill asks of the file: small for the
    // scattered probes of a binary search, large for reading a window.
    LineReader(const FileHandle& file, size_t limit, size_t readSize);

    void Seek(int64_t position);
    // Changes how much later refills ask of the file.
    void SetReadSize(size_t readSize);
    int64_t Tell() const { return m_position; }
    // The file size, asked of the file once.
    int64_t Size();

    // False at the end of the file (nothing left to read). The view stays
    // valid until the next call.
    bool ReadLine(std::string_view& line);

private:
    bool Fill(size_t want);

    int m_fd;
    size_t m_limit;
    size_t m_readSize;
    int64_t m_position = 0;
    int64_t m_bufferStart = 0;
    size_t m_bufferLength = 0;
    bool m_bufferReachesEnd = false;
    std::array<char, kCapacity> m_buffer;
};

}  // namespace tavik

namespace tavik {

// True when `path` is a symbolic link owned by a user other than the one
// running this (or root). In a folder other users can write, such a link is
// how one of them would make this program read or write a file of theirs
// choosing; it is never followed.
bool IsLinkOwnedByOtherUser(const std::filesystem::path& path);

}  // namespace tavik
