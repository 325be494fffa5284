// Header probes of BMP, GIF, PNG and JPEG files.
#include "app/picture_probe.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace tavik {

namespace {

// Reads the file through one buffer: the GIF and JPEG walks step a byte or a
// block at a time, and a file of a million one-byte blocks or fill bytes must
// not cost a million system calls.
class ProbeReader {
public:
    explicit ProbeReader(const FileHandle& file) : m_fd(file.Get()) {}

    // Reads exactly `size` bytes at `offset`; false at the end of the file.
    bool ReadAt(int64_t offset, void* out, size_t size) {
        auto* bytes = static_cast<unsigned char*>(out);
        while (size > 0) {
            if (offset < m_start || offset >= m_start + int64_t(m_length)) {
                if (!Fill(offset)) return false;
            }
            const size_t skip = size_t(offset - m_start);
            const size_t take = std::min(size, m_length - skip);
            std::memcpy(bytes, m_buffer.data() + skip, take);
            bytes += take;
            offset += int64_t(take);
            size -= take;
        }
        return true;
    }

    // Skips a run of GIF data sub-blocks starting at `offset`, in the buffer.
    bool SkipSubBlocks(int64_t& offset) {
        for (;;) {
            if (offset < m_start || offset >= m_start + int64_t(m_length)) {
                if (!Fill(offset)) return false;
            }
            const unsigned length = m_buffer[size_t(offset - m_start)];
            offset += 1 + length;
            if (length == 0) return true;
        }
    }

private:
    bool Fill(int64_t offset) {
        if (offset < 0) return false;
        m_start = offset;
        m_length = 0;
        for (;;) {
            const ssize_t got = ::pread(m_fd, m_buffer.data(), m_buffer.size(), offset);
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) return false;
            m_length = size_t(got);
            return true;
        }
    }

    int m_fd;
    std::array<unsigned char, 64 * 1024> m_buffer;
    int64_t m_start = 0;
    size_t m_length = 0;
};

uint32_t Le16(const unsigned char* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }
uint32_t Le32(const unsigned char* p) { return Le16(p) | Le16(p + 2) << 16; }
uint32_t Be16(const unsigned char* p) { return uint32_t(p[0]) << 8 | uint32_t(p[1]); }
uint32_t Be32(const unsigned char* p) { return Be16(p) << 16 | Be16(p + 2); }

std::optional<PictureHeader> Sized(PictureFormat format, int64_t width, int64_t height) {
    if (width <= 0 || height <= 0 || width > INT32_MAX || height > INT32_MAX) return std::nullopt;
    return PictureHeader{format, int(width), int(height), width * height};
}

std::optional<PictureHeader> ProbeBmp(ProbeReader& file) {
    std::array<unsigned char, 26> h{};
    if (!file.ReadAt(0, h.data(), h.size())) return std::nullopt;
    const uint32_t infoSize = Le32(&h[14]);
    if (infoSize == 12)  // the old OS/2 header: 16-bit sizes
        return Sized(PictureFormat::kBmp, Le16(&h[18]), Le16(&h[20]));
    if (infoSize < 40) return std::nullopt;
    const int64_t width = int32_t(Le32(&h[18]));
    const int64_t height = int32_t(Le32(&h[22]));  // negative: stored top-down
    return Sized(PictureFormat::kBmp, width, std::llabs(height));
}

std::optional<PictureHeader> ProbePng(ProbeReader& file) {
    std::array<unsigned char, 24> h{};
    if (!file.ReadAt(0, h.data(), h.size())) return std::nullopt;
    if (std::memcmp(&h[12], "IHDR", 4) != 0) return std::nullopt;
    return Sized(PictureFormat::kPng, Be32(&h[16]), Be32(&h[20]));
}

// Walks every block, since the decoder keeps all frames and a frame may be
// larger than the picture's own size.
std::optional<PictureHeader> ProbeGif(ProbeReader& file) {
    std::array<unsigned char, 13> h{};
    if (!file.ReadAt(0, h.data(), h.size())) return std::nullopt;
    std::optional<PictureHeader> header = Sized(PictureFormat::kGif, Le16(&h[6]), Le16(&h[8]));
    if (!header) return std::nullopt;
    header->totalPixels = 0;
    int64_t offset = 13;
    if (h[10] & 0x80) offset += 3 * (int64_t(2) << (h[10] & 7));
    bool anyFrame = false;
    for (;;) {
        unsigned char introducer = 0;
        if (!file.ReadAt(offset, &introducer, 1)) return anyFrame ? header : std::nullopt;
        if (introducer == 0x3B) break;  // trailer
        if (introducer == 0x21) {       // extension: label, then sub-blocks
            offset += 2;
            if (!file.SkipSubBlocks(offset)) return std::nullopt;
        } else if (introducer == 0x2C) {  // image descriptor
            std::array<unsigned char, 10> d{};
            if (!file.ReadAt(offset, d.data(), d.size())) return std::nullopt;
            const int64_t width = Le16(&d[5]);
            const int64_t height = Le16(&d[7]);
            header->width = std::max<int>(header->width, int(width));
            header->height = std::max<int>(header->height, int(height));
            header->totalPixels += width * height;
            offset += 10;
            if (d[9] & 0x80) offset += 3 * (int64_t(2) << (d[9] & 7));
            offset += 1;  // LZW minimum code size
            if (!file.SkipSubBlocks(offset)) return std::nullopt;
            anyFrame = true;
        } else {
            return std::nullopt;
        }
    }
    return anyFrame ? header : std::nullopt;
}

std::optional<PictureHeader> ProbeJpeg(ProbeReader& file) {
    int64_t offset = 2;
    for (;;) {
        std::array<unsigned char, 4> m{};
        if (!file.ReadAt(offset, m.data(), m.size())) return std::nullopt;
        if (m[0] != 0xFF) return std::nullopt;
        if (m[1] == 0xFF) {  // fill byte
            ++offset;
            continue;
        }
        const unsigned marker = m[1];
        const bool startOfFrame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (startOfFrame) {
            std::array<unsigned char, 5> f{};
            if (!file.ReadAt(offset + 5, f.data(), f.size())) return std::nullopt;
            return Sized(PictureFormat::kJpeg, Be16(&f[2]), Be16(&f[0]));
        }
        if (marker == 0xD9 || marker == 0xDA) return std::nullopt;  // no frame before the data
        offset += 2 + Be16(&m[2]);
    }
}

}  // namespace

std::optional<PictureHeader> ProbePicture(const FileHandle& handle) {
    ProbeReader file(handle);
    std::array<unsigned char, 8> magic{};
    if (!file.ReadAt(0, magic.data(), magic.size())) return std::nullopt;
    if (magic[0] == 'B' && magic[1] == 'M') return ProbeBmp(file);
    if (std::memcmp(magic.data(), "GIF87a", 6) == 0 || std::memcmp(magic.data(), "GIF89a", 6) == 0)
        return ProbeGif(file);
    if (std::memcmp(magic.data(), "\x89PNG\r\n\x1a\n", 8) == 0) return ProbePng(file);
    if (magic[0] == 0xFF && magic[1] == 0xD8) return ProbeJpeg(file);
    return std::nullopt;
}

}  // namespace tavik
