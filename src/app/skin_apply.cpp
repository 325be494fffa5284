// Applying the skin layout.
#include "app/skin_apply.h"

#include <wx/choice.h>
#include <wx/combobox.h>

#include <algorithm>

namespace tavik {

FormRects BuiltInRects(const SkinWindows& windows) {
    FormRects rects{};
    for (int slot = 0; slot < kSkinSlotCount; ++slot) {
        wxWindow* window = windows[slot];
        if (!window) continue;
        rects[slot] = window->GetRect();
        // The toolkit reports a sized control's size as its best one: a fresh
        // control of the same kind tells the natural height.
        if (dynamic_cast<wxComboBox*>(window)) {
            const wxComboBox probe(window->GetParent(), wxID_ANY);
            rects[slot].height = probe.GetBestSize().y;
        } else if (dynamic_cast<wxChoice*>(window)) {
            const wxChoice probe(window->GetParent(), wxID_ANY);
            rects[slot].height = probe.GetBestSize().y;
        }
    }
    return rects;
}

bool ApplySkinLayout(const SkinLayout& layout, const SkinWindows& windows,
                     const FormRects& builtIn) {
    if (!IsUsableSkinLayout(layout)) {
        // Without a usable skin the form keeps its own layout rather than
        // losing its controls.
        for (int slot = 0; slot < kSkinSlotCount; ++slot) {
            if (!windows[slot]) continue;
            windows[slot]->SetSize(builtIn[slot]);
            windows[slot]->Show();
        }
        return false;
    }
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
        window->Show(width > 0 && height > 0);
    }
    return true;
}

}  // namespace tavik
