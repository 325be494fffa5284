// Temporary file beside the target, then rename.
#include "tools/replacing_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "tools/tool_error.h"

namespace tavik {

namespace {
constexpr size_t kFlushSize = 1 << 20;
}

void WriteAll(int fd, std::string_view bytes, const std::filesystem::path& path) {
    while (!bytes.empty()) {
        const ssize_t put = ::write(fd, bytes.data(), bytes.size());
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) throw ToolError(path.string() + ": " + std::strerror(errno));
        bytes.remove_prefix(size_t(put));
    }
}

std::string TemporaryPatternBeside(const std::filesystem::path& target, const char* suffix) {
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    std::string name = ".";
    name += target.filename().string();
    name += suffix;
    name += "XXXXXX";
    return (folder / name).string();
}

ReplacingFile::ReplacingFile(std::filesystem::path target) : m_target(std::move(target)) {
    std::string pattern = TemporaryPatternBeside(m_target, ".");
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) throw ToolError(m_target.string() + ": " + std::strerror(errno));
    m_file = FileHandle(fd);
    m_temporary = pattern;
    // mkstemp makes the file private; a dictionary is an ordinary file.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    m_buffer.reserve(kFlushSize);
}

ReplacingFile::~ReplacingFile() {
    if (!m_committed) {
        std::error_code ignored;
        std::filesystem::remove(m_temporary, ignored);
    }
}

void ReplacingFile::Flush() {
    WriteAll(m_file.Get(), m_buffer, m_target);
    m_buffer.clear();
}

void ReplacingFile::Write(std::string_view bytes) {
    m_buffer.append(bytes);
    if (m_buffer.size() >= kFlushSize) Flush();
}

void ReplacingFile::Commit() {
    Flush();
    if (::fsync(m_file.Get()) != 0 || ::close(m_file.Release()) != 0)
        throw ToolError(m_target.string() + ": " + std::strerror(errno));
    std::error_code error;
    std::filesystem::rename(m_temporary, m_target, error);
    if (error) throw ToolError(m_target.string() + ": " + error.message());
    m_committed = true;
}

}  // namespace tavik
