// Block reads with a buffer that grows only for lines longer than a block.
#include "tools/sequential_reader.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "tools/tool_error.h"

namespace tavik {

namespace {
constexpr size_t kBlock = 1 << 20;
}

SequentialReader::SequentialReader(const std::filesystem::path& path, size_t lineLimit)
    : m_path(path), m_lineLimit(lineLimit) {
    std::string error;
    auto file = OpenRegularFileForReading(path, &error);
    if (!file) throw ToolError(path.string() + ": " + error);
    m_file = std::move(*file);
    struct stat info;
    if (::fstat(m_file.Get(), &info) == 0) m_size = info.st_size;
    m_buffer.resize(kBlock);
}

bool SequentialReader::Refill() {
    if (m_atEnd) return false;
    if (m_begin > 0) {
        std::memmove(m_buffer.data(), m_buffer.data() + m_begin, m_end - m_begin);
        m_end -= m_begin;
        m_bufferStart += int64_t(m_begin);
        m_begin = 0;
    }
    if (m_end > m_lineLimit) LineTooLong();
    if (m_end == m_buffer.size()) m_buffer.resize(std::min(m_buffer.size() * 2, m_lineLimit + 1));
    for (;;) {
        const ssize_t got = ::read(m_file.Get(), m_buffer.data() + m_end, m_buffer.size() - m_end);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) throw ToolError(m_path.string() + ": " + std::strerror(errno));
        if (got == 0) {
            m_atEnd = true;
            return false;
        }
        m_end += size_t(got);
        return true;
    }
}

void SequentialReader::LineTooLong() const {
    throw ToolError(m_path.string() + ":" + std::to_string(m_lineNumber) + ": a line longer than " +
                    std::to_string(m_lineLimit) +
                    " bytes; this is not a text file the tools can read");
}

bool SequentialReader::ReadTextLine(std::string_view& line) {
    if (!ReadLine(line)) return false;
    if (line.ends_with('\n')) line.remove_suffix(1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    return true;
}

bool SequentialReader::ReadLine(std::string_view& line) {
    ++m_lineNumber;
    size_t searchFrom = m_begin;
    for (;;) {
        const void* feed = std::memchr(m_buffer.data() + searchFrom, '\n', m_end - searchFrom);
        if (feed) {
            const size_t stop = size_t(static_cast<const char*>(feed) - m_buffer.data()) + 1;
            if (stop - m_begin - 1 > m_lineLimit) LineTooLong();
            line = std::string_view(m_buffer.data() + m_begin, stop - m_begin);
            m_begin = stop;
            return true;
        }
        const size_t scanned = m_end - m_begin;
        if (!Refill()) break;
        searchFrom = m_begin + scanned;
    }
    if (m_begin == m_end) return false;
    if (m_end - m_begin > m_lineLimit) LineTooLong();
    line = std::string_view(m_buffer.data() + m_begin, m_end - m_begin);
    m_begin = m_end;
    return true;
}

}  // namespace tavik
