// Dictionary markup turned into plain text, for Copy and the command line.
#pragma once

#include "text/text.h"

namespace tavik {

// Tags are dropped, <br> and the block tags end lines, the common entities
// are decoded; blank lines are folded to one.
Text HtmlToPlainText(TextView html);

// The headword on its own line, then the content as plain text.
Text EntryPlainText(TextView headword, TextView content);

}  // namespace tavik
