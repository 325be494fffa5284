// Profile line kinds, quote stripping and the section and key searches.
#include "config/profile_syntax.h"

namespace tavik {

namespace {

constexpr char kBackspace = 0x08;

std::string_view SkipBackspaces(std::string_view text) {
    const size_t start = text.find_first_not_of(kBackspace);
    return start == std::string_view::npos ? std::string_view() : text.substr(start);
}

}  // namespace

std::optional<std::string_view> ProfileSectionName(std::string_view line) {
    const std::string_view header = SkipBackspaces(line);
    if (header.empty() || header.front() != '[') return std::nullopt;
    const size_t close = header.find(']', 1);
    if (close == std::string_view::npos) return std::nullopt;
    return header.substr(1, close - 1);
}

bool ProfileIsSectionLine(std::string_view line) { return ProfileSectionName(line).has_value(); }

bool ProfileMatchSection(std::string_view line, std::string_view section) {
    const auto name = ProfileSectionName(line);
    return name && *name == section;
}

std::optional<std::string_view> ProfileMatchKey(std::string_view line, std::string_view key) {
    if (!line.empty() && line.front() == ';') return std::nullopt;
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos || line.substr(0, equals) != key) return std::nullopt;
    return line.substr(equals + 1);
}

std::string_view ProfileStripQuotes(std::string_view value) {
    const std::string_view quoted = SkipBackspaces(value);
    if (quoted.empty() || (quoted.front() != '"' && quoted.front() != '\'')) return value;
    const size_t close = quoted.rfind(quoted.front());
    if (close == 0) return value;
    return quoted.substr(1, close - 1);
}

bool ProfileFindSection(ProfileByteReader& file, std::string_view section) {
    std::array<char, kProfileLineBuffer> line;
    while (ProfileReadLine(file, line)) {
        if (ProfileMatchSection(line.data(), section)) return true;
    }
    return false;
}

std::optional<std::string_view> ProfileFindKey(ProfileByteReader& file, std::string_view key,
                                               std::array<char, kProfileLineBuffer>& line) {
    while (ProfileReadLine(file, line)) {
        const std::string_view text(line.data());
        if (ProfileIsSectionLine(text)) return std::nullopt;
        if (const auto value = ProfileMatchKey(text, key)) return value;
    }
    return std::nullopt;
}

}  // namespace tavik
