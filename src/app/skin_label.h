// A text label of the main form that shows the skin's background picture
// behind its text: the form hands it the piece of the picture it covers.
#pragma once

#include <wx/generic/stattextg.h>
#include <wx/xrc/xmlres.h>

namespace tavik {

class SkinLabel : public wxGenericStaticText {
public:
    SkinLabel() = default;
    SkinLabel(wxWindow* parent, wxWindowID id, const wxString& label,
              const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
              long style = 0, const wxString& name = wxASCII_STR(wxStaticTextNameStr)) {
        Create(parent, id, label, pos, size, style, name);
    }
    bool Create(wxWindow* parent, wxWindowID id, const wxString& label,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                long style = 0, const wxString& name = wxASCII_STR(wxStaticTextNameStr));

    // The piece of the background behind the label and where it starts in
    // the label; an invalid piece leaves the form's plain colour. Redraws
    // only when the piece changed.
    void SetPiece(const wxBitmap& piece, const wxPoint& at);
    const wxBitmap& Piece() const { return m_piece; }
    const wxPoint& PieceOrigin() const { return m_pieceOrigin; }

private:
    void OnPaint(wxPaintEvent& event);

    wxBitmap m_piece;
    wxPoint m_pieceOrigin;

    wxDECLARE_DYNAMIC_CLASS(SkinLabel);
};

// Builds <object class="SkinLabel"> of the form resources.
class SkinLabelXmlHandler : public wxXmlResourceHandler {
public:
    SkinLabelXmlHandler();
    wxObject* DoCreateResource() override;
    bool CanHandle(wxXmlNode* node) override;
};

}  // namespace tavik
