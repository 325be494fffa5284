// Picture loading for the viewer.
#include "app/picture.h"

namespace tavik {

bool ImageBitmap::LoadFromFile(const std::filesystem::path& /*path*/) {
    m_bitmap = wxBitmap();
    return false;
}

}  // namespace tavik
