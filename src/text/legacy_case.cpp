// The case folding of Tavik before it followed the whole Unicode mapping,
// kept to tell files sorted by it from files that are simply out of order.
#include "text/legacy_case.h"

#include <algorithm>

namespace tavik {

namespace {

// Blocks where capitals sit on even code points and their small letters
// right after them.
bool InEvenOddBlock(char16_t c) {
    return (c >= 0x0100 && c <= 0x012F) || (c >= 0x0132 && c <= 0x0137) ||
           (c >= 0x014A && c <= 0x0177) || (c >= 0x01DE && c <= 0x01EF) ||
           (c >= 0x01F8 && c <= 0x021F) || (c >= 0x0222 && c <= 0x0233) ||
           (c >= 0x0246 && c <= 0x024F) || (c >= 0x03D8 && c <= 0x03EF) ||
           (c >= 0x0460 && c <= 0x0481) || (c >= 0x048A && c <= 0x04BF) ||
           (c >= 0x04D0 && c <= 0x052F) || (c >= 0x1E00 && c <= 0x1E95) ||
           (c >= 0x1EA0 && c <= 0x1EFF);
}

// Blocks where capitals sit on odd code points.
bool InOddEvenBlock(char16_t c) {
    return (c >= 0x0139 && c <= 0x0148) || (c >= 0x0179 && c <= 0x017E) ||
           (c >= 0x01CD && c <= 0x01DC) || (c >= 0x04C1 && c <= 0x04CE);
}

}  // namespace

char16_t LegacyLowerChar(char16_t c) {
    if (c < 0x80) return (c >= 'A' && c <= 'Z') ? char16_t(c + 0x20) : c;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return char16_t(c + 0x20);
    if (c < 0x100) return c;
    if (InEvenOddBlock(c)) return char16_t(c | 1);
    if (InOddEvenBlock(c)) return (c & 1) ? char16_t(c + 1) : c;
    if (c == 0x0130) return u'i';
    if (c == 0x0178) return 0xFF;
    if (c >= 0x0391 && c <= 0x03AB && c != 0x03A2) return char16_t(c + 0x20);
    if (c == 0x0386) return 0x03AC;
    if (c >= 0x0388 && c <= 0x038A) return char16_t(c + 0x25);
    if (c == 0x038C) return 0x03CC;
    if (c == 0x038E || c == 0x038F) return char16_t(c + 0x3F);
    if (c >= 0x0410 && c <= 0x042F) return char16_t(c + 0x20);
    if (c >= 0x0400 && c <= 0x040F) return char16_t(c + 0x50);
    if (c == 0x04C0) return 0x04CF;
    if (c >= 0x0531 && c <= 0x0556) return char16_t(c + 0x30);
    if (c >= 0x1F08 && c <= 0x1F6F && (c & 0x0F) >= 8) {
        // Greek Extended capitals with breathings: the small letter is 8 below.
        return char16_t(c - 8);
    }
    if (c >= 0xFF21 && c <= 0xFF3A) return char16_t(c + 0x20);
    return c;
}

bool InLegacyOrder(TextView before, TextView after) {
    const size_t n = std::min(before.size(), after.size());
    for (size_t i = 0; i < n; ++i) {
        const char16_t x = LegacyLowerChar(before[i]);
        const char16_t y = LegacyLowerChar(after[i]);
        if (x != y) return x < y;
    }
    return before.size() <= after.size();
}

}  // namespace tavik
