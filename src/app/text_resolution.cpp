// The desktop's text resolution, asked of GDK.
#include "app/text_resolution.h"

#include <dlfcn.h>

namespace tavik {

double DesktopTextResolution() {
    constexpr double kDefault = 96.0;
    // GDK is loaded with the toolkit but its headers are not at hand: its two
    // functions are looked up by name, and a build without them keeps 96.
    using ScreenFunction = void* (*)();
    using ResolutionFunction = double (*)(void*);
    auto screen = reinterpret_cast<ScreenFunction>(dlsym(RTLD_DEFAULT, "gdk_screen_get_default"));
    auto resolution =
        reinterpret_cast<ResolutionFunction>(dlsym(RTLD_DEFAULT, "gdk_screen_get_resolution"));
    if (!screen || !resolution) return kDefault;
    void* display = screen();
    if (!display) return kDefault;
    const double dpi = resolution(display);
    return dpi > 0 ? dpi : kDefault;
}

}  // namespace tavik
