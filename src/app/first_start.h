// The page shown before the first search when the user has no dictionary of
// their own yet.
#pragma once

#include "dict/screen.h"

namespace tavik {

// Shows, in place of the empty page, what the user can do to get a
// dictionary; leaves the page as it is when they have one.
void ShowFirstStartPage(PageSink& page);

}  // namespace tavik
