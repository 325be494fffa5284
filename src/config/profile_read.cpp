// Reading a value from a profile file: each call opens the file, scans it from
// its first line and closes it again.
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstring>

#include "config/decimal_text.h"
#include "config/profile.h"
#include "config/profile_syntax.h"
#include "text/file.h"
#include "text/guarded_open.h"

namespace tavik {

namespace {

std::string_view OrEmpty(const char* text) { return text ? std::string_view(text) : ""; }

// Puts as much of `text` as fits into `buffer`, zero-terminated.
int CopyCut(std::string_view text, char* buffer, int size) {
    if (!buffer || size <= 0) return 0;
    const size_t length = std::min(text.size(), size_t(size - 1));
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return int(length);
}

}  // namespace

namespace {

// One value from a profile already open, read from the file's start.
int ReadValue(const FileHandle& profile, const char* section, const char* key,
              const char* defaultValue, char* buffer, int size) {
    ProfileByteReader reader(profile, kProfileReadLimit);
    std::array<char, kProfileLineBuffer> line;
    const auto value = ProfileFindSection(reader, OrEmpty(section))
                           ? ProfileFindKey(reader, OrEmpty(key), line)
                           : std::nullopt;
    if (!value) {
        CopyCut(OrEmpty(defaultValue), buffer, size);
        return -1;
    }
    return CopyCut(ProfileStripQuotes(*value), buffer, size);
}

std::optional<FileHandle> OpenProfile(const std::filesystem::path& file) {
    // A link another user planted is read as no file at all.
    return OpenRegularFileUnlessForeignLink(file).file;
}

}  // namespace

int ProfileReadString(const char* section, const char* key, const char* defaultValue, char* buffer,
                      int size, const std::filesystem::path& file) {
    const auto profile = OpenProfile(file);
    if (!profile) {
        CopyCut(OrEmpty(defaultValue), buffer, size);
        return 0;
    }
    return ReadValue(*profile, section, key, defaultValue, buffer, size);
}

void ProfileReadStrings(const char* section, std::span<const ProfileRead> reads,
                        const std::filesystem::path& file) {
    const auto profile = OpenProfile(file);
    for (const ProfileRead& read : reads) {
        if (!profile) {
            CopyCut(OrEmpty(read.defaultValue), read.buffer, read.size);
            continue;
        }
        // Each value is looked for from the first line, as a call of its own would.
        if (::lseek(profile->Get(), 0, SEEK_SET) != 0) {
            CopyCut(OrEmpty(read.defaultValue), read.buffer, read.size);
            continue;
        }
        ReadValue(*profile, section, read.key, read.defaultValue, read.buffer, read.size);
    }
}

int ProfileReadInt(const char* section, const char* key, int defaultValue,
                   const std::filesystem::path& file) {
    std::array<char, 12> defaultText;
    IntToText(defaultValue, defaultText.data());
    std::array<char, kProfileLineBuffer> buffer{};
    ProfileReadString(section, key, defaultText.data(), buffer.data(), int(buffer.size()), file);
    size_t position = 0;
    return ScanDecimal(buffer.data(), position).value_or(0);
}

}  // namespace tavik
