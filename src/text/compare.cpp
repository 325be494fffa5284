// The order comparison and the exact comparison of Text strings.
#include "text/compare.h"

#include <algorithm>

namespace tavik {

int CompareOrder(TextView a, TextView b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const char16_t x = LowerChar(a[i]);
        const char16_t y = LowerChar(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

int CompareExact(TextView a, TextView b) {
    const int r = a.compare(b);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

bool StartsWithOrder(TextView text, TextView prefix) {
    return prefix.size() <= text.size() && EqualOrder(text.substr(0, prefix.size()), prefix);
}

}  // namespace tavik
