// Cross-references of other dictionary formats turned into links that
// search their word in Tavik ("tavik:WORD").
#pragma once

#include "text/text.h"

namespace tavik {

// dictd plain text made safe for the page (&, < and > escaped), with each
// "{word}" reference a link to its word. The word may run over spaces and
// line breaks ("{ice\n   cream}" links "ice cream"); a brace without its
// partner, an empty or an overlong reference stays text.
Text DictdTextToHtml(TextView text);

// HTML whose links to words are StarDict's "bword://WORD": each such href
// becomes a link to the same word; anything else stays as it is.
Text BwordLinksToEntryLinks(TextView html);

// XDXF: each <kref>word</kref> (or <kref k="word">text</kref>) becomes a
// link to its word.
Text KrefLinksToEntryLinks(TextView xdxf);

}  // namespace tavik
