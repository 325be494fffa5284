// Conversions between Tavik's Text and paths and the toolkit's strings.
#pragma once

#include <wx/strconv.h>
#include <wx/string.h>

#include <filesystem>
#include <string>
#include <utility>

#include "text/text.h"

namespace tavik {

// Straight into the toolkit's wide characters, not through UTF-8: a long
// page comes in pieces of hundreds of thousands of characters.
inline wxString ToWx(const Text& text) {
    std::wstring wide;
    wide.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) wide.push_back(wchar_t(CodePointAt(text, i)));
    return wxString(std::move(wide));
}
inline Text FromWx(const wxString& text) {
    const wxScopedCharBuffer utf8 = text.utf8_str();
    return FromUtf8(std::string_view(utf8.data(), utf8.length()));
}

// Paths keep their bytes: a byte that is not UTF-8 (a CP949 file name) goes
// through the toolkit's string as a private-use character and comes back as
// the same byte.
inline const wxMBConv& PathConversion() {
    static const wxMBConvUTF8 conversion(wxMBConvUTF8::MAP_INVALID_UTF8_TO_PUA);
    return conversion;
}
inline wxString PathToWx(const std::filesystem::path& path) {
    return wxString(path.native().c_str(), PathConversion());
}
inline std::filesystem::path PathFromWx(const wxString& text) {
    const wxScopedCharBuffer bytes = text.mb_str(PathConversion());
    return std::filesystem::path(std::string(bytes.data(), bytes.length()));
}

}  // namespace tavik
