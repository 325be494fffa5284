// Opening regular files and reading lines with pread through a fixed buffer.
#include "text/file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "text/codepage_detect.h"
#include "text/guarded_open.h"

namespace tavik {

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
    if (this != &other) {
        if (m_fd >= 0) ::close(m_fd);
        m_fd = other.Release();
    }
    return *this;
}

FileHandle::~FileHandle() {
    if (m_fd >= 0) ::close(m_fd);
}

int FileHandle::Release() {
    const int fd = m_fd;
    m_fd = -1;
    return fd;
}

std::optional<FileHandle> OpenRegularFileForReading(const std::filesystem::path& path,
                                                    std::string* error) {
    // O_NONBLOCK keeps the open itself from waiting for a FIFO's writer.
    FileHandle file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!file.IsOpen()) {
        if (error) *error = std::strerror(errno);
        return std::nullopt;
    }
    if (!KeepIfRegularFile(file, error)) return std::nullopt;
    return file;
}

bool KeepIfRegularFile(FileHandle& file, std::string* error) {
    struct stat info;
    if (::fstat(file.Get(), &info) != 0) {
        if (error) *error = std::strerror(errno);
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        if (error) *error = S_ISDIR(info.st_mode) ? "is a folder" : "not a regular file";
        return false;
    }
    // Reads leave the access time alone where the file is ours to say so: a
    // batch of lookups makes thousands of reads, and each would otherwise
    // see whether the time is due to change.
    const int flags = ::fcntl(file.Get(), F_GETFL);
    if (flags >= 0 && ::fcntl(file.Get(), F_SETFL, (flags & ~O_NONBLOCK) | O_NOATIME) != 0)
        ::fcntl(file.Get(), F_SETFL, flags & ~O_NONBLOCK);
    return true;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(size_t(written));
    }
    return true;
}

namespace {

// A longer line is gathered, or skipped, this much at a time.
constexpr size_t kLongLineChunk = size_t(64) << 10;
// The first read again from a line's start asks for at least this much: an
// ordinary line is then seen whole.
constexpr size_t kFirstRefill = 1024;

std::string_view UpToNul(const char* begin, size_t length) {
    const char* nul = static_cast<const char*>(std::memchr(begin, '\0', length));
    return std::string_view(begin, nul ? size_t(nul - begin) : length);
}

}  // namespace

LineReader::LineReader(const FileHandle& file, size_t limit, size_t readSize, LongLines longLines)
    : m_fd(file.Get()),
      m_limit(longLines == LongLines::kInPieces ? std::min(limit, kCapacity)
                                                : std::max<size_t>(limit, 1)),
      m_readSize(std::clamp<size_t>(readSize, 1, kCapacity)),
      m_longLines(longLines) {}

void LineReader::Seek(int64_t position) { m_position = std::max<int64_t>(position, 0); }

void LineReader::SetReadSize(size_t readSize) {
    m_readSize = std::clamp<size_t>(readSize, 1, kCapacity);
}

int64_t LineReader::Size() {
    struct stat info;
    if (::fstat(m_fd, &info) != 0) return 0;
    return info.st_size;
}

size_t LineReader::ReadAt(char* into, size_t want, int64_t at) const {
    size_t got = 0;
    while (got < want) {
        const ssize_t n = ::pread(m_fd, into + got, want - got, at + int64_t(got));
        if (n < 0 && errno == EINTR) continue;
        // The end of the file, or a read error, which ends reading alike.
        if (n <= 0) break;
        got += size_t(n);
    }
    return got;
}

bool LineReader::Fill(size_t want) {
    m_bufferStart = m_position;
    m_bufferLength = ReadAt(m_buffer.data(), want, m_bufferStart);
    m_bufferReachesEnd = m_bufferLength < want;
    return m_bufferLength > 0;
}

bool LineReader::ReadLine(std::string_view& line) {
    m_lineStart = m_position;
    m_lineCut = false;
    const bool read =
        m_longLines == LongLines::kInPieces ? ReadPiece(m_lineBytes) : ReadWhole(m_lineBytes);
    if (!read) return false;
    if (m_longLines == LongLines::kWhole && m_lineStart == 0 &&
        m_lineBytes.starts_with(kUtf8ByteOrderMark))
        m_lineBytes.remove_prefix(kUtf8ByteOrderMark.size());
    line = UpToNul(m_lineBytes.data(), m_lineBytes.size());
    return true;
}

bool LineReader::ReadPiece(std::string_view& line) {
    const int64_t bufferEnd = m_bufferStart + int64_t(m_bufferLength);
    const bool inBuffer = m_position >= m_bufferStart && m_position <= bufferEnd;
    const char* feed = nullptr;
    if (inBuffer) {
        const size_t offset = size_t(m_position - m_bufferStart);
        feed = static_cast<const char*>(std::memchr(m_buffer.data() + offset, '\n',
                                                    std::min(m_bufferLength - offset, m_limit)));
    }
    // Read again only when the buffer cannot tell where the line ends; such a
    // read takes in a whole line at least.
    if (!inBuffer) {
        if (!Fill(m_readSize)) return false;
        feed = nullptr;
    }
    if (!feed && !m_bufferReachesEnd &&
        m_bufferStart + int64_t(m_bufferLength) - m_position < int64_t(m_limit)) {
        if (!Fill(std::max(m_readSize, m_limit))) return false;
        feed = nullptr;
    }
    const size_t offset = size_t(m_position - m_bufferStart);
    const size_t available = std::min(m_bufferLength - offset, m_limit);
    if (available == 0) return false;
    const char* begin = m_buffer.data() + offset;
    if (!feed) feed = static_cast<const char*>(std::memchr(begin, '\n', available));
    const size_t length = feed ? size_t(feed - begin) + 1 : available;
    m_position += int64_t(length);
    line = std::string_view(begin, length);
    return true;
}

bool LineReader::ReadWhole(std::string_view& line) {
    const int64_t bufferEnd = m_bufferStart + int64_t(m_bufferLength);
    if (m_position < m_bufferStart || m_position > bufferEnd) {
        if (!Fill(m_readSize)) return false;
    }
    // An ordinary line is seen whole after one read from its start, of the
    // same size as a reader in pieces would make; only a longer one costs more.
    // The line feed found on the way is the line's own (the buffer holds less
    // than the limit then): it is not looked for again.
    const char* feed = nullptr;
    for (const size_t want : {std::max(m_readSize, kFirstRefill), kCapacity}) {
        const size_t offset = size_t(m_position - m_bufferStart);
        const size_t available = m_bufferLength - offset;
        if (m_bufferReachesEnd || available >= m_limit) break;
        feed = static_cast<const char*>(std::memchr(m_buffer.data() + offset, '\n', available));
        if (feed) break;
        if (want > available && !Fill(want)) return false;
    }
    const size_t offset = size_t(m_position - m_bufferStart);
    const size_t available = std::min(m_bufferLength - offset, m_limit);
    if (available == 0) return false;
    const char* begin = m_buffer.data() + offset;
    if (!feed) feed = static_cast<const char*>(std::memchr(begin, '\n', available));
    if (!feed && !(m_bufferReachesEnd && available == m_bufferLength - offset))
        return ReadLongLine(line);
    const size_t length = feed ? size_t(feed - begin) + 1 : available;
    m_position += int64_t(length);
    line = std::string_view(begin, length);
    return true;
}

bool LineReader::ReadLongLine(std::string_view& line) {
    // What the buffer holds of the line has no line feed.
    const size_t offset = size_t(m_position - m_bufferStart);
    const size_t have = std::min(m_bufferLength - offset, m_limit);
    m_longLine.assign(m_buffer.data() + offset, have);
    int64_t at = m_position + int64_t(have);
    bool atEnd = m_bufferReachesEnd && have == m_bufferLength - offset;
    while (!atEnd && m_longLine.size() < m_limit) {
        const size_t old = m_longLine.size();
        const size_t want = std::min(kLongLineChunk, m_limit - old);
        m_longLine.resize(old + want);
        const size_t got = ReadAt(m_longLine.data() + old, want, at);
        m_longLine.resize(old + got);
        const char* feed =
            static_cast<const char*>(std::memchr(m_longLine.data() + old, '\n', got));
        if (feed) {
            m_longLine.resize(size_t(feed - m_longLine.data()) + 1);
            m_position = m_lineStart + int64_t(m_longLine.size());
            line = m_longLine;
            return true;
        }
        at += int64_t(got);
        atEnd = got < want;
    }
    if (m_longLine.empty()) return false;
    m_position = at;
    if (!atEnd) {
        SkipPastLineFeed(at);
        m_lineCut = m_position > at;
    }
    line = m_longLine;
    return true;
}

void LineReader::SkipPastLineFeed(int64_t from) {
    // The probes of a binary search may land in one huge line many times:
    // a span skipped before is not read again.
    const bool known = from >= m_skippedFrom && from < m_skippedTo;
    m_position = from;
    SkipFromPosition();
    if (!known) {
        m_skippedFrom = from;
        m_skippedTo = m_position;
    }
}

void LineReader::SkipFromPosition() {
    for (;;) {
        if (m_position >= m_skippedFrom && m_position < m_skippedTo) {
            m_position = m_skippedTo;
            return;
        }
        if (!Fill(kCapacity)) return;
        const char* feed =
            static_cast<const char*>(std::memchr(m_buffer.data(), '\n', m_bufferLength));
        if (feed) {
            m_position = m_bufferStart + int64_t(feed - m_buffer.data()) + 1;
            return;
        }
        m_position += int64_t(m_bufferLength);
        if (m_bufferReachesEnd) return;
    }
}

bool BackwardLineFinder::Load(int64_t end, size_t size) {
    m_blockStart = std::max<int64_t>(0, end - int64_t(size));
    m_block.resize(size_t(end - m_blockStart));
    size_t got = 0;
    while (got < m_block.size()) {
        const ssize_t n =
            ::pread(m_fd, m_block.data() + got, m_block.size() - got, m_blockStart + int64_t(got));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += size_t(n);
    }
    if (got == m_block.size()) return true;
    m_block.clear();
    m_blockStart = 0;
    return false;
}

int64_t BackwardLineFinder::PreviousLineStart(int64_t lineStart, std::string_view& line) {
    // An ordinary line lies in a small block; only a longer one costs a large
    // one, and past that its bytes are not kept.
    constexpr size_t kSmallBlock = size_t(4) << 10;
    constexpr size_t kBlock = size_t(64) << 10;
    line = {};
    // The previous line's own line feed sits right before `lineStart`.
    const int64_t searchEnd = lineStart - 1;
    if (searchEnd <= 0) return 0;
    const int64_t blockEnd = m_blockStart + int64_t(m_block.size());
    bool held = m_blockStart < searchEnd && lineStart <= blockEnd;
    for (size_t size = kSmallBlock;; size = kBlock, held = false) {
        if (!held && !Load(lineStart, size)) return -1;
        const char* base = m_block.data();
        const char* feed =
            static_cast<const char*>(::memrchr(base, '\n', size_t(searchEnd - m_blockStart)));
        if (feed || m_blockStart == 0) {
            const int64_t start = feed ? m_blockStart + (feed - base) + 1 : 0;
            line = std::string_view(base + (start - m_blockStart), size_t(lineStart - start));
            return start;
        }
        if (size == kBlock) break;
    }
    // A long line: go on backwards without keeping its bytes.
    for (int64_t end = m_blockStart;;) {
        if (!Load(end, kBlock)) return -1;
        const char* feed =
            static_cast<const char*>(::memrchr(m_block.data(), '\n', m_block.size()));
        if (feed) return m_blockStart + (feed - m_block.data()) + 1;
        if (m_blockStart == 0) return 0;
        end = m_blockStart;
    }
}

}  // namespace tavik

namespace tavik {

bool IsLinkOwnedByOtherUser(const std::filesystem::path& path) {
    return !ResolveOwnLinks(path).has_value();
}

}  // namespace tavik
