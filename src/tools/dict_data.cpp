// Plain, dictzip and gzip article data.
#include "tools/dict_data.h"

#include <unistd.h>
#include <zlib.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "text/file.h"
#include "tools/tool_error.h"

namespace tavik {

namespace {

FileHandle OpenOrThrow(const std::filesystem::path& path) {
    std::string error;
    auto file = OpenRegularFileForReading(path, &error);
    if (!file) throw ToolError(path.string() + ": " + error);
    return std::move(*file);
}

int64_t FileSize(const FileHandle& file) {
    const off_t size = ::lseek(file.Get(), 0, SEEK_END);
    return size < 0 ? 0 : int64_t(size);
}

// Reads exactly `length` bytes at `offset`, or fewer at the end of the file.
std::string ReadAt(const FileHandle& file, uint64_t offset, size_t length,
                   const std::filesystem::path& path) {
    std::string out(length, '\0');
    size_t got = 0;
    while (got < length) {
        const ssize_t n = ::pread(file.Get(), out.data() + got, length - got, off_t(offset + got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw ToolError(path.string() + ": " + std::strerror(errno));
        if (n == 0) break;
        got += size_t(n);
    }
    out.resize(got);
    return out;
}

// `expected` > 0: one dictzip chunk of at most that many bytes, which ends
// with a flush rather than the end of the stream; 0: a whole gzip stream.
std::string Inflate(std::string_view input, int windowBits, size_t expected,
                    const std::filesystem::path& path) {
    z_stream stream{};
    if (inflateInit2(&stream, windowBits) != Z_OK) throw ToolError(path.string() + ": zlib fails");
    std::string out;
    out.resize(expected > 0 ? expected : input.size() * 4 + 1024);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(input.data()));
    stream.avail_in = uInt(input.size());
    int rc = Z_OK;
    for (;;) {
        stream.next_out = reinterpret_cast<Bytef*>(out.data() + stream.total_out);
        stream.avail_out = uInt(out.size() - stream.total_out);
        rc = inflate(&stream, Z_SYNC_FLUSH);
        if (rc == Z_STREAM_END) break;
        if (rc == Z_BUF_ERROR && stream.avail_in == 0) break;  // all input used
        if (rc != Z_OK && rc != Z_BUF_ERROR) break;
        if (stream.avail_out == 0) {
            if (expected > 0) break;
            out.resize(out.size() * 2);
        } else if (stream.avail_in == 0) {
            break;
        }
    }
    const size_t produced = stream.total_out;
    inflateEnd(&stream);
    if (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR)
        throw ToolError(path.string() + ": compressed data is broken");
    if (expected == 0 && rc != Z_STREAM_END)
        throw ToolError(path.string() + ": compressed data is cut off");
    out.resize(produced);
    return out;
}

class PlainData : public DictData {
public:
    explicit PlainData(std::filesystem::path path)
        : m_path(std::move(path)), m_file(OpenOrThrow(m_path)), m_size(FileSize(m_file)) {}

    std::string Read(uint64_t offset, uint64_t length) override {
        if (offset > uint64_t(m_size) || length > uint64_t(m_size) - offset)
            throw ToolError(m_path.string() + ": an article at " + std::to_string(offset) + " of " +
                            std::to_string(length) + " bytes lies past the end (" +
                            std::to_string(m_size) + " bytes)");
        return ReadAt(m_file, offset, size_t(length), m_path);
    }

private:
    std::filesystem::path m_path;
    FileHandle m_file;
    int64_t m_size;
};

class InMemoryData : public DictData {
public:
    InMemoryData(std::filesystem::path path, std::string bytes)
        : m_path(std::move(path)), m_bytes(std::move(bytes)) {}

    std::string Read(uint64_t offset, uint64_t length) override {
        if (offset > m_bytes.size() || length > m_bytes.size() - offset)
            throw ToolError(m_path.string() + ": an article at " + std::to_string(offset) + " of " +
                            std::to_string(length) + " bytes lies past the end (" +
                            std::to_string(m_bytes.size()) + " bytes uncompressed)");
        return m_bytes.substr(size_t(offset), size_t(length));
    }

private:
    std::filesystem::path m_path;
    std::string m_bytes;
};

// dictzip: a gzip member whose extra field "RA" lists the compressed size of
// every chunk of `m_chunkLength` uncompressed bytes.
class DictzipData : public DictData {
public:
    DictzipData(std::filesystem::path path, FileHandle file, uint64_t dataStart,
                uint32_t chunkLength, std::vector<uint64_t> chunkStarts)
        : m_path(std::move(path)),
          m_file(std::move(file)),
          m_chunkLength(chunkLength),
          m_chunkStarts(std::move(chunkStarts)) {
        for (uint64_t& start : m_chunkStarts) start += dataStart;
    }

    std::string Read(uint64_t offset, uint64_t length) override {
        std::string out;
        const uint64_t chunks = m_chunkStarts.size() - 1;
        const uint64_t total = chunks * m_chunkLength;
        if (offset > total || length > total - offset) PastEnd(offset, length);
        uint64_t at = offset;
        const uint64_t end = offset + length;
        while (at < end) {
            const uint64_t index = at / m_chunkLength;
            const std::string& chunk = Chunk(index);
            const uint64_t from = at - index * m_chunkLength;
            if (from >= chunk.size()) PastEnd(offset, length);
            const uint64_t take = std::min<uint64_t>(chunk.size() - from, end - at);
            out.append(chunk, size_t(from), size_t(take));
            at += take;
        }
        return out;
    }

private:
    [[noreturn]] void PastEnd(uint64_t offset, uint64_t length) {
        throw ToolError(m_path.string() + ": an article at " + std::to_string(offset) + " of " +
                        std::to_string(length) + " bytes lies past the end of the data");
    }

    const std::string& Chunk(uint64_t index) {
        // Articles are mostly read in index order, so the last chunk is
        // usually the one wanted again.
        if (index == m_cachedIndex) return m_cached;
        const uint64_t start = m_chunkStarts[index];
        const std::string compressed =
            ReadAt(m_file, start, size_t(m_chunkStarts[index + 1] - start), m_path);
        if (compressed.size() != m_chunkStarts[index + 1] - start)
            throw ToolError(m_path.string() + ": chunk " + std::to_string(index) +
                            " is cut off: the chunk table does not fit the file");
        m_cached = Inflate(compressed, -MAX_WBITS, m_chunkLength, m_path);
        if (index + 2 < m_chunkStarts.size() && m_cached.size() != m_chunkLength)
            throw ToolError(m_path.string() + ": compressed data is broken: chunk " +
                            std::to_string(index) + " inflates to " +
                            std::to_string(m_cached.size()) + " bytes, not " +
                            std::to_string(m_chunkLength));
        m_cachedIndex = index;
        return m_cached;
    }

    std::filesystem::path m_path;
    FileHandle m_file;
    uint32_t m_chunkLength;
    std::vector<uint64_t> m_chunkStarts;  // one more than chunks: the end
    uint64_t m_cachedIndex = UINT64_MAX;
    std::string m_cached;
};

uint16_t Le16(const std::string& b, size_t at) {
    return uint16_t(static_cast<unsigned char>(b[at]) |
                    (static_cast<unsigned char>(b[at + 1]) << 8));
}

// The dictzip reader for `path`, or nullptr when the gzip header has no
// chunk table.
std::unique_ptr<DictData> OpenDictzip(const std::filesystem::path& path, FileHandle& file,
                                      int64_t size) {
    const std::string head = ReadAt(file, 0, size_t(std::min<int64_t>(size, 1 << 18)), path);
    auto broken = [&](const std::string& why) {
        return ToolError(path.string() + ": broken gzip header: " + why);
    };
    if (head.size() < 10 || head[2] != 8) throw broken("not deflate");
    const unsigned flags = static_cast<unsigned char>(head[3]);
    size_t at = 10;
    uint32_t chunkLength = 0;
    std::vector<uint64_t> starts;
    bool haveTable = false;
    if (flags & 4) {
        if (at + 2 > head.size()) throw broken("extra field cut off");
        const size_t extraLength = Le16(head, at);
        at += 2;
        const size_t extraEnd = at + extraLength;
        if (extraEnd > head.size()) throw broken("extra field cut off");
        while (at + 4 <= extraEnd) {
            const size_t fieldLength = Le16(head, at + 2);
            const size_t fieldStart = at + 4;
            if (fieldStart + fieldLength > extraEnd) throw broken("extra subfield cut off");
            if (head[at] == 'R' && head[at + 1] == 'A') {
                if (fieldLength < 6) throw broken("chunk table too short");
                chunkLength = Le16(head, fieldStart + 2);
                const size_t count = Le16(head, fieldStart + 4);
                if (chunkLength == 0 || fieldLength < 6 + 2 * count)
                    throw broken("chunk table does not match its length");
                starts.push_back(0);
                for (size_t i = 0; i < count; ++i)
                    starts.push_back(starts.back() + Le16(head, fieldStart + 6 + 2 * i));
                haveTable = true;
            }
            at = fieldStart + fieldLength;
        }
        at = extraEnd;
    }
    for (unsigned flag : {8u, 16u}) {  // file name, comment
        if (!(flags & flag)) continue;
        const size_t nul = head.find('\0', at);
        if (nul == std::string::npos) throw broken("name or comment cut off");
        at = nul + 1;
    }
    if (flags & 2) at += 2;  // header CRC
    if (!haveTable) return nullptr;
    if (at + starts.back() > uint64_t(size))
        throw ToolError(path.string() + ": the chunk table runs past the end of the file");
    return std::make_unique<DictzipData>(path, std::move(file), at, chunkLength, std::move(starts));
}

std::string InflateGzipFile(const std::filesystem::path& path, const std::string& compressed) {
    // 16 + MAX_WBITS: a gzip wrapper around the deflate stream.
    std::string out = Inflate(compressed, 16 + MAX_WBITS, 0, path);
    return out;
}

}  // namespace

std::unique_ptr<DictData> OpenDictData(const std::filesystem::path& path) {
    FileHandle file = OpenOrThrow(path);
    const int64_t size = FileSize(file);
    const std::string magic = ReadAt(file, 0, 2, path);
    if (magic != "\x1f\x8b") return std::make_unique<PlainData>(path);
    if (auto dictzip = OpenDictzip(path, file, size)) return dictzip;
    return std::make_unique<InMemoryData>(path, ReadWholeFile(path));
}

std::string ReadWholeFile(const std::filesystem::path& path) {
    FileHandle file = OpenOrThrow(path);
    const int64_t size = FileSize(file);
    std::string bytes = ReadAt(file, 0, size_t(size), path);
    if (bytes.size() >= 2 && bytes[0] == '\x1f' && bytes[1] == '\x8b')
        return InflateGzipFile(path, bytes);
    return bytes;
}

}  // namespace tavik
