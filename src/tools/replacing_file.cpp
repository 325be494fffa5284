// A buffered writer over a replacement file or a stream, reporting failures
// as ToolError.
#include "tools/replacing_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "tools/tool_error.h"

namespace tavik {

namespace {

constexpr size_t kFlushSize = 1 << 20;

[[noreturn]] void Fail(const std::filesystem::path& path) {
    throw ToolError(path.string() + ": " + (errno ? std::strerror(errno) : "cannot be written"));
}

}  // namespace

void WriteAll(int fd, std::string_view bytes, const std::filesystem::path& path) {
    if (!WriteAll(fd, bytes)) Fail(path);
}

ReplacingFile::ReplacingFile(const OutputTarget& target)
    : m_target(target.path),
      m_file(target.direct ? std::nullopt
                           : ReplacementFile::Create(m_target, TemporaryTag("tavik"))) {
    if (!target.direct) {
        if (!m_file) Fail(m_target);
    } else if (target.descriptor) {
        errno = 0;
        m_direct = FileHandle(::fcntl(*target.descriptor, F_DUPFD_CLOEXEC, 3));
        if (!m_direct.IsOpen()) Fail(m_target);
    } else {
        // No O_CREAT or O_TRUNC: a device or a FIFO is used as it is.
        errno = 0;
        m_direct = FileHandle(::open(m_target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY));
        if (!m_direct.IsOpen()) Fail(m_target);
    }
    m_buffer.reserve(kFlushSize);
}

void ReplacingFile::Flush() {
    errno = 0;
    if (m_file ? !m_file->Write(m_buffer) : !tavik::WriteAll(m_direct.Get(), m_buffer))
        Fail(m_target);
    m_buffer.clear();
}

void ReplacingFile::Write(std::string_view bytes) {
    m_buffer.append(bytes);
    if (m_buffer.size() >= kFlushSize) Flush();
}

void ReplacingFile::Commit() {
    Flush();
    errno = 0;
    if (m_file ? !m_file->Commit() : ::close(m_direct.Release()) != 0) Fail(m_target);
}

}  // namespace tavik
