// What the status line says when a word list could not be saved, or a file
// of the home folder is a link another user planted there.
#pragma once

#include <wx/string.h>

#include "wordlists/word_stores.h"

namespace tavik {

// One sentence naming the file and saying that the change lasts only until
// Tavik closes.
wxString WordListFailureText(const WordListFailure& failure);

// The skin file is a link another user owns: the built-in layout is used.
wxString ForeignSkinLinkText(const std::filesystem::path& file);

}  // namespace tavik
