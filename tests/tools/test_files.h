// Compressed files for the dictionary tools' tests (folders and plain files:
// support/temp_dir.h).
#pragma once

#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <string_view>

#include "support/temp_dir.h"

namespace tavik::testing {

// A dictzip file: every `chunkLength` bytes deflated on their own and ended
// with a full flush, their compressed sizes in the gzip header's "RA" field.
inline std::string Dictzip(const std::string& data, size_t chunkLength) {
    std::string chunks;
    std::string sizes;
    size_t count = 0;
    for (size_t at = 0; at < data.size(); at += chunkLength, ++count) {
        z_stream stream{};
        deflateInit2(&stream, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
        std::string in = data.substr(at, chunkLength);
        std::string out(chunkLength * 2 + 64, '\0');
        stream.next_in = reinterpret_cast<Bytef*>(in.data());
        stream.avail_in = uInt(in.size());
        stream.next_out = reinterpret_cast<Bytef*>(out.data());
        stream.avail_out = uInt(out.size());
        deflate(&stream, Z_FULL_FLUSH);
        out.resize(stream.total_out);
        deflateEnd(&stream);
        chunks += out;
        sizes.push_back(char(out.size() & 0xFF));
        sizes.push_back(char(out.size() >> 8));
    }
    auto le16 = [](size_t v) { return std::string{char(v & 0xFF), char((v >> 8) & 0xFF)}; };
    std::string ra = le16(1) + le16(chunkLength) + le16(count) + sizes;
    std::string extra = std::string("RA") + le16(ra.size()) + ra;
    std::string header =
        std::string("\x1f\x8b\x08\x04\0\0\0\0\x02\x03", 10) + le16(extra.size()) + extra;
    // The end of the deflate stream and the trailer are not read by Tavik.
    return header + chunks + std::string("\x03\x00", 2) + std::string(8, '\0');
}

inline std::string Gzip(const std::string& data) {
    z_stream stream{};
    deflateInit2(&stream, 9, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string in = data;
    std::string out(data.size() * 2 + 128, '\0');
    stream.next_in = reinterpret_cast<Bytef*>(in.data());
    stream.avail_in = uInt(in.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

// A number as a dictd index writes it: base 64, most significant digit first.
inline std::string DictdNumber(uint64_t value) {
    static constexpr std::string_view kDigits =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string digits;
    do {
        digits.insert(digits.begin(), kDigits[value % 64]);
        value /= 64;
    } while (value > 0);
    return digits;
}

// Four bytes, most significant first, as StarDict's .idx holds sizes.
inline std::string BigEndian32(uint32_t value) {
    return {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
}

// A dictd dictionary whose 00-database-short entry says `title` (when
// given), with a few words.
inline void WriteDictd(const std::filesystem::path& base, const std::string& title, int words = 3) {
    std::string dict;
    std::string index;
    auto add = [&](const std::string& headword, const std::string& article) {
        index +=
            headword + "\t" + DictdNumber(dict.size()) + "\t" + DictdNumber(article.size()) + "\n";
        dict += article;
    };
    if (!title.empty()) add("00-database-short", "00-database-short\n     " + title + "\n");
    for (int i = 0; i < words; ++i)
        add("word" + std::to_string(i),
            "word" + std::to_string(i) + "\n  meaning " + std::to_string(i) + "\n");
    WriteBytes(base.string() + ".index", index);
    WriteBytes(base.string() + ".dict", dict);
}

}  // namespace tavik::testing
