// Sampling a file for UTF-8.
#include "text/codepage_detect.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "text/file.h"

namespace tavik {

namespace {


bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The length of the sequence a lead byte starts; 0 for a byte that cannot
// start one (a continuation byte, C0, C1, F5..FF).
size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

// The second byte's range, which rules out overlong forms, surrogates and
// code points past U+10FFFF.
bool SecondByteFits(unsigned char lead, unsigned char second) {
    switch (lead) {
        case 0xE0:
            return second >= 0xA0 && second <= 0xBF;
        case 0xED:
            return second >= 0x80 && second <= 0x9F;
        case 0xF0:
            return second >= 0x90 && second <= 0xBF;
        case 0xF4:
            return second >= 0x80 && second <= 0x8F;
        default:
            return IsContinuation(second);
    }
}

// Reads up to `size` bytes at `offset`; fewer only at the end of the file.
std::string ReadAt(int fd, int64_t offset, size_t size) {
    std::string bytes(size, '\0');
    size_t got = 0;
    while (got < size) {
        const ssize_t n = ::pread(fd, bytes.data() + got, size - got, off_t(offset + int64_t(got)));
        if (n <= 0) break;
        got += size_t(n);
    }
    bytes.resize(got);
    return bytes;
}

}  // namespace

EncodingFinding JudgeEncodingSample(std::string_view sample, bool cutAtStart, bool cutAtEnd) {
    size_t i = 0;
    // The tail of a sequence that began before the sample: at most three
    // continuation bytes.
    if (cutAtStart) {
        while (i < sample.size() && i < 3 && IsContinuation(static_cast<unsigned char>(sample[i])))
            ++i;
    }
    bool multiByte = false;
    while (i < sample.size()) {
        const auto lead = static_cast<unsigned char>(sample[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        const size_t length = SequenceLength(lead);
        if (length == 0) return EncodingFinding::kNotUtf8;
        const size_t available = std::min(length, sample.size() - i);
        for (size_t k = 1; k < available; ++k) {
            const auto byte = static_cast<unsigned char>(sample[i + k]);
            if (k == 1 ? !SecondByteFits(lead, byte) : !IsContinuation(byte))
                return EncodingFinding::kNotUtf8;
        }
        if (available < length) {
            // A sequence cut by the sample's end is fine inside the file, but
            // a file that really ends in one is not UTF-8.
            if (!cutAtEnd) return EncodingFinding::kNotUtf8;
            break;
        }
        multiByte = true;
        i += length;
    }
    return multiByte ? EncodingFinding::kUtf8 : EncodingFinding::kNothing;
}

EncodingFinding DetectFileEncoding(const std::filesystem::path& file) {
    const auto handle = OpenRegularFileForReading(file);
    if (!handle) return EncodingFinding::kNothing;
    const off_t end = ::lseek(handle->Get(), 0, SEEK_END);
    if (end <= 0) return EncodingFinding::kNothing;
    const int64_t size = end;

    // Start, middle and end; a small file is one sample of its own.
    std::array<int64_t, 3> offsets = {0, size / 2 - int64_t(kEncodingSampleSize / 2),
                                      size - int64_t(kEncodingSampleSize)};
    size_t count = 3;
    if (size <= int64_t(3 * kEncodingSampleSize)) count = 1;

    bool multiByte = false;
    for (size_t s = 0; s < count; ++s) {
        const int64_t offset = offsets[s];
        const size_t length = count == 1 ? size_t(size) : kEncodingSampleSize;
        const std::string sample = ReadAt(handle->Get(), offset, length);
        const std::string_view bytes = sample;
        if (s == 0 && bytes.starts_with(kUtf8ByteOrderMark)) return EncodingFinding::kUtf8;
        const bool reachesEnd = offset + int64_t(sample.size()) >= size;
        switch (JudgeEncodingSample(bytes, offset > 0, !reachesEnd)) {
            case EncodingFinding::kNotUtf8:
                return EncodingFinding::kNotUtf8;
            case EncodingFinding::kUtf8:
                multiByte = true;
                break;
            case EncodingFinding::kNothing:
                break;
        }
    }
    return multiByte ? EncodingFinding::kUtf8 : EncodingFinding::kNothing;
}

CodePage CodePageForFinding(EncodingFinding finding, const CodePage& fallback) {
    switch (finding) {
        case EncodingFinding::kUtf8:
            return *CodePage::Named("UTF-8");
        case EncodingFinding::kNotUtf8:
            return fallback.IsUtf8() ? CodePage::Default() : fallback;
        case EncodingFinding::kNothing:
            break;
    }
    return fallback;
}

std::string_view EncodingFindingName(EncodingFinding finding) {
    switch (finding) {
        case EncodingFinding::kUtf8:
            return "UTF-8";
        case EncodingFinding::kNotUtf8:
            return "legacy";
        case EncodingFinding::kNothing:
            break;
    }
    return "ascii";
}

std::optional<EncodingFinding> EncodingFindingNamed(std::string_view name) {
    for (EncodingFinding finding :
         {EncodingFinding::kUtf8, EncodingFinding::kNotUtf8, EncodingFinding::kNothing})
        if (EncodingFindingName(finding) == name) return finding;
    return std::nullopt;
}

}  // namespace tavik
