// Numeric character references ("&#1234;", "&#x4D2;") the HTML viewer turns
// into characters no text can hold: past U+10FFFF, the toolkit's conversion
// of the text for drawing fails an assertion, and the window stops on the
// assertion's dialog.
#pragma once

#include <cstddef>
#include <vector>

#include "text/text.h"

namespace tavik {

// Where the "&" of each such reference stands, read as the viewer reads
// them: a run of letters, digits, "_" and "#" after the "&", its number in
// decimal or after an "x" in hexadecimal, as far as digits go, kept to 32
// bits the way the C library's scanning leaves it.
std::vector<size_t> UnshowableCharacterReferences(TextView page);

}  // namespace tavik
