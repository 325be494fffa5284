// The word to look up in a text the user selected in some program: its first
// line that is not blank, trimmed, and no longer than a headword can be.
#pragma once

#include <cstddef>

#include "text/text.h"

namespace tavik {

// Longer selections are cut here (a whole paragraph selected by mistake
// still looks up its start).
inline constexpr size_t kMaxSelectedWordLength = 256;

// Empty when the selection holds no text.
Text WordFromSelection(TextView selected);

}  // namespace tavik
