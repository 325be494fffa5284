// Drawing of the main form's background picture.
#include "app/view_background.h"

#include <wx/dcmemory.h>
#include <wx/image.h>

#include "app/skin_label.h"

namespace tavik {

namespace {

wxColour PixelColour(const wxImage& image, int x, int y) {
    return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
}

// One band per run of one colour along `line` (a column when `down`, else
// a row), each stretched over `across` from where the line's pixel is.
void AddRuns(const wxImage& line, bool down, const wxRect& across, std::vector<ColourBand>& bands) {
    const int length = down ? line.GetHeight() : line.GetWidth();
    auto colourAt = [&](int i) { return down ? PixelColour(line, 0, i) : PixelColour(line, i, 0); };
    int start = 0;
    for (int i = 1; i <= length; ++i) {
        if (i < length && colourAt(i) == colourAt(start)) continue;
        const wxRect rect = down ? wxRect(across.x, across.y + start, across.width, i - start)
                                 : wxRect(across.x + start, across.y, i - start, across.height);
        bands.push_back({rect, colourAt(start)});
        start = i;
    }
}

void FillPlain(wxDC& dc, const wxRect& rect) {
    if (!rect.IsEmpty()) dc.DrawRectangle(rect);
}

// The label's background as the form draws it, continued edges included.
wxBitmap ComposedPiece(const wxBitmap& picture, std::span<const ColourBand> bands,
                       const wxRect& label, const wxColour& plain) {
    wxBitmap piece(label.GetSize(), 24);
    wxMemoryDC dc(piece);
    dc.SetBackground(wxBrush(plain));
    dc.Clear();
    dc.SetDeviceOrigin(-label.x, -label.y);
    dc.DrawBitmap(picture, 0, 0);
    dc.SetPen(*wxTRANSPARENT_PEN);
    for (const ColourBand& band : bands) {
        dc.SetBrush(wxBrush(band.colour));
        dc.DrawRectangle(band.rect);
    }
    dc.SelectObject(wxNullBitmap);
    return piece;
}

bool Meets(std::span<const ColourBand> bands, const wxRect& rect) {
    for (const ColourBand& band : bands)
        if (band.rect.Intersects(rect)) return true;
    return false;
}

}  // namespace

wxRect LabelPiece(const wxSize& picture, const wxRect& label) {
    const wxRect covered = wxRect(wxPoint(0, 0), picture).Intersect(label);
    return covered.IsEmpty() ? wxRect() : covered;
}

std::vector<ColourBand> ContinuedEdges(const wxBitmap& picture, const wxSize& design,
                                       const wxSize& form) {
    std::vector<ColourBand> bands;
    if (!picture.IsOk()) return bands;
    const int w = picture.GetWidth();
    const int h = picture.GetHeight();
    const bool right = w >= design.x && form.x > w;
    const bool down = h >= design.y && form.y > h;
    if (right) {
        const wxImage column = picture.GetSubBitmap(wxRect(w - 1, 0, 1, h)).ConvertToImage();
        AddRuns(column, true, wxRect(w, 0, form.x - w, h), bands);
    }
    if (down) {
        const wxImage row = picture.GetSubBitmap(wxRect(0, h - 1, w, 1)).ConvertToImage();
        AddRuns(row, false, wxRect(0, h, w, form.y - h), bands);
    }
    if (right && down) {
        const wxImage corner = picture.GetSubBitmap(wxRect(w - 1, h - 1, 1, 1)).ConvertToImage();
        bands.push_back({wxRect(w, h, form.x - w, form.y - h), PixelColour(corner, 0, 0)});
    }
    return bands;
}

const wxBitmap& ScaledPicture::Get(const ImageBitmap& picture, int version, double scale) {
    if (!picture.IsOk() || scale == 1.0) return picture.Bitmap();
    const wxSize size(int(picture.GetWidth() * scale + 0.5),
                      int(picture.GetHeight() * scale + 0.5));
    // A picture as large as a picture may be stays as it is rather than
    // taking several times its memory.
    if (int64_t(size.x) * size.y > kMaxPicturePixels) return picture.Bitmap();
    if (version != m_version || scale != m_scale) {
        m_scaled = wxBitmap(
            picture.Bitmap().ConvertToImage().Scale(size.x, size.y, wxIMAGE_QUALITY_BILINEAR));
        m_version = version;
        m_scale = scale;
    }
    return m_scaled;
}

void DrawViewBackground(wxDC& dc, const wxWindow& form, const wxBitmap& picture,
                        const wxSize& design, std::span<SkinLabel* const> labels) {
    const wxSize pictureSize = picture.IsOk() ? picture.GetSize() : wxSize();
    const wxSize formSize = form.GetClientSize();
    const std::vector<ColourBand> bands = ContinuedEdges(picture, design, formSize);

    // Every pixel is painted once, so nothing flickers: the picture, its
    // continued edges, and the form's plain colour where neither reaches.
    dc.SetPen(*wxTRANSPARENT_PEN);
    for (const ColourBand& band : bands) {
        dc.SetBrush(wxBrush(band.colour));
        dc.DrawRectangle(band.rect);
    }
    const wxRect whole(formSize);
    const wxRect beside =
        wxRect(pictureSize.x, 0, formSize.x - pictureSize.x, pictureSize.y).Intersect(whole);
    const wxRect below =
        wxRect(0, pictureSize.y, pictureSize.x, formSize.y - pictureSize.y).Intersect(whole);
    const wxRect corner = wxRect(pictureSize.x, pictureSize.y, formSize.x - pictureSize.x,
                                 formSize.y - pictureSize.y);
    dc.SetBrush(wxBrush(form.GetBackgroundColour()));
    if (!Meets(bands, beside)) FillPlain(dc, beside);
    if (!Meets(bands, below)) FillPlain(dc, below);
    if (!Meets(bands, corner)) FillPlain(dc, corner);
    if (picture.IsOk()) dc.DrawBitmap(picture, 0, 0);

    for (SkinLabel* label : labels) {
        if (!label) continue;
        const wxRect bounds = label->GetRect();
        const wxRect piece = LabelPiece(pictureSize, bounds);
        if (Meets(bands, bounds))
            label->SetPiece(ComposedPiece(picture, bands, bounds, form.GetBackgroundColour()),
                            wxPoint());
        else if (piece.IsEmpty())
            label->SetPiece(wxBitmap(), wxPoint());
        else
            label->SetPiece(picture.GetSubBitmap(piece),
                            piece.GetPosition() - bounds.GetPosition());
    }
}

}  // namespace tavik
