// Scanning and writing decimal numbers of profile values.
#include "config/decimal_text.h"

#include <charconv>
#include <limits>

#include "config/profile.h"

namespace tavik {

namespace {

// The C locale's white space, as the standard conversions skip it.
bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<int32_t> ScanDecimal(std::string_view text, size_t& position) {
    size_t at = position;
    while (at < text.size() && IsCSpace(text[at])) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    if (at >= text.size() || !IsDigit(text[at])) return std::nullopt;
    // Accumulated as a negative number, whose range holds the most negative
    // value; every further digit past the range keeps it clamped.
    constexpr int64_t kLowest = std::numeric_limits<int32_t>::min();
    int64_t value = 0;
    for (; at < text.size() && IsDigit(text[at]); ++at) {
        value = value * 10 - (text[at] - '0');
        if (value < kLowest) value = kLowest - 1;
    }
    position = at;
    if (negative) return int32_t(value < kLowest ? kLowest : value);
    const int64_t positive = -value;
    return int32_t(positive > std::numeric_limits<int32_t>::max()
                       ? std::numeric_limits<int32_t>::max()
                       : positive);
}

void IntToText(int32_t value, char* buffer) {
    // 11 characters hold "-2147483648"; the twelfth is the terminating zero.
    const auto result = std::to_chars(buffer, buffer + 11, value);
    *result.ptr = '\0';
}

}  // namespace tavik
