// The form's labels, drawn over their piece of the background picture.
#include "app/skin_label.h"

#include <wx/dcclient.h>
#include <wx/image.h>

#include <cstring>

namespace tavik {

wxIMPLEMENT_DYNAMIC_CLASS(SkinLabel, wxGenericStaticText);

namespace {

bool SamePixels(const wxBitmap& a, const wxBitmap& b) {
    if (a.IsOk() != b.IsOk()) return false;
    if (!a.IsOk()) return true;
    if (a.GetSize() != b.GetSize()) return false;
    const wxImage left = a.ConvertToImage();
    const wxImage right = b.ConvertToImage();
    return std::memcmp(left.GetData(), right.GetData(),
                       size_t(left.GetWidth()) * size_t(left.GetHeight()) * 3) == 0;
}

}  // namespace

bool SkinLabel::Create(wxWindow* parent, wxWindowID id, const wxString& label, const wxPoint& pos,
                       const wxSize& size, long style, const wxString& name) {
    if (!wxGenericStaticText::Create(parent, id, label, pos, size, style, name)) return false;
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &SkinLabel::OnPaint, this);
    return true;
}

void SkinLabel::SetPiece(const wxBitmap& piece, const wxPoint& at) {
    if (at == m_pieceOrigin && SamePixels(piece, m_piece)) return;
    m_piece = piece;
    m_pieceOrigin = at;
    Refresh();
}

void SkinLabel::OnPaint(wxPaintEvent& /*event*/) {
    wxPaintDC dc(this);
    dc.SetBackground(wxBrush(GetParent()->GetBackgroundColour()));
    dc.Clear();
    if (m_piece.IsOk()) dc.DrawBitmap(m_piece, m_pieceOrigin);
    dc.SetFont(GetFont());
    dc.SetTextForeground(GetForegroundColour());
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    dc.DrawLabel(GetLabel(), GetClientRect(), wxALIGN_LEFT | wxALIGN_TOP);
}

SkinLabelXmlHandler::SkinLabelXmlHandler() { AddWindowStyles(); }

wxObject* SkinLabelXmlHandler::DoCreateResource() {
    XRC_MAKE_INSTANCE(label, SkinLabel)
    label->Create(m_parentAsWindow, GetID(), GetText("label"), GetPosition(), GetSize(), GetStyle(),
                  GetName());
    SetupWindow(label);
    return label;
}

bool SkinLabelXmlHandler::CanHandle(wxXmlNode* node) { return IsOfClass(node, "SkinLabel"); }

}  // namespace tavik
