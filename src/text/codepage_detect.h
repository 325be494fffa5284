// Telling a dictionary file's code page from its bytes: UTF-8 or the
// legacy code page the user's dictionaries are in (CP949 unless set).
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string_view>

#include "text/codepage.h"

namespace tavik {

// The UTF-8 encoding of U+FEFF at the start of a file: a mark of UTF-8.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// What the bytes of a file say about its encoding.
enum class EncodingFinding {
    kUtf8,     // a UTF-8 byte-order mark, or multi-byte text that is valid UTF-8
    kNotUtf8,  // some bytes are not UTF-8: a legacy code page
    kNothing,  // ASCII only, empty or unreadable: any ASCII code page reads it
};

// How much is read at the start, the middle and the end of a file.
inline constexpr size_t kEncodingSampleSize = 4096;

// Judges one sample of a file. A sample taken from inside the file may begin
// or end in the middle of a multi-byte sequence: `cutAtStart` and `cutAtEnd`
// say that it may, and such partial sequences at its edges are not held
// against it.
EncodingFinding JudgeEncodingSample(std::string_view sample, bool cutAtStart, bool cutAtEnd);

// Reads a byte-order mark and three bounded samples (start, middle, end) of
// `file`. Any sample that is not UTF-8 makes it kNotUtf8; else any sample
// with multi-byte text makes it kUtf8.
EncodingFinding DetectFileEncoding(const std::filesystem::path& file);

// The code page a finding stands for. `fallback` is the code page of the
// user's other dictionaries; a file that is plainly not UTF-8 is read in
// CP949 when the fallback is UTF-8 itself.
CodePage CodePageForFinding(EncodingFinding finding, const CodePage& fallback);

// The finding's stable name for settings ("UTF-8", "legacy", "ascii"), and
// back; an unknown name gives nullopt.
std::string_view EncodingFindingName(EncodingFinding finding);
std::optional<EncodingFinding> EncodingFindingNamed(std::string_view name);

}  // namespace tavik
