// What the status line says when a change of a word list could not be saved.
#pragma once

#include <wx/string.h>

#include "wordlists/word_stores.h"

namespace tavik {

// One sentence naming the file and saying that the change lasts only until
// Tavik closes.
wxString WordListFailureText(const WordListFailure& failure);

}  // namespace tavik
