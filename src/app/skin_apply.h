// Placing the main form's controls on the skin's rectangles.
#pragma once

#include <wx/window.h>

#include <array>

#include "config/skin_layout.h"

namespace tavik {

// The window each slot of the layout places, in slot order; null slots are
// skipped.
using SkinWindows = std::array<wxWindow*, kSkinSlotCount>;

// Moves each window to its slot's rectangle (x = left, y = top, width =
// right - left, height = bottom - top), numbers used as stored. A rectangle
// whose right or bottom lies before its left or top gives the window no
// size, and a window without size is hidden until a layout sizes it again.
void ApplySkinLayout(const SkinLayout& layout, const SkinWindows& windows);

}  // namespace tavik
