// The zoom of the entry page, in percent of the desktop's text size.
#pragma once

namespace tavik {

inline constexpr int kDefaultPageZoom = 100;

// The next zoom step above (`direction` > 0) or below (< 0) `percent`;
// direction 0 gives the default. The steps run from 50 to 300 percent and
// a stored value between two steps snaps to the next one.
int NextPageZoom(int percent, int direction);

// `percent` as a zoom the page can show: out-of-range values give the
// nearest end of the steps.
int ValidPageZoom(int percent);

}  // namespace tavik
