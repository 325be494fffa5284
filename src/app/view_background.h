// The main form's background: the skin picture drawn at the form's top
// left corner at the layout's scale, carried on to the form's edges when the
// window is larger than the skin, and the labels' pieces of it.
#pragma once

#include <wx/colour.h>
#include <wx/dc.h>
#include <wx/window.h>

#include <span>
#include <vector>

#include "app/picture.h"

namespace tavik {

class SkinLabel;

// The part of a picture of `picture` size, placed at the form's (0, 0),
// that lies behind `label` (form coordinates); empty when they do not meet.
wxRect LabelPiece(const wxSize& picture, const wxRect& label);

// A rectangle of the form painted in one colour.
struct ColourBand {
    wxRect rect;
    wxColour colour;
    friend bool operator==(const ColourBand&, const ColourBand&) = default;
};

// How `picture`, placed at the form's (0, 0), goes on in a form of `form`
// size: its last column to the right edge, its last row to the bottom edge,
// its bottom right pixel into the corner between them; one band for each
// run of one colour. A picture goes on only in a direction where it reaches
// `design`, the size the skin is laid out for: a skin whose picture is
// smaller than its layout keeps the form's plain colour beside it, as it
// was made. Nothing when the picture covers the form or is not IsOk().
std::vector<ColourBand> ContinuedEdges(const wxBitmap& picture, const wxSize& design,
                                       const wxSize& form);

// The skin picture as the form shows it: as decoded at scale 1, else
// enlarged with the layout (a larger desktop font), made once for each
// decoded version of the picture and each scale.
class ScaledPicture {
public:
    // `version` changes whenever `picture` is decoded anew.
    const wxBitmap& Get(const ImageBitmap& picture, int version, double scale);

private:
    int m_version = -1;
    double m_scale = 0;
    wxBitmap m_scaled;
};

// Draws `picture` on `dc` (the form's) with its continued edges, fills the
// rest of the form with its plain colour, and gives every label its piece.
// A picture that is not IsOk() (missing, unreadable) leaves the form plain.
void DrawViewBackground(wxDC& dc, const wxWindow& form, const wxBitmap& picture,
                        const wxSize& design, std::span<SkinLabel* const> labels);

}  // namespace tavik
