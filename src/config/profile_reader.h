// Reading a profile file byte by byte and line by line. A byte 0xFF marks
// the end of the text: reading stops before it, and it is met again at every
// further read.
#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "config/profile.h"
#include "text/file.h"

namespace tavik {

class ProfileByteReader {
public:
    static constexpr int kEnd = -1;

    // Reads `file` from its current position, at most `limit` bytes; the file
    // must outlive the reader.
    explicit ProfileByteReader(const FileHandle& file,
                               int64_t limit = std::numeric_limits<int64_t>::max())
        : m_fd(file.Get()), m_left(limit) {}

    // The next byte (0 to 254) without consuming it, or kEnd at the end of the
    // file or at a 0xFF byte.
    int PeekByte();
    // Consumes the byte PeekByte reported.
    void SkipByte();

    // Appends every byte left, the 0xFF end mark and what follows it
    // included, and consumes them.
    void ReadRest(std::string& out);

    // Whether reading the file failed; a failure reads as the end of the file.
    bool Failed() const { return m_failed; }

private:
    bool Fill();

    int m_fd;
    int64_t m_left;  // bytes the limit still allows
    std::array<char, 4096> m_buffer;
    size_t m_next = 0;
    size_t m_length = 0;
    bool m_atFileEnd = false;
    bool m_failed = false;
};

// Reads one line into `buffer`, which is zero-filled first: at most `size` - 1
// bytes, up to a line feed (consumed, not stored) or the end of the file. A
// line cut by the size leaves the rest of its bytes for the next call. The
// text is zero-terminated, so a 0x00 byte ends it early. False only when the
// end came before any byte, line feed included.
bool ProfileReadLine(ProfileByteReader& file, char* buffer, int size);

template <size_t N>
bool ProfileReadLine(ProfileByteReader& file, std::array<char, N>& buffer) {
    return ProfileReadLine(file, buffer.data(), int(N));
}

// Reads a whole line, however long, up to a line feed (consumed, not stored)
// or the end of the file, every byte kept. False only when the end came
// before any byte.
bool ProfileReadWholeLine(ProfileByteReader& file, std::string& line);

// What the line reads see of a whole line: its first piece that fits the line
// buffer, up to a 0x00 byte.
std::string_view ProfileVisibleText(std::string_view wholeLine);

}  // namespace tavik
