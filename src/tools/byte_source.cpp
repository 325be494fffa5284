// Plain reads, or inflation through a fixed input buffer.
#include "tools/byte_source.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "tools/tool_error.h"

namespace tavik {

namespace {
constexpr size_t kInputBlock = size_t(1) << 18;
}

ByteSource::ByteSource(const std::filesystem::path& path) : m_path(path) {
    std::string error;
    auto file = OpenRegularFileForReading(path, &error);
    if (!file) throw ToolError(path.string() + ": " + error);
    m_file = std::move(*file);
    struct stat info;
    if (::fstat(m_file.Get(), &info) == 0) m_fileSize = uint64_t(info.st_size);
    char magic[2] = {};
    if (::pread(m_file.Get(), magic, 2, 0) == 2 && magic[0] == '\x1f' && magic[1] == '\x8b') {
        m_stream = std::make_unique<z_stream>();
        // 16 + MAX_WBITS: a gzip wrapper around the deflate stream.
        if (inflateInit2(m_stream.get(), 16 + MAX_WBITS) != Z_OK) {
            m_stream.reset();
            throw ToolError(path.string() + ": zlib fails");
        }
        m_input.resize(kInputBlock);
    }
}

ByteSource::~ByteSource() {
    if (m_stream) inflateEnd(m_stream.get());
}

size_t ByteSource::Read(char* out, size_t size) {
    return m_stream ? Inflate(out, size) : ReadFile(out, size);
}

size_t ByteSource::ReadFile(char* out, size_t size) {
    for (;;) {
        const ssize_t got = ::read(m_file.Get(), out, size);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) throw ToolError(m_path.string() + ": " + std::strerror(errno));
        m_fileBytesRead += uint64_t(got);
        return size_t(got);
    }
}

size_t ByteSource::Inflate(char* out, size_t size) {
    if (m_streamEnded || size == 0) return 0;
    z_stream& stream = *m_stream;
    stream.next_out = reinterpret_cast<Bytef*>(out);
    stream.avail_out = uInt(std::min<size_t>(size, UINT32_MAX));
    const uInt wanted = stream.avail_out;
    while (stream.avail_out == wanted) {
        if (stream.avail_in == 0 && !m_inputAtEnd) {
            const size_t got = ReadFile(m_input.data(), m_input.size());
            m_inputAtEnd = got == 0;
            stream.next_in = reinterpret_cast<Bytef*>(m_input.data());
            stream.avail_in = uInt(got);
        }
        const int rc = inflate(&stream, Z_NO_FLUSH);
        if (rc == Z_STREAM_END) {
            m_streamEnded = true;
            break;
        }
        if (rc == Z_BUF_ERROR && stream.avail_in == 0 && m_inputAtEnd)
            throw ToolError(m_path.string() + ": compressed data is cut off");
        if (rc != Z_OK && rc != Z_BUF_ERROR)
            throw ToolError(m_path.string() + ": compressed data is broken");
    }
    return wanted - stream.avail_out;
}

}  // namespace tavik
