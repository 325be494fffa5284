// Placing the main form's controls on the skin's rectangles.
#pragma once

#include <wx/window.h>

#include <array>

#include "config/skin_layout.h"

namespace tavik {

// The window each slot of the layout places, in slot order; null slots are
// skipped.
using SkinWindows = std::array<wxWindow*, kSkinSlotCount>;

// Where each window stands on the built-in form, in slot order.
using FormRects = std::array<wxRect, kSkinSlotCount>;

// The built-in form's own layout, read off the windows as the form resource
// placed them, before any skin moved them. The resource's heights of the
// drop-down lists count their open list, so those take their natural height.
FormRects BuiltInRects(const SkinWindows& windows);

// When the layout is usable (IsUsableSkinLayout), moves each window to its
// slot's rectangle (x = left, y = top, width = right - left, height = bottom
// - top), numbers used as stored; a rectangle whose right or bottom lies
// before its left or top gives the window no size, and a window without size
// is hidden until a layout sizes it again. Otherwise puts every
// window back on `builtIn` and shows it, and returns false.
bool ApplySkinLayout(const SkinLayout& layout, const SkinWindows& windows,
                     const FormRects& builtIn);

}  // namespace tavik
