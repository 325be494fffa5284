// Setting a value in a profile file. The file is copied line by line into a
// replacement that takes its place only once it is complete: the key's line
// is replaced where it stood, a key new to its section becomes the section's
// last line, and a section new to the file is added at its end.
#include <fcntl.h>
#include <sys/stat.h>

#include <cstring>
#include <optional>
#include <string>

#include "config/decimal_text.h"
#include "config/profile.h"
#include "config/profile_syntax.h"
#include "text/file.h"
#include "text/replacement_file.h"

namespace tavik {

namespace {

std::string_view OrEmpty(const char* text) { return text ? std::string_view(text) : ""; }

// Opens the profile file for rewriting. It must exist and be a regular file.
// A link is refused: renaming over it would replace the link itself and cut
// the skin off from the file it pointed to.
std::optional<FileHandle> OpenForRewrite(const std::filesystem::path& file, struct stat& info) {
    FileHandle handle(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    if (!handle.IsOpen() || ::fstat(handle.Get(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    const int flags = ::fcntl(handle.Get(), F_GETFL);
    if (flags >= 0) ::fcntl(handle.Get(), F_SETFL, flags & ~O_NONBLOCK);
    return handle;
}

// Written whole however long: the reads see only the part of it that fits
// their line buffer, but nothing of the value is dropped from the file.
void ProfileWriteKeyLine(std::string& out, std::string_view key, std::string_view value) {
    out += key;
    out += '=';
    out += value;
    out += "\r\n";
}

// Where the rewrite stands: before the wanted section's header, inside the
// section, or past the point where the key line went in.
enum class Phase { kBeforeSection, kInSection, kDone };

// The new content of the file. Every byte of the file is kept where it is,
// bytes after a 0x00 and lines longer than the line buffer included; lines are
// classified by what the reads see, which for a long line is each of its
// 255-byte pieces in turn. The key line replaces the piece it is found in and
// the rest of that physical line (the old value's tail); since every earlier
// piece is full, the new key line still begins where the reads expect a line.
std::string Rewrite(ProfileByteReader& reader, std::string_view section, std::string_view key,
                    std::string_view value) {
    constexpr size_t kPiece = kProfileLineBuffer - 1;
    std::string out;
    std::string line;
    Phase phase = Phase::kBeforeSection;
    while (ProfileReadWholeLine(reader, line)) {
        bool lineOpen = false;  // bytes of this line written since its last line feed
        for (size_t start = 0; start == 0 || start < line.size(); start += kPiece) {
            const std::string_view piece = std::string_view(line).substr(start, kPiece);
            const std::string_view text = ProfileVisibleText(piece);
            if (phase == Phase::kInSection && ProfileIsSectionLine(text)) {
                ProfileWriteKeyLine(out, key, value);
                phase = Phase::kDone;
            } else if (phase == Phase::kInSection && ProfileMatchKey(text, key)) {
                ProfileWriteKeyLine(out, key, value);
                phase = Phase::kDone;
                lineOpen = false;
                break;  // the old key line goes, with its tail
            }
            out += piece;
            lineOpen = true;
            if (phase == Phase::kBeforeSection && ProfileMatchSection(text, section))
                phase = Phase::kInSection;
        }
        if (lineOpen) out += '\n';
    }
    if (phase == Phase::kBeforeSection) {
        out += '[';
        out += section;
        out += "]\n";
    }
    if (phase != Phase::kDone) ProfileWriteKeyLine(out, key, value);
    // A 0xFF byte ends the text the reads see; what stands from it on is kept
    // as it is rather than cut off.
    reader.ReadRest(out);
    return out;
}

}  // namespace

int ProfileWriteString(const char* section, const char* key, const char* value,
                       const std::filesystem::path& file) {
    struct stat info;
    const auto profile = OpenForRewrite(file, info);
    if (!profile) return 0;
    auto replacement = ReplacementFile::Create(file, info);
    if (!replacement) return 0;
    ProfileByteReader reader(*profile);
    const std::string content = Rewrite(reader, OrEmpty(section), OrEmpty(key), OrEmpty(value));
    if (reader.Failed()) return 0;
    replacement->Write(content);
    if (!replacement->Commit()) return 0;
    return int(OrEmpty(value).size());
}

int ProfileWriteInt(const char* section, const char* key, int value,
                    const std::filesystem::path& file) {
    char text[12];
    IntToText(value, text);
    return ProfileWriteString(section, key, text, file);
}

}  // namespace tavik
