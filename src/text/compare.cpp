// The order comparison and the exact comparison of Text strings.
#include "text/compare.h"

#include <algorithm>

namespace tavik {

namespace {

// Most headwords are ASCII: their letters fold without the table.
inline char16_t FoldChar(char16_t c) {
    if (c < 0x80) return (c >= u'A' && c <= u'Z') ? char16_t(c + 0x20) : c;
    return LowerChar(c);
}

}  // namespace

int CompareOrder(TextView a, TextView b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        if (a[i] == b[i]) continue;
        const char16_t x = FoldChar(a[i]);
        const char16_t y = FoldChar(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

std::optional<int> CompareOrderWithStart(TextView a, TextView bStart, size_t bLength) {
    if (bStart.size() >= bLength) return CompareOrder(a, bStart.substr(0, bLength));
    const size_t known = std::min(a.size(), bStart.size());
    if (const int order = CompareOrder(a.substr(0, known), bStart.substr(0, known)); order != 0)
        return order;
    // Equal as far as `a` goes, and `b` is longer.
    if (a.size() <= bStart.size()) return -1;
    return std::nullopt;
}

int CompareExact(TextView a, TextView b) {
    const int r = a.compare(b);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

bool StartsWithOrder(TextView text, TextView prefix) {
    return prefix.size() <= text.size() && EqualOrder(text.substr(0, prefix.size()), prefix);
}

}  // namespace tavik
