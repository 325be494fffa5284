// The case folding of older Tavik versions. It covered ASCII, Latin-1, Latin
// Extended-A/B and Additional, Greek, Cyrillic, Armenian and the full-width
// Latin letters, and left every other letter alone, so dictionaries sorted
// then can be out of order now wherever a letter of another script decides.
#pragma once

#include "text/text.h"

namespace tavik {

// Lower-cases one code unit the way older versions did.
char16_t LegacyLowerChar(char16_t c);

// Whether `before` sorts at or before `after` under the older folding.
bool InLegacyOrder(TextView before, TextView after);

}  // namespace tavik
