// Conversions between Tavik's Text and paths and the toolkit's strings.
#pragma once

#include <wx/string.h>

#include <filesystem>

#include "text/text.h"

namespace tavik {

inline wxString ToWx(const Text& text) { return wxString::FromUTF8(ToUtf8(text)); }
inline Text FromWx(const wxString& text) {
    const wxScopedCharBuffer utf8 = text.utf8_str();
    return FromUtf8(std::string_view(utf8.data(), utf8.length()));
}

inline wxString PathToWx(const std::filesystem::path& path) {
    return wxString::FromUTF8(path.string());
}
inline std::filesystem::path PathFromWx(const wxString& text) {
    return std::filesystem::path(std::string(text.utf8_str()));
}

}  // namespace tavik
