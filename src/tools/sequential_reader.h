// Reading a whole file front to back, line by line, in large blocks: the
// dictionary tools see every line whole, up to a bound that keeps memory
// bounded whatever the file holds.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "text/file.h"

namespace tavik {

// Far beyond any dictionary line; a longer one is not text the tools can use.
inline constexpr size_t kSequentialLineLimit = size_t(16) << 20;

class SequentialReader {
public:
    // Throws ToolError when the file cannot be opened.
    explicit SequentialReader(const std::filesystem::path& path,
                              size_t lineLimit = kSequentialLineLimit);

    // The next line with its line feed (the last line may lack one). False at
    // the end of the file. The view stays valid until the next call. Throws
    // ToolError for a line longer than the limit.
    bool ReadLine(std::string_view& line);
    // The same without the line feed and a carriage return before it, for
    // text formats.
    bool ReadTextLine(std::string_view& line);
    // The 1-based number of the line read last.
    int64_t LineNumber() const { return m_lineNumber; }

    // Whole-file reads for binary formats.
    int64_t Size() const { return m_size; }
    // Bytes of the file behind the lines read so far.
    int64_t Position() const { return m_bufferStart + int64_t(m_begin); }

private:
    bool Refill();
    [[noreturn]] void LineTooLong() const;

    std::filesystem::path m_path;
    size_t m_lineLimit;
    FileHandle m_file;
    int64_t m_size = 0;
    std::string m_buffer;
    int64_t m_bufferStart = 0;  // the file offset of the buffer's first byte
    size_t m_begin = 0;
    size_t m_end = 0;
    bool m_atEnd = false;
    int64_t m_lineNumber = 0;
};

}  // namespace tavik
