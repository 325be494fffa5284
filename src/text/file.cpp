// Opening regular files and reading lines with pread through a fixed buffer.
#include "text/file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

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
    struct stat info;
    if (::fstat(file.Get(), &info) != 0) {
        if (error) *error = std::strerror(errno);
        return std::nullopt;
    }
    if (!S_ISREG(info.st_mode)) {
        if (error) *error = S_ISDIR(info.st_mode) ? "is a folder" : "not a regular file";
        return std::nullopt;
    }
    const int flags = ::fcntl(file.Get(), F_GETFL);
    if (flags >= 0) ::fcntl(file.Get(), F_SETFL, flags & ~O_NONBLOCK);
    return file;
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

LineReader::LineReader(const FileHandle& file, size_t limit, size_t readSize)
    : m_fd(file.Get()),
      m_limit(std::min(limit, kCapacity)),
      m_readSize(std::clamp<size_t>(readSize, 1, kCapacity)) {}

void LineReader::Seek(int64_t position) { m_position = std::max<int64_t>(position, 0); }

void LineReader::SetReadSize(size_t readSize) {
    m_readSize = std::clamp<size_t>(readSize, 1, kCapacity);
}

int64_t LineReader::Size() {
    struct stat info;
    if (::fstat(m_fd, &info) != 0) return 0;
    return info.st_size;
}

bool LineReader::Fill(size_t want) {
    m_bufferStart = m_position;
    m_bufferLength = 0;
    m_bufferReachesEnd = false;
    while (m_bufferLength < want) {
        const ssize_t got = ::pread(m_fd, m_buffer.data() + m_bufferLength, want - m_bufferLength,
                                    m_bufferStart + int64_t(m_bufferLength));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            // The end of the file, or a read error, which ends reading alike.
            m_bufferReachesEnd = true;
            break;
        }
        m_bufferLength += size_t(got);
    }
    return m_bufferLength > 0;
}

bool LineReader::ReadLine(std::string_view& line) {
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
    const char* nul = static_cast<const char*>(std::memchr(begin, '\0', length));
    line = std::string_view(begin, nul ? size_t(nul - begin) : length);
    return true;
}

}  // namespace tavik

namespace tavik {

bool IsLinkOwnedByOtherUser(const std::filesystem::path& path) {
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return false;
    return info.st_uid != ::geteuid() && info.st_uid != 0;
}

}  // namespace tavik
