// Splitting one fuzz input into the pieces a target needs, and a file the
// code under test can open by path without touching the disk.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "text/codepage.h"

namespace tavik::fuzz {

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size)
        : m_rest(reinterpret_cast<const char*>(data), size) {}

    uint8_t Byte() {
        if (m_rest.empty()) return 0;
        const auto b = static_cast<uint8_t>(m_rest[0]);
        m_rest.remove_prefix(1);
        return b;
    }
    // A piece of at most `max` bytes, its length taken from the input.
    std::string_view Piece(size_t max) {
        const size_t length = std::min<size_t>(Byte() % (max + 1), m_rest.size());
        auto piece = m_rest.substr(0, length);
        m_rest.remove_prefix(length);
        return piece;
    }
    std::string_view Rest() const { return m_rest; }

private:
    std::string_view m_rest;
};

// CP949 or UTF-8, as the input's next byte says.
inline const CodePage& PickCodePage(FuzzInput& input) {
    static const CodePage cp949 = CodePage::Default();
    static const CodePage utf8 = *CodePage::Named("UTF-8");
    return input.Byte() & 1 ? utf8 : cp949;
}

// An in-memory file reachable by a path, rewritten for every input.
class MemoryFile {
public:
    MemoryFile() : m_fd(::memfd_create("tavik-fuzz", 0)) {}
    ~MemoryFile() { ::close(m_fd); }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    std::string Path() const { return "/proc/self/fd/" + std::to_string(m_fd); }
    void Set(std::string_view bytes) {
        if (::ftruncate(m_fd, 0) != 0) __builtin_trap();
        if (::pwrite(m_fd, bytes.data(), bytes.size(), 0) != ssize_t(bytes.size()))
            __builtin_trap();
    }

private:
    int m_fd;
};

}  // namespace tavik::fuzz
