// The skin's layout at any window size and text scale: the rectangles of a
// skin are the layout at its design size; a larger or smaller window
// stretches the entry viewer and moves every other control with the window
// edges nearest to it.
#pragma once

#include <cstdint>

#include "config/skin_layout.h"

namespace tavik {

struct SkinSize {
    int32_t width = 0;
    int32_t height = 0;
    friend bool operator==(const SkinSize&, const SkinSize&) = default;
};

// The client size every skin was laid out for while the window had one size.
inline constexpr SkinSize kFixedLayoutSize{640, 480};

// The size `layout` is drawn for: the fixed layout's size, or larger where a
// rectangle reaches beyond it.
SkinSize SkinDesignSize(const SkinLayout& layout);

// How much larger than the skin's pixels the window is drawn for a desktop
// font of `points` at `dotsPerInch`: 1 for the 10-point text the skins were
// made for at 96 DPI, in steps of a quarter, never below 1.
double SkinScaleForFont(double points, double dotsPerInch);

// Every coordinate multiplied by `scale` and rounded; scale 1 changes
// nothing.
SkinLayout ScaleSkinLayout(const SkinLayout& layout, double scale);
SkinSize ScaleSkinSize(SkinSize size, double scale);

// The layout for a client area of `window`: the entry viewer's edges keep
// their distance to the nearest window edge each (so it grows and shrinks
// with the window), every other control keeps its distance to the window
// edges nearest to its centre and keeps its size. At `designSize` the result
// is `layout` itself. Empty rectangles stay as they are.
SkinLayout FollowWindow(const SkinLayout& layout, SkinSize designSize, SkinSize window);

// The smallest client area at which FollowWindow keeps every control whole
// inside the window, keeps controls that do not meet at the design size
// apart, and leaves the viewer a quarter of its design width and height.
SkinSize MinimumWindowSize(const SkinLayout& layout, SkinSize designSize);

}  // namespace tavik
