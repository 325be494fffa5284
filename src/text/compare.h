// The two comparisons of headwords. Everything that orders or matches
// headwords (the lookup, the gathering, the dictionary tools' check and sort)
// uses CompareOrder; CompareExact only where exact code units matter.
#pragma once

#include <cstddef>
#include <optional>

#include "text/text.h"

namespace tavik {

// Both sides lower-cased with LowerChar, then compared code unit by code unit
// as unsigned 16-bit values. Negative, zero or positive like strcmp.
int CompareOrder(TextView a, TextView b);
inline bool EqualOrder(TextView a, TextView b) {
    // Lower-casing keeps the length: texts of two lengths never match.
    return a.size() == b.size() && CompareOrder(a, b) == 0;
}

// CompareOrder(a, b) for a `b` of `bLength` units known only by its first
// units `bStart`, when they decide it; nothing when it takes more of `b`.
std::optional<int> CompareOrderWithStart(TextView a, TextView bStart, size_t bLength);

// Exact code units, case-sensitive.
int CompareExact(TextView a, TextView b);

// Whether `text` begins with `prefix`, without regard to case.
bool StartsWithOrder(TextView text, TextView prefix);

}  // namespace tavik
