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

void CopyLine(std::string& out, std::string_view line) {
    out += line;
    out += '\n';
}

// Written whole however long: the reads see only the part of it that fits
// their line buffer, but nothing of the value is dropped from the file.
void ProfileWriteKeyLine(std::string& out, std::string_view key, std::string_view value) {
    out += key;
    out += '=';
    out += value;
    out += "\r\n";
}

// The new content of the file. Lines are copied whole, bytes after a 0x00
// included, and are classified by what the reads see of them.
std::string Rewrite(ProfileByteReader& reader, std::string_view section, std::string_view key,
                    std::string_view value) {
    std::string out;
    std::string line;
    bool sectionFound = false;
    while (!sectionFound && ProfileReadWholeLine(reader, line)) {
        CopyLine(out, line);
        sectionFound = ProfileMatchSection(ProfileVisibleText(line), section);
    }
    if (!sectionFound) {
        out += '[';
        out += section;
        out += "]\n";
        ProfileWriteKeyLine(out, key, value);
    } else {
        std::optional<std::string> nextHeader;
        while (ProfileReadWholeLine(reader, line)) {
            const std::string_view text = ProfileVisibleText(line);
            if (ProfileIsSectionLine(text)) {
                nextHeader = line;
                break;
            }
            if (ProfileMatchKey(text, key)) break;
            CopyLine(out, line);
        }
        ProfileWriteKeyLine(out, key, value);
        if (nextHeader) CopyLine(out, *nextHeader);
        while (ProfileReadWholeLine(reader, line)) CopyLine(out, line);
    }
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
