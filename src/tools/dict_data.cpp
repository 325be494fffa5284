// Plain, dictzip and gzip article data.
#include "tools/dict_data.h"

#include <fcntl.h>
#include <unistd.h>
#include <zlib.h>

#include <cerrno>
#include <cstring>
#include <list>
#include <unordered_map>
#include <vector>

#include "text/file.h"
#include "tools/byte_source.h"
#include "tools/replacing_file.h"
#include "tools/tool_error.h"

namespace tavik {

namespace {

// Inflated dictzip chunks kept for reuse: enough for a whole dictionary of
// the size of GCIDE (40 MB), bounded for any larger one.
constexpr size_t kChunkCacheBytes = size_t(64) << 20;

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

// One dictzip chunk of at most `expected` bytes, which ends with a flush
// rather than the end of the stream.
std::string InflateChunk(std::string_view input, size_t expected,
                         const std::filesystem::path& path) {
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) throw ToolError(path.string() + ": zlib fails");
    std::string out(expected, '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(input.data()));
    stream.avail_in = uInt(input.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    const int rc = inflate(&stream, Z_SYNC_FLUSH);
    const size_t produced = stream.total_out;
    inflateEnd(&stream);
    if (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR)
        throw ToolError(path.string() + ": compressed data is broken");
    out.resize(produced);
    return out;
}

[[noreturn]] void PastEnd(const std::filesystem::path& path, uint64_t offset, uint64_t length,
                          const std::string& size) {
    throw ToolError(path.string() + ": an article at " + std::to_string(offset) + " of " +
                    std::to_string(length) + " bytes lies past the end (" + size + ")");
}

class PlainData : public DictData {
public:
    PlainData(std::filesystem::path path, FileHandle file, const char* what)
        : m_path(std::move(path)),
          m_file(std::move(file)),
          m_size(FileSize(m_file)),
          m_what(what) {}

    std::string Read(uint64_t offset, uint64_t length, size_t limit) override {
        if (offset > uint64_t(m_size) || length > uint64_t(m_size) - offset)
            PastEnd(m_path, offset, length, std::to_string(m_size) + m_what);
        return ReadAt(m_file, offset, size_t(std::min<uint64_t>(length, limit)), m_path);
    }

private:
    std::filesystem::path m_path;
    FileHandle m_file;
    int64_t m_size;
    const char* m_what;
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

    std::string Read(uint64_t offset, uint64_t length, size_t limit) override {
        std::string out;
        const uint64_t chunks = m_chunkStarts.size() - 1;
        const uint64_t total = chunks * m_chunkLength;
        if (offset > total || length > total - offset) PastEnd(offset, length);
        uint64_t at = offset;
        const uint64_t end = offset + std::min<uint64_t>(length, limit);
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
        tavik::PastEnd(m_path, offset, length, "the end of the data");
    }

    const std::string& Chunk(uint64_t index) {
        // dictd indexes are sorted by headword, but the data is often in
        // another order (GCIDE's by source file): without a cache of many
        // chunks every article would inflate a whole chunk again.
        if (const auto found = m_where.find(index); found != m_where.end()) {
            m_cache.splice(m_cache.begin(), m_cache, found->second);
            return m_cache.front().bytes;
        }
        const uint64_t start = m_chunkStarts[index];
        const std::string compressed =
            ReadAt(m_file, start, size_t(m_chunkStarts[index + 1] - start), m_path);
        if (compressed.size() != m_chunkStarts[index + 1] - start)
            throw ToolError(m_path.string() + ": chunk " + std::to_string(index) +
                            " is cut off: the chunk table does not fit the file");
        std::string bytes = InflateChunk(compressed, m_chunkLength, m_path);
        if (index + 2 < m_chunkStarts.size() && bytes.size() != m_chunkLength)
            throw ToolError(m_path.string() + ": compressed data is broken: chunk " +
                            std::to_string(index) + " inflates to " + std::to_string(bytes.size()) +
                            " bytes, not " + std::to_string(m_chunkLength));
        if (m_cache.size() >= std::max<size_t>(1, kChunkCacheBytes / m_chunkLength)) {
            m_where.erase(m_cache.back().index);
            m_cache.pop_back();
        }
        m_cache.push_front({index, std::move(bytes)});
        m_where[index] = m_cache.begin();
        return m_cache.front().bytes;
    }

    struct CachedChunk {
        uint64_t index;
        std::string bytes;
    };

    std::filesystem::path m_path;
    FileHandle m_file;
    uint32_t m_chunkLength;
    std::vector<uint64_t> m_chunkStarts;  // one more than chunks: the end
    std::list<CachedChunk> m_cache;       // the most recently used first
    std::unordered_map<uint64_t, std::list<CachedChunk>::iterator> m_where;
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

// An unnamed file in `folder` (a named one, removed at once, where the file
// system cannot make unnamed ones): nothing is left behind by a kill.
FileHandle AnonymousFile(const std::filesystem::path& folder) {
    FileHandle file(::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600));
    if (file.IsOpen()) return file;
    std::string pattern = (folder / ".tavik-inflated-XXXXXX").string();
    file = FileHandle(::mkostemp(pattern.data(), O_CLOEXEC));
    if (!file.IsOpen())
        throw ToolError(folder.string() +
                        ": cannot make a temporary file: " + std::strerror(errno));
    ::unlink(pattern.c_str());
    return file;
}

// A gzip file without a chunk table, inflated through a fixed buffer.
std::unique_ptr<DictData> InflatedCopy(const std::filesystem::path& path,
                                       const std::filesystem::path& scratch) {
    ByteSource source(path);
    FileHandle copy = AnonymousFile(scratch);
    std::string buffer(size_t(1) << 20, '\0');
    while (const size_t got = source.Read(buffer.data(), buffer.size()))
        WriteAll(copy.Get(), std::string_view(buffer.data(), got), scratch / "(inflated copy)");
    return std::make_unique<PlainData>(path, std::move(copy), " bytes uncompressed");
}

}  // namespace

std::unique_ptr<DictData> OpenDictData(const std::filesystem::path& path,
                                       const std::filesystem::path& scratch) {
    FileHandle file = OpenOrThrow(path);
    const int64_t size = FileSize(file);
    const std::string magic = ReadAt(file, 0, 2, path);
    if (magic != "\x1f\x8b") return std::make_unique<PlainData>(path, std::move(file), " bytes");
    if (auto dictzip = OpenDictzip(path, file, size)) return dictzip;
    return InflatedCopy(path, scratch);
}

std::string_view CutAtCharacter(std::string_view bytes) {
    // Back over continuation bytes to the lead byte of the last sequence.
    size_t lead = bytes.size();
    for (int back = 0; back < 4 && lead > 0; ++back) {
        const auto c = static_cast<unsigned char>(bytes[--lead]);
        if ((c & 0xC0) == 0x80) continue;
        const size_t needed = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        return bytes.size() - lead >= needed ? bytes : bytes.substr(0, lead);
    }
    return bytes;
}

}  // namespace tavik
