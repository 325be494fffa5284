// The main window's title: the word shown, the dictionary, the program.
#pragma once

#include <wx/intl.h>
#include <wx/string.h>

#include <filesystem>

#include "app/all_dictionaries_choice.h"

namespace tavik {

// "light — gcide — Tavik": the dictionary by its file name without the
// extension, or as the dictionary list names every dictionary at once; just
// "Tavik" without a word.
inline wxString WindowTitle(const wxString& word, const std::filesystem::path& dictionary) {
    const wxString program = "Tavik";
    if (word.empty()) return program;
    const wxString separator = wxString::FromUTF8(" \xE2\x80\x94 ");
    const wxString name = IsAllDictionaries(dictionary)
                              ? _(L"모든 사전")
                              : wxString::FromUTF8(dictionary.stem().string());
    return word + separator + (name.empty() ? wxString() : name + separator) + program;
}

}  // namespace tavik
