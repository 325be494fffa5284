// Writing a file that replaces another only when it is complete (a
// ReplacementFile), buffered, with failures thrown as ToolError. A writer
// destroyed before Commit removes its temporary file.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "text/file.h"
#include "text/replacement_file.h"

namespace tavik {

class ReplacingFile {
public:
    explicit ReplacingFile(std::filesystem::path target);
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    void Write(std::string_view bytes);
    // Flushes, syncs and renames the temporary file onto the target.
    void Commit();

private:
    static ReplacementFile Create(const std::filesystem::path& target);
    void Flush();

    std::filesystem::path m_target;
    ReplacementFile m_file;
    std::string m_buffer;
};

// A mkstemp/mkdtemp pattern for a hidden temporary beside `target`:
// "<folder>/.<name><suffix>XXXXXX".
std::string TemporaryPatternBeside(const std::filesystem::path& target, const char* suffix);

// Writes all of `bytes` to `fd`; throws ToolError naming `path` on failure.
void WriteAll(int fd, std::string_view bytes, const std::filesystem::path& path);

}  // namespace tavik
