// Reading a file front to back in bounded memory, inflated on the way when it
// is gzip-compressed (chosen by its first bytes, not its name).
#pragma once

#include <zlib.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "text/file.h"

namespace tavik {

class ByteSource {
public:
    // Throws ToolError when the file cannot be opened.
    explicit ByteSource(const std::filesystem::path& path);
    ~ByteSource();
    ByteSource(const ByteSource&) = delete;
    ByteSource& operator=(const ByteSource&) = delete;

    // Up to `size` bytes into `out`; 0 at the end. Throws ToolError naming
    // the file when it cannot be read or its compressed data is broken or
    // cut off.
    size_t Read(char* out, size_t size);

    bool Compressed() const { return m_stream != nullptr; }
    // Bytes of the file itself consumed so far (compressed bytes for gzip).
    uint64_t FileBytesRead() const { return m_fileBytesRead; }
    uint64_t FileSize() const { return m_fileSize; }

private:
    size_t ReadFile(char* out, size_t size);
    size_t Inflate(char* out, size_t size);

    std::filesystem::path m_path;
    FileHandle m_file;
    uint64_t m_fileSize = 0;
    uint64_t m_fileBytesRead = 0;
    std::unique_ptr<z_stream> m_stream;
    std::string m_input;
    bool m_inputAtEnd = false;
    bool m_streamEnded = false;
};

}  // namespace tavik
