// A buffered writer over a replacement file, reporting failures as
// ToolError.
#include "tools/replacing_file.h"

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

std::string TemporaryPatternBeside(const std::filesystem::path& target, const char* suffix) {
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    std::string name = ".";
    name += target.filename().string();
    name += suffix;
    name += "XXXXXX";
    return (folder / name).string();
}

ReplacingFile::ReplacingFile(std::filesystem::path target)
    : m_target(std::move(target)), m_file(Create(m_target)) {
    m_buffer.reserve(kFlushSize);
}

ReplacementFile ReplacingFile::Create(const std::filesystem::path& target) {
    errno = 0;
    std::optional<ReplacementFile> file = ReplacementFile::Create(target);
    if (!file) Fail(target);
    return std::move(*file);
}

void ReplacingFile::Flush() {
    errno = 0;
    if (!m_file.Write(m_buffer)) Fail(m_target);
    m_buffer.clear();
}

void ReplacingFile::Write(std::string_view bytes) {
    m_buffer.append(bytes);
    if (m_buffer.size() >= kFlushSize) Flush();
}

void ReplacingFile::Commit() {
    Flush();
    errno = 0;
    if (!m_file.Commit()) Fail(m_target);
}

}  // namespace tavik
