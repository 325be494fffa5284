// Where a long page may be cut so that its first part can be shown before
// the whole page is laid out.
#pragma once

#include <cstddef>
#include <optional>

#include "text/text.h"

namespace tavik {

// The end of the page's first part: the first place at or after `least`
// characters where everything above it lays out exactly as in the whole
// page. That is right after a line break or right before a paragraph, rule,
// division or heading, standing outside any tag, comment, table, list,
// preformatted text or script, since the viewer lays tables and lists out by
// their widest row and item. Nothing when no such place leaves anything for
// the rest of the page.
std::optional<size_t> PageFirstPartEnd(TextView page, size_t least);

}  // namespace tavik
