// Buffered reading of profile files with the byte-by-byte line rules.
#include "config/profile_reader.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "config/profile.h"

namespace tavik {

namespace {

constexpr unsigned char kEndMark = 0xFF;

}  // namespace

bool ProfileByteReader::Fill() {
    if (m_next < m_length) return true;
    if (m_atFileEnd) return false;
    m_next = 0;
    m_length = 0;
    const size_t wanted = size_t(std::min<int64_t>(m_left, int64_t(m_buffer.size())));
    for (;;) {
        const ssize_t got = wanted == 0 ? 0 : ::read(m_fd, m_buffer.data(), wanted);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) m_failed = true;
        if (got <= 0) {
            m_atFileEnd = true;
            return false;
        }
        m_length = size_t(got);
        m_left -= got;
        return true;
    }
}

int ProfileByteReader::PeekByte() {
    if (!Fill()) return kEnd;
    const auto byte = static_cast<unsigned char>(m_buffer[m_next]);
    return byte == kEndMark ? kEnd : int(byte);
}

void ProfileByteReader::SkipByte() {
    if (Fill()) ++m_next;
}

void ProfileByteReader::ReadRest(std::string& out) {
    while (Fill()) {
        out.append(m_buffer.data() + m_next, m_length - m_next);
        m_next = m_length;
    }
}

bool ProfileReadLine(ProfileByteReader& file, char* buffer, int size) {
    if (size <= 0) return false;
    std::memset(buffer, 0, size_t(size));
    bool readAny = false;
    for (int stored = 0; stored < size - 1;) {
        const int byte = file.PeekByte();
        if (byte == ProfileByteReader::kEnd) break;
        readAny = true;
        file.SkipByte();
        if (byte == '\n') break;
        buffer[stored++] = char(byte);
    }
    return readAny;
}

bool ProfileReadWholeLine(ProfileByteReader& file, std::string& line) {
    line.clear();
    bool readAny = false;
    for (;;) {
        const int byte = file.PeekByte();
        if (byte == ProfileByteReader::kEnd) break;
        readAny = true;
        file.SkipByte();
        if (byte == '\n') break;
        line.push_back(char(byte));
    }
    return readAny;
}

std::string_view ProfileVisibleText(std::string_view wholeLine) {
    const std::string_view piece = wholeLine.substr(0, kProfileLineBuffer - 1);
    return piece.substr(0, std::min(piece.find('\0'), piece.size()));
}

}  // namespace tavik
