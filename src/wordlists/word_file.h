// The files of the word lists: one word a line in the dictionary code page,
// read through a fixed line buffer, grown one whole line at a time and
// replaced in one step.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/codepage.h"
#include "text/text.h"

namespace tavik {

// The most bytes one read of a word file takes, line feed included; a longer
// line comes back in pieces, each a word of its own.
inline constexpr size_t kWordLineLimit = 4094;

// The bytes of `word` as a line of a word file, without its line feed.
// nullopt when the word would not come back as itself: a character the code
// page cannot hold, a line feed or NUL inside, or more bytes than one read
// takes.
std::optional<std::string> EncodeWordLine(const CodePage& codePage, TextView word);

// Creates `path` empty when nothing of that name exists; an existing file is
// not touched, so a read-only one still loads.
void CreateWordFileIfMissing(const std::filesystem::path& path);

// The words of `path` from its first line to its last, each trimmed, empty
// ones left out. nullopt when the file cannot be read (missing, a folder, a
// device, no permission).
std::optional<std::vector<Text>> ReadWordFile(const std::filesystem::path& path,
                                              const CodePage& codePage);

// Appends `line` and a line feed to `path` (created when missing) with one
// write to a file opened for appending, so lines appended by two running
// copies never interleave. False when nothing was appended.
bool AppendWordLine(const std::filesystem::path& path, std::string_view line);

// Replaces the file `path` (or the file a symbolic link there points to) by
// `content`: written and flushed to a new file in the same folder, then
// renamed over it, so the file always holds the old content or the new one.
// False, with the old file untouched, when that fails.
bool ReplaceWordFile(const std::filesystem::path& path, std::string_view content);

}  // namespace tavik
