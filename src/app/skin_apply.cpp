// Applying the skin layout.
#include "app/skin_apply.h"

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
        const int width = SkinWidth(rect);
        const int height = SkinHeight(rect);
        window->SetSize(rect.left, rect.top, width, height, wxSIZE_ALLOW_MINUS_ONE);
        // The toolkit gives controls a minimum size; a control the skin sizes
        // to nothing must not show at it.
        if (width == 0 || height == 0) window->Hide();
    }
}

}  // namespace tavik
