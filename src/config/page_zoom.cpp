// The entry page's zoom steps.
#include "config/page_zoom.h"

#include <algorithm>
#include <array>

namespace tavik {

namespace {

constexpr std::array kSteps = {50, 67, 80, 90, 100, 110, 125, 150, 175, 200, 250, 300};

}  // namespace

int ValidPageZoom(int percent) { return std::clamp(percent, kSteps.front(), kSteps.back()); }

int NextPageZoom(int percent, int direction) {
    if (direction == 0) return kDefaultPageZoom;
    percent = ValidPageZoom(percent);
    if (direction > 0) {
        const auto next = std::upper_bound(kSteps.begin(), kSteps.end(), percent);
        return next == kSteps.end() ? kSteps.back() : *next;
    }
    const auto next = std::lower_bound(kSteps.begin(), kSteps.end(), percent);
    return next == kSteps.begin() ? kSteps.front() : *(next - 1);
}

}  // namespace tavik
