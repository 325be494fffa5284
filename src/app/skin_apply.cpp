// Applying the skin layout.
#include "app/skin_apply.h"

#include <algorithm>

namespace tavik {

void ApplySkinLayout(const SkinLayout& layout, const SkinWindows& windows) {
    // The order of the moves follows the skin file's keys, so overlapping
    // controls stack the same way in every skin.
    static constexpr std::array kOrder = {
        kSearchStatic,    kSearchListStatic, kSearchEdit,         kSearchButton,
        kSearchList,      kContentEdit,      kSearchButtonListUp, kSearchButtonListDown,
        kSelectDicStatic, kSelectDicList};
    for (const SkinSlot slot : kOrder) {
        wxWindow* window = windows[slot];
        if (!window) continue;
        const SkinRect& rect = layout[slot];
        const int width = std::max(0, rect.right - rect.left);
        const int height = std::max(0, rect.bottom - rect.top);
        window->SetSize(rect.left, rect.top, width, height, wxSIZE_ALLOW_MINUS_ONE);
        // The toolkit gives controls a minimum size; a control the skin sizes
        // to nothing must not show at it.
        window->Show(width > 0 && height > 0);
    }
}

}  // namespace tavik
