// The kinds of profile lines, matched byte for byte and case-sensitively,
// and the searches for a section and a key.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "config/profile.h"
#include "config/profile_reader.h"

namespace tavik {

// The name of a section header: after any leading 0x08 bytes, a "[" and the
// bytes up to the first "]" after it. nullopt for any other line.
std::optional<std::string_view> ProfileSectionName(std::string_view line);
bool ProfileIsSectionLine(std::string_view line);
// Whether `line` is a header of exactly `section`.
bool ProfileMatchSection(std::string_view line, std::string_view section);

// The value of a key line for exactly `key`: the bytes after the first "=" up
// to the end of the line, a trailing carriage return included. A line that
// starts with ";" is a comment, never a key line.
std::optional<std::string_view> ProfileMatchKey(std::string_view line, std::string_view key);

// The value without its quotes: after any leading 0x08 bytes, a value opening
// with ' or " becomes the bytes up to the last occurrence of the same quote;
// a value whose quote is never closed is returned whole.
std::string_view ProfileStripQuotes(std::string_view value);

// Reads lines until the first header of `section`.
bool ProfileFindSection(ProfileByteReader& file, std::string_view section);

// Reads the lines after a section's header for the first key line of `key`,
// stopping at the next header. The value lives in `line`.
std::optional<std::string_view> ProfileFindKey(ProfileByteReader& file, std::string_view key,
                                               std::array<char, kProfileLineBuffer>& line);

}  // namespace tavik
