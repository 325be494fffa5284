// Decimal numbers in profile values, scanned the way the C library's
// decimal conversions read them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tavik {

// Scans one number at `position`: white space skipped, an optional sign,
// then decimal digits up to the first non-digit. On success `position` moves
// past the last digit; a number beyond the 32-bit range is clamped to it.
// Without a digit nothing is scanned and `position` stays where it was.
std::optional<int32_t> ScanDecimal(std::string_view text, size_t& position);

}  // namespace tavik
