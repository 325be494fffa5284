// Listing the Data folders.
#include "dict/dictionary_folder.h"

#include <algorithm>
#include <system_error>

#include "text/codepage.h"

namespace tavik {

namespace {

// Length of the valid UTF-8 sequence at `at`, 0 when there is none.
size_t Utf8SequenceLength(std::string_view bytes, size_t at) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) return 1;
    size_t length = 0;
    unsigned min = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        min = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        min = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        min = 0x10000;
    } else {
        return 0;
    }
    if (at + length > bytes.size()) return 0;
    unsigned code = lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return 0;
        code = (code << 6) | (byte(at + i) & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

bool IsValidUtf8(std::string_view bytes) {
    for (size_t at = 0; at < bytes.size();) {
        const size_t length = Utf8SequenceLength(bytes, at);
        if (!length) return false;
        at += length;
    }
    return true;
}

std::optional<Text> StrictCp949(std::string_view bytes) {
    static const CodePage cp949 = CodePage::Default();
    const Text text = cp949.Decode(bytes);
    if (text.find(u'\uFFFD') != Text::npos) return std::nullopt;
    // Decoding is lossy only where the bytes were not CP949: encoding back
    // must give the same bytes.
    const auto back = cp949.Encode(text);
    if (!back || *back != bytes) return std::nullopt;
    return text;
}

Text Escaped(std::string_view bytes) {
    std::string out;
    for (size_t at = 0; at < bytes.size();) {
        const size_t length = Utf8SequenceLength(bytes, at);
        if (length) {
            out.append(bytes.substr(at, length));
            at += length;
            continue;
        }
        static constexpr char kHex[] = "0123456789ABCDEF";
        const auto byte = static_cast<unsigned char>(bytes[at++]);
        out += "\\x";
        out += kHex[byte >> 4];
        out += kHex[byte & 0xF];
    }
    return FromUtf8(out);
}

}  // namespace

std::filesystem::path DataFolder(const std::filesystem::path& home) { return home / "Data"; }

Text FileNameText(const std::filesystem::path& fileName) {
    const std::string& bytes = fileName.native();
    if (IsValidUtf8(bytes)) return FromUtf8(bytes);
    if (auto text = StrictCp949(bytes)) return *text;
    return Escaped(bytes);
}

std::vector<DictionaryFile> ListDictionaryFiles(const std::vector<std::filesystem::path>& folders) {
    std::vector<DictionaryFile> files;
    std::vector<std::string> seen;  // file names as bytes: a clash is the same name
    for (const std::filesystem::path& folder : folders) {
        std::error_code error;
        std::filesystem::directory_iterator it(folder, error);
        if (error) continue;
        for (; it != std::filesystem::directory_iterator(); it.increment(error)) {
            if (error) break;
            const std::filesystem::path name = it->path().filename();
            if (name.empty() || name.native()[0] == '.') continue;
            std::error_code statError;
            if (!it->is_regular_file(statError)) continue;
            if (std::find(seen.begin(), seen.end(), name.native()) != seen.end()) continue;
            seen.push_back(name.native());
            files.push_back({FileNameText(name), it->path()});
        }
    }
    return files;
}

std::vector<Text> DictionaryNames(const std::filesystem::path& folder) {
    std::vector<Text> names;
    for (DictionaryFile& file : ListDictionaryFiles({folder}))
        names.push_back(std::move(file.name));
    return names;
}

std::optional<std::filesystem::path> FindDictionaryFile(
    const std::vector<std::filesystem::path>& folders, const Text& name) {
    if (name.empty()) return std::nullopt;
    for (DictionaryFile& file : ListDictionaryFiles(folders))
        if (file.name == name) return std::move(file.path);
    return std::nullopt;
}

bool IsCurrentDictionary(const Text& name, const std::filesystem::path& storedPath) {
    return !name.empty() && name == FileNameText(storedPath.filename());
}

}  // namespace tavik
