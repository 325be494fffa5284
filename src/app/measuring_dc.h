// Text measured once: a drawing context for laying pages out that keeps the
// extent of every word it measured, per font, across pages.
#pragma once

#include <wx/dc.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tavik {

// The extents the toolkit gave for words in given fonts. A laid-out page
// asks for the extent of each word it holds, and each answer costs the
// toolkit a text layout of its own; dictionary pages repeat their words and
// pages repeat each other's, so most answers are found here. Bounded: when
// full it starts again empty.
class TextExtentCache {
public:
    struct Extent {
        wxCoord width = 0;
        wxCoord height = 0;
        wxCoord descent = 0;
        wxCoord externalLeading = 0;
    };

    explicit TextExtentCache(size_t maxEntries = kDefaultMaxEntries) : m_maxEntries(maxEntries) {}

    // Forgets everything measured when the screen's resolution or scale is
    // not the one the extents were measured at.
    void Resolution(const wxSize& ppi, double contentScale);

    // A small number that stands for the font `description` names.
    int FontId(const std::string& description);

    // What `text` measures in a font; nothing when it was not measured yet.
    const Extent* Find(int fontId, std::wstring_view text) const;
    void Store(int fontId, std::wstring_view text, const Extent& extent);
    // The height and width of a character of a font, as the toolkit gives
    // them.
    std::optional<wxSize> CharSize(int fontId) const { return m_fonts[size_t(fontId)].charSize; }
    void StoreCharSize(int fontId, const wxSize& size) { m_fonts[size_t(fontId)].charSize = size; }

    size_t Size() const { return m_size; }

    static constexpr size_t kDefaultMaxEntries = 20000;

private:
    struct WordHash {
        using is_transparent = void;
        size_t operator()(std::wstring_view text) const {
            return std::hash<std::wstring_view>{}(text);
        }
    };
    struct Font {
        std::string description;
        std::optional<wxSize> charSize;
        std::unordered_map<std::wstring, Extent, WordHash, std::equal_to<>> words;
    };
    void Forget();

    size_t m_maxEntries;
    size_t m_size = 0;
    wxSize m_ppi;
    double m_contentScale = 0;
    std::vector<Font> m_fonts;
};

// Measures text through `real` (it must outlive this context) and keeps
// the answers in `cache`. Meant for laying out: drawing goes to `real` as
// it is, untouched by the cache.
class MeasuringDC : public wxDC {
public:
    MeasuringDC(wxDC& real, TextExtentCache& cache);
};

}  // namespace tavik
