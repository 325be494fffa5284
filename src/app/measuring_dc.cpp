// The measuring context: every call goes to the real context, the text
// extents through the cache.
#include "app/measuring_dc.h"

#include <wx/font.h>

#include <map>
#include <utility>

namespace tavik {

void TextExtentCache::Resolution(const wxSize& ppi, double contentScale) {
    if (ppi == m_ppi && contentScale == m_contentScale) return;
    m_ppi = ppi;
    m_contentScale = contentScale;
    Forget();
}

void TextExtentCache::Forget() {
    for (Font& font : m_fonts) {
        font.words.clear();
        font.charSize.reset();
    }
    m_size = 0;
}

int TextExtentCache::FontId(const std::string& description) {
    for (size_t i = 0; i < m_fonts.size(); ++i)
        if (m_fonts[i].description == description) return int(i);
    m_fonts.push_back(Font{description, std::nullopt, {}});
    return int(m_fonts.size() - 1);
}

const TextExtentCache::Extent* TextExtentCache::Find(int fontId, std::wstring_view text) const {
    const auto& words = m_fonts[size_t(fontId)].words;
    const auto found = words.find(text);
    return found == words.end() ? nullptr : &found->second;
}

void TextExtentCache::Store(int fontId, std::wstring_view text, const Extent& extent) {
    if (m_maxEntries == 0) return;
    if (m_size >= m_maxEntries) Forget();
    if (m_fonts[size_t(fontId)].words.insert_or_assign(std::wstring(text), extent).second) ++m_size;
}

namespace {

// What sets two fonts apart in a text's extent, as the toolkit lays text out.
std::string FontDescription(const wxFont& font) {
    std::string description = font.GetNativeFontInfoDesc().utf8_string();
    description += font.GetUnderlined() ? "|u" : "|-";
    description += font.GetStrikethrough() ? "s" : "-";
    return description;
}

class MeasuringDCImpl : public wxDCImpl {
public:
    MeasuringDCImpl(wxDC* owner, wxDC& real, TextExtentCache& cache)
        : wxDCImpl(owner), m_real(real), m_cache(cache) {
        m_ok = real.IsOk();
        SetWindow(real.GetWindow());
        m_font = real.GetFont();
        m_contentScaleFactor = real.GetContentScaleFactor();
        m_mappingMode = real.GetMapMode();
        m_cache.Resolution(real.GetPPI(), m_contentScaleFactor);
    }

    bool CanDrawBitmap() const override { return m_real.CanDrawBitmap(); }
    bool CanGetTextExtent() const override { return m_real.CanGetTextExtent(); }
    void* GetCairoContext() const override { return m_real.GetImpl()->GetCairoContext(); }
    void* GetHandle() const override { return m_real.GetHandle(); }
    void DoGetSize(int* width, int* height) const override { m_real.GetSize(width, height); }
    void DoGetSizeMM(int* width, int* height) const override { m_real.GetSizeMM(width, height); }
    int GetDepth() const override { return m_real.GetDepth(); }
    wxSize GetPPI() const override { return m_real.GetPPI(); }
    double GetContentScaleFactor() const override { return m_real.GetContentScaleFactor(); }
    void SetMapMode(wxMappingMode mode) override {
        wxDCImpl::SetMapMode(mode);
        m_real.SetMapMode(mode);
    }

    void SetFont(const wxFont& font) override {
        m_font = font;
        m_real.SetFont(font);
        m_fontId = -1;
    }
    void SetPen(const wxPen& pen) override {
        m_pen = pen;
        m_real.SetPen(pen);
    }
    void SetBrush(const wxBrush& brush) override {
        m_brush = brush;
        m_real.SetBrush(brush);
    }
    void SetBackground(const wxBrush& brush) override {
        m_backgroundBrush = brush;
        m_real.SetBackground(brush);
    }
    void SetBackgroundMode(int mode) override {
        m_backgroundMode = mode;
        m_real.SetBackgroundMode(mode);
    }
    void SetTextForeground(const wxColour& colour) override {
        m_textForegroundColour = colour;
        m_real.SetTextForeground(colour);
    }
    void SetTextBackground(const wxColour& colour) override {
        m_textBackgroundColour = colour;
        m_real.SetTextBackground(colour);
    }
#if wxUSE_PALETTE
    void SetPalette(const wxPalette& palette) override { m_real.SetPalette(palette); }
#endif
    void SetLogicalFunction(wxRasterOperationMode function) override {
        m_logicalFunction = function;
        m_real.SetLogicalFunction(function);
    }

    wxCoord GetCharHeight() const override { return CharSize().y; }
    wxCoord GetCharWidth() const override { return CharSize().x; }
    void DoGetTextExtent(const wxString& text, wxCoord* width, wxCoord* height, wxCoord* descent,
                         wxCoord* externalLeading, const wxFont* font) const override {
        if (font && font->IsOk() && !font->IsSameAs(m_font)) {
            m_real.GetTextExtent(text, width, height, descent, externalLeading, font);
            return;
        }
        const TextExtentCache::Extent extent = Measured(text);
        if (width) *width = extent.width;
        if (height) *height = extent.height;
        if (descent) *descent = extent.descent;
        if (externalLeading) *externalLeading = extent.externalLeading;
    }
    void DoGetFontMetrics(int* height, int* ascent, int* descent, int* internalLeading,
                          int* externalLeading, int* averageWidth) const override {
        const wxFontMetrics metrics = m_real.GetFontMetrics();
        if (height) *height = metrics.height;
        if (ascent) *ascent = metrics.ascent;
        if (descent) *descent = metrics.descent;
        if (internalLeading) *internalLeading = metrics.internalLeading;
        if (externalLeading) *externalLeading = metrics.externalLeading;
        if (averageWidth) *averageWidth = metrics.averageWidth;
    }
    bool DoGetPartialTextExtents(const wxString& text, wxArrayInt& widths) const override {
        return m_real.GetPartialTextExtents(text, widths);
    }

    void Clear() override { m_real.Clear(); }
    void DoSetClippingRegion(wxCoord x, wxCoord y, wxCoord w, wxCoord h) override {
        m_real.SetClippingRegion(x, y, w, h);
    }
    void DoSetDeviceClippingRegion(const wxRegion& region) override {
        m_real.SetDeviceClippingRegion(region);
    }
    void DestroyClippingRegion() override { m_real.DestroyClippingRegion(); }
    bool DoFloodFill(wxCoord x, wxCoord y, const wxColour& colour,
                     wxFloodFillStyle style) override {
        return m_real.FloodFill(x, y, colour, style);
    }
    bool DoGetPixel(wxCoord x, wxCoord y, wxColour* colour) const override {
        return m_real.GetPixel(x, y, colour);
    }
    void DoDrawPoint(wxCoord x, wxCoord y) override { m_real.DrawPoint(x, y); }
    void DoDrawLine(wxCoord x1, wxCoord y1, wxCoord x2, wxCoord y2) override {
        m_real.DrawLine(x1, y1, x2, y2);
    }
    void DoDrawArc(wxCoord x1, wxCoord y1, wxCoord x2, wxCoord y2, wxCoord xc,
                   wxCoord yc) override {
        m_real.DrawArc(x1, y1, x2, y2, xc, yc);
    }
    void DoDrawEllipticArc(wxCoord x, wxCoord y, wxCoord w, wxCoord h, double sa,
                           double ea) override {
        m_real.DrawEllipticArc(x, y, w, h, sa, ea);
    }
    void DoDrawRectangle(wxCoord x, wxCoord y, wxCoord w, wxCoord h) override {
        m_real.DrawRectangle(x, y, w, h);
    }
    void DoDrawRoundedRectangle(wxCoord x, wxCoord y, wxCoord w, wxCoord h,
                                double radius) override {
        m_real.DrawRoundedRectangle(x, y, w, h, radius);
    }
    void DoDrawEllipse(wxCoord x, wxCoord y, wxCoord w, wxCoord h) override {
        m_real.DrawEllipse(x, y, w, h);
    }
    void DoCrossHair(wxCoord x, wxCoord y) override { m_real.CrossHair(x, y); }
    void DoDrawIcon(const wxIcon& icon, wxCoord x, wxCoord y) override {
        m_real.DrawIcon(icon, x, y);
    }
    void DoDrawBitmap(const wxBitmap& bitmap, wxCoord x, wxCoord y, bool useMask) override {
        m_real.DrawBitmap(bitmap, x, y, useMask);
    }
    void DoDrawText(const wxString& text, wxCoord x, wxCoord y) override {
        m_real.DrawText(text, x, y);
    }
    void DoDrawRotatedText(const wxString& text, wxCoord x, wxCoord y, double angle) override {
        m_real.DrawRotatedText(text, x, y, angle);
    }
    bool DoBlit(wxCoord xdest, wxCoord ydest, wxCoord width, wxCoord height, wxDC* source,
                wxCoord xsrc, wxCoord ysrc, wxRasterOperationMode rop, bool useMask,
                wxCoord xsrcMask, wxCoord ysrcMask) override {
        return m_real.Blit(xdest, ydest, width, height, source, xsrc, ysrc, rop, useMask, xsrcMask,
                           ysrcMask);
    }
    void DoDrawLines(int n, const wxPoint points[], wxCoord xoffset, wxCoord yoffset) override {
        m_real.DrawLines(n, points, xoffset, yoffset);
    }
    void DoDrawPolygon(int n, const wxPoint points[], wxCoord xoffset, wxCoord yoffset,
                       wxPolygonFillMode fillStyle) override {
        m_real.DrawPolygon(n, points, xoffset, yoffset, fillStyle);
    }

private:
    int FontId() const {
        if (m_fontId < 0) m_fontId = m_cache.FontId(FontDescription(m_font));
        return m_fontId;
    }

    TextExtentCache::Extent Measured(const wxString& text) const {
        const int font = FontId();
#if wxUSE_UNICODE_WCHAR
        const std::wstring_view view(text.wc_str(), text.length());
#else
        const std::wstring wide = text.ToStdWstring();
        const std::wstring_view view(wide);
#endif
        if (const auto* known = m_cache.Find(font, view)) return *known;
        TextExtentCache::Extent extent;
        m_real.GetTextExtent(text, &extent.width, &extent.height, &extent.descent,
                             &extent.externalLeading);
        m_cache.Store(font, view, extent);
        return extent;
    }

    wxSize CharSize() const {
        const int font = FontId();
        if (const auto known = m_cache.CharSize(font)) return *known;
        const wxSize size(m_real.GetCharWidth(), m_real.GetCharHeight());
        m_cache.StoreCharSize(font, size);
        return size;
    }

    wxDC& m_real;
    TextExtentCache& m_cache;
    mutable int m_fontId = -1;
};

}  // namespace

MeasuringDC::MeasuringDC(wxDC& real, TextExtentCache& cache)
    : wxDC(new MeasuringDCImpl(this, real, cache)) {}

}  // namespace tavik
