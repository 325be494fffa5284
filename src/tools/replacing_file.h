// Writing a tool's output (a ReplacingFile): a regular file is replaced only
// when the new content is complete, through a ReplacementFile; a stream or a
// device is written directly. Buffered, with failures thrown as ToolError. A
// writer destroyed before Commit removes its temporary file.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "text/file.h"
#include "text/replacement_file.h"
#include "tools/output_target.h"

namespace tavik {

class ReplacingFile {
public:
    explicit ReplacingFile(const OutputTarget& target);
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    void Write(std::string_view bytes);
    // Flushes; a regular file is synced and renamed onto the target.
    void Commit();

private:
    void Flush();

    std::filesystem::path m_target;
    std::optional<ReplacementFile> m_file;
    FileHandle m_direct;
    std::string m_buffer;
};

// Writes all of `bytes` to `fd`; throws ToolError naming `path` on failure.
void WriteAll(int fd, std::string_view bytes, const std::filesystem::path& path);

}  // namespace tavik
