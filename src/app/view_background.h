// The main form's background: the skin picture drawn at the form's top
// left corner, unscaled, and the labels' pieces of it.
#pragma once

#include <wx/dc.h>
#include <wx/window.h>

#include <span>

#include "app/picture.h"

namespace tavik {

class SkinLabel;

// The part of a picture of `picture` size, placed at the form's (0, 0),
// that lies behind `label` (form coordinates); empty when they do not meet.
wxRect LabelPiece(const wxSize& picture, const wxRect& label);

// Draws `picture` on `dc` (the form's), fills the rest of the form with its
// plain colour, and gives every label its piece. A picture that is not
// IsOk() (missing, unreadable) leaves the form plain.
void DrawViewBackground(wxDC& dc, const wxWindow& form, const ImageBitmap& picture,
                        std::span<SkinLabel* const> labels);

}  // namespace tavik
