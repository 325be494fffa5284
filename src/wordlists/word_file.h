// The files of the word lists: one word a line, in CP949 as earlier versions
// wrote them or in UTF-8 once a word needs it, read through a fixed line
// buffer, grown one whole line at a time and replaced in one step.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/file.h"
#include "text/text.h"
#include "wordlists/word_encoding.h"

namespace tavik {

// The most bytes one read of a word file takes, line feed included; a longer
// line comes back in pieces, each a word of its own.
inline constexpr size_t kWordLineLimit = 4094;

// What stands in the way of changing a word file.
enum class WordFileProblem {
    kNone,
    kNotSaved,     // read-only file or folder, not a regular file, a full disk
    kForeignLink,  // a symbolic link another user owns
};

// The bytes of `word` as a line of a file in `encoding`, without its line
// feed. nullopt when the word would not come back as itself: a character the
// encoding cannot hold, a line feed or NUL inside, or more bytes than one
// read takes.
std::optional<std::string> EncodeWordLine(WordFileEncoding encoding, TextView word);

// Creates `path` empty when nothing of that name exists and the folder takes
// it; an existing file is not touched, so a read-only one still loads.
void CreateWordFileIfMissing(const std::filesystem::path& path);

// A word file as read: its last words and what tells its encoding.
struct WordFileContent {
    std::vector<Text> words;    // oldest first, each trimmed, empty ones left out
    size_t lineCount = 0;       // lines holding a word, kept or not
    WordFileDetector detector;  // fed with every line
    WordFileEncoding Encoding() const { return detector.Encoding(); }
};

// The words of `path`, at most the last `keep` of them. nullopt when the
// file cannot be read (missing, a folder, a device, no permission, a link
// another user owns).
std::optional<WordFileContent> ReadWordFile(const std::filesystem::path& path,
                                            size_t keep = SIZE_MAX);

enum class WordFileChange { kAppend, kReplace, kRemove };

// Whether `path` may take `change`. An append needs the file (or, for a new
// file, the folder) writable; a replacement or a deletion also the folder. A
// file without any write permission bit counts as read-only even for root:
// that is how a list is protected on purpose.
WordFileProblem CheckWordFile(const std::filesystem::path& path, WordFileChange change);

// Appends `line` and a line feed to `path` (created when missing) with one
// write to a file opened for appending, so lines appended by two running
// copies never interleave. False when nothing was appended.
bool AppendWordLine(const std::filesystem::path& path, std::string_view line);

// Replaces the file `path` (or the file a symbolic link there points to) by
// `words` in `encoding`, oldest first: written and flushed to a new file in
// the same folder, then renamed over it, so the file always holds the old
// content or the new one. A UTF-8 file gets the byte-order mark when its
// words alone would pass for CP949. False, with the old file untouched, when
// that fails or a word cannot be written in `encoding`.
bool ReplaceWordFile(const std::filesystem::path& path, const std::vector<Text>& words,
                     WordFileEncoding encoding);

// Holds the lock every change of the word files in `folder` takes, so that
// two running copies sharing a home folder take turns: an append never lands
// between another copy's reading and replacing of the file.
class WordFolderLock {
public:
    explicit WordFolderLock(const std::filesystem::path& folder);

private:
    FileHandle m_folder;  // the lock goes with the descriptor
};

// What identifies the file's content as last seen: a replaced or grown file
// has to be read again before its encoding is trusted.
struct WordFileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = -1;
    bool operator==(const WordFileStamp&) const = default;
};
WordFileStamp StampOf(const std::filesystem::path& path);

}  // namespace tavik
