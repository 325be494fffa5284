// The resolution the desktop draws text at, in dots per inch.
#pragma once

namespace tavik {

// The toolkit's font resolution (the desktop's text DPI setting, or
// GDK_DPI_SCALE), in the window's own units: a GDK_SCALE of 2 doubles
// everything already and does not count here. 96 when it cannot be told.
double DesktopTextResolution();

}  // namespace tavik
