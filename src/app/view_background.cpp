// Drawing of the main form's background picture.
#include "app/view_background.h"

#include "app/skin_label.h"

namespace tavik {

wxRect LabelPiece(const wxSize& picture, const wxRect& label) {
    const wxRect covered = wxRect(wxPoint(0, 0), picture).Intersect(label);
    return covered.IsEmpty() ? wxRect() : covered;
}

void DrawViewBackground(wxDC& dc, const wxWindow& form, const ImageBitmap& picture,
                        std::span<SkinLabel* const> labels) {
    const wxSize pictureSize(picture.GetWidth(), picture.GetHeight());
    const wxSize formSize = form.GetClientSize();

    // Only what the picture leaves uncovered is filled, so nothing flickers.
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(form.GetBackgroundColour()));
    if (pictureSize.x < formSize.x)
        dc.DrawRectangle(pictureSize.x, 0, formSize.x - pictureSize.x, formSize.y);
    if (pictureSize.y < formSize.y)
        dc.DrawRectangle(0, pictureSize.y, std::min(pictureSize.x, formSize.x),
                         formSize.y - pictureSize.y);
    if (picture.IsOk()) dc.DrawBitmap(picture.Bitmap(), 0, 0);

    for (SkinLabel* label : labels) {
        if (!label) continue;
        const wxRect bounds = label->GetRect();
        const wxRect piece = LabelPiece(pictureSize, bounds);
        if (piece.IsEmpty())
            label->SetPiece(wxBitmap(), wxPoint());
        else
            label->SetPiece(picture.Bitmap().GetSubBitmap(piece),
                            piece.GetPosition() - bounds.GetPosition());
    }
}

}  // namespace tavik
