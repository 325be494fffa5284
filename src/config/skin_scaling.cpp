// The skin's layout at any window size and text scale.
#include "config/skin_scaling.h"

#include <algorithm>
#include <cmath>

namespace tavik {

namespace {

bool IsEmpty(const SkinRect& rect) { return rect.right <= rect.left || rect.bottom <= rect.top; }

// Which edges of a rectangle move with the window's far (right, bottom)
// edges when the window grows.
struct Anchors {
    bool left = false;
    bool top = false;
    bool right = false;
    bool bottom = false;
};

// An edge nearer the far side of `extent` than the near one moves with it.
bool NearFarEdge(int64_t position, int32_t extent) { return 2 * position > int64_t(extent); }

Anchors AnchorsOf(SkinSlot slot, const SkinRect& rect, SkinSize design) {
    Anchors anchors;
    if (IsEmpty(rect)) return anchors;
    if (slot == kContentEdit) {
        anchors.left = NearFarEdge(rect.left, design.width);
        anchors.right = NearFarEdge(rect.right, design.width);
        anchors.top = NearFarEdge(rect.top, design.height);
        anchors.bottom = NearFarEdge(rect.bottom, design.height);
        return anchors;
    }
    anchors.left = anchors.right = NearFarEdge(int64_t(rect.left) + rect.right, 2 * design.width);
    anchors.top = anchors.bottom = NearFarEdge(int64_t(rect.top) + rect.bottom, 2 * design.height);
    return anchors;
}

int32_t Scaled(int32_t value, double scale) { return int32_t(std::lround(value * scale)); }

// The least (most negative) shrink `delta` of one axis that keeps a gap of
// `gap` pixels between a near edge moving `nearMoves` and a far edge moving
// `farMoves` with the window from closing.
int64_t LeastShrink(int64_t gap, bool nearMoves, bool farMoves) {
    if (farMoves && !nearMoves) return -gap;
    return INT64_MIN;  // the gap never closes as the window shrinks
}

}  // namespace

SkinSize SkinDesignSize(const SkinLayout& layout) {
    SkinSize size = kFixedLayoutSize;
    for (const SkinRect& rect : layout) {
        if (IsEmpty(rect)) continue;
        size.width = std::max(size.width, rect.right);
        size.height = std::max(size.height, rect.bottom);
    }
    return size;
}

double SkinScaleForFont(double points, double dotsPerInch) {
    if (!(points > 0) || !(dotsPerInch > 0)) return 1.0;
    const double scale = points * dotsPerInch / (10.0 * 96.0);
    return std::clamp(std::round(scale * 4.0) / 4.0, 1.0, 8.0);
}

SkinLayout ScaleSkinLayout(const SkinLayout& layout, double scale) {
    SkinLayout scaled = layout;
    if (scale == 1.0) return scaled;
    for (SkinRect& rect : scaled)
        rect = {Scaled(rect.left, scale), Scaled(rect.top, scale), Scaled(rect.right, scale),
                Scaled(rect.bottom, scale)};
    return scaled;
}

SkinSize ScaleSkinSize(SkinSize size, double scale) {
    if (scale == 1.0) return size;
    return {Scaled(size.width, scale), Scaled(size.height, scale)};
}

SkinLayout FollowWindow(const SkinLayout& layout, SkinSize designSize, SkinSize window) {
    const int32_t dx = window.width - designSize.width;
    const int32_t dy = window.height - designSize.height;
    SkinLayout placed = layout;
    for (int slot = 0; slot < kSkinSlotCount; ++slot) {
        const Anchors anchors = AnchorsOf(SkinSlot(slot), layout[slot], designSize);
        SkinRect& rect = placed[slot];
        if (anchors.left) rect.left += dx;
        if (anchors.right) rect.right += dx;
        if (anchors.top) rect.top += dy;
        if (anchors.bottom) rect.bottom += dy;
    }
    return placed;
}

SkinSize MinimumWindowSize(const SkinLayout& layout, SkinSize designSize) {
    // The window may shrink by at most these (negative) amounts.
    int64_t leastDx = INT64_MIN;
    int64_t leastDy = INT64_MIN;
    std::array<Anchors, kSkinSlotCount> anchors{};
    for (int slot = 0; slot < kSkinSlotCount; ++slot)
        anchors[slot] = AnchorsOf(SkinSlot(slot), layout[slot], designSize);

    for (int slot = 0; slot < kSkinSlotCount; ++slot) {
        const SkinRect& rect = layout[slot];
        if (IsEmpty(rect)) continue;
        const Anchors& a = anchors[slot];
        // Whole inside the window: the window's own edges are a gap too.
        leastDx = std::max(leastDx, LeastShrink(rect.left, false, a.left));
        leastDx =
            std::max(leastDx, LeastShrink(int64_t(designSize.width) - rect.right, a.right, true));
        leastDy = std::max(leastDy, LeastShrink(rect.top, false, a.top));
        leastDy = std::max(leastDy,
                           LeastShrink(int64_t(designSize.height) - rect.bottom, a.bottom, true));
        if (slot == kContentEdit) {
            const int64_t width = int64_t(rect.right) - rect.left;
            const int64_t height = int64_t(rect.bottom) - rect.top;
            leastDx = std::max(leastDx, LeastShrink(width - width / 4, a.left, a.right));
            leastDy = std::max(leastDy, LeastShrink(height - height / 4, a.top, a.bottom));
        }
    }

    for (int first = 0; first < kSkinSlotCount; ++first) {
        for (int second = 0; second < kSkinSlotCount; ++second) {
            const SkinRect& a = layout[first];
            const SkinRect& b = layout[second];
            if (first == second || IsEmpty(a) || IsEmpty(b)) continue;
            // Only pairs with `a` before `b` on an axis; the reverse pair
            // covers the other order.
            const bool apartX = a.right <= b.left;
            const bool apartY = a.bottom <= b.top;
            if (!apartX && !apartY) continue;
            const int64_t shrinkX = apartX ? LeastShrink(int64_t(b.left) - a.right,
                                                         anchors[first].right, anchors[second].left)
                                           : 0;
            const int64_t shrinkY = apartY ? LeastShrink(int64_t(b.top) - a.bottom,
                                                         anchors[first].bottom, anchors[second].top)
                                           : 0;
            // Apart on both axes, the pair stays apart while either gap holds:
            // it needs nothing when one of the gaps never closes.
            if (apartX && apartY && (shrinkX == INT64_MIN || shrinkY == INT64_MIN)) continue;
            if (apartX) leastDx = std::max(leastDx, shrinkX);
            if (apartY) leastDy = std::max(leastDy, shrinkY);
        }
    }
    const auto shrunk = [](int32_t extent, int64_t least) {
        if (least == INT64_MIN) return int32_t(0);
        return int32_t(std::clamp<int64_t>(extent + std::min<int64_t>(least, 0), 0, extent));
    };
    return {shrunk(designSize.width, leastDx), shrunk(designSize.height, leastDy)};
}

}  // namespace tavik
