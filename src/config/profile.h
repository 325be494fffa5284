// Tavik's own INI-style profile files (the skin file): read and written on
// their bytes, never converted, each call opening and closing the file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace tavik {

// The line buffer every profile operation uses: a line holds at most 255
// bytes; the rest of a longer line is read as a further line.
inline constexpr int kProfileLineBuffer = 256;

// How much of a profile file the reads look at. A skin file is a few
// kilobytes; every page reads it three times, so a huge one must not make
// every search slow. What lies beyond is not seen, as if the file ended.
inline constexpr int64_t kProfileReadLimit = int64_t(1) << 20;

// Puts the value of `key` in `section` (quotes stripped), or `defaultValue`,
// into `buffer` as a zero-terminated string of at most `size` - 1 bytes.
// Returns 0 when the file does not open, -1 when the section or key is
// missing, else the number of value bytes put into the buffer. Only the first
// megabyte of the file is read (kProfileReadLimit).
int ProfileReadString(const char* section, const char* key, const char* defaultValue, char* buffer,
                      int size, const std::filesystem::path& file);

// One value asked of ProfileReadStrings: as the arguments of ProfileReadString.
struct ProfileRead {
    const char* key;
    const char* defaultValue;
    char* buffer;
    int size;
};

// Several values of one section, the file opened once: each buffer gets what
// ProfileReadString would put into it.
void ProfileReadStrings(const char* section, std::span<const ProfileRead> reads,
                        const std::filesystem::path& file);

// The value as a decimal integer (leading white space, sign, digits up to the
// first non-digit; no digits give 0), or `defaultValue`.
int ProfileReadInt(const char* section, const char* key, int defaultValue,
                   const std::filesystem::path& file);

// Sets `key` in `section` to `value`, rewriting the file. Returns the value's
// length in bytes, or 0 when nothing was written (the file is then exactly as
// it was). A missing file is not created.
int ProfileWriteString(const char* section, const char* key, const char* value,
                       const std::filesystem::path& file);
int ProfileWriteInt(const char* section, const char* key, int value,
                    const std::filesystem::path& file);

// Decimal digits of `value`, "-" first when negative, into `buffer` (at least
// 12 bytes), zero-terminated.
void IntToText(int32_t value, char* buffer);

}  // namespace tavik
