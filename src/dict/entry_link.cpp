#include "dict/entry_link.h"

namespace tavik {

namespace {

bool IsUnreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A "%" not followed by two hex digits stays as it is: hand-made links are
// not always encoded.
std::string PercentDecoded(std::string_view text) {
    std::string decoded;
    decoded.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            const int high = HexValue(text[i + 1]);
            const int low = HexValue(text[i + 2]);
            if (high >= 0 && low >= 0) {
                decoded += char(high * 16 + low);
                i += 2;
                continue;
            }
        }
        decoded += text[i];
    }
    return decoded;
}

}  // namespace

std::string EntryLinkTarget(TextView word) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string target(kEntryLinkScheme);
    for (const unsigned char c : ToUtf8(word)) {
        if (IsUnreserved(c)) {
            target += char(c);
        } else {
            target += '%';
            target += kHex[c >> 4];
            target += kHex[c & 0xF];
        }
    }
    return target;
}

std::optional<Text> EntryLinkWord(std::string_view href) {
    if (!href.starts_with(kEntryLinkScheme)) return std::nullopt;
    Text word = Trim(FromUtf8(PercentDecoded(href.substr(kEntryLinkScheme.size()))));
    if (word.empty()) return std::nullopt;
    return word;
}

std::optional<std::string> CommandLinkName(std::string_view href) {
    if (!href.starts_with(kCommandLinkScheme)) return std::nullopt;
    return std::string(href.substr(kCommandLinkScheme.size()));
}

}  // namespace tavik
