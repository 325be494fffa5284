// A page in place of an entry, saying why no entry can be shown.
#pragma once

#include <filesystem>
#include <vector>

#include "dict/screen.h"
#include "text/text.h"

namespace tavik {

struct Notice {
    Text title;
    std::vector<Text> lines;  // plain text; paths and words are escaped on the page
};

// Sends the notice as one page to `sink`, in the entry page's frame (the
// skin's background picture and colours): a clear, the page in pieces and an
// end of source. Copy then takes the notice's plain text, never an entry
// shown before.
void ShowNoticePage(const std::filesystem::path& home, const Notice& notice, PageSink& sink);

// `text` shown as text on a page: "&", "<", ">" and both quotes escaped.
// For what the page names rather than what a dictionary says (file names,
// typed words).
Text HtmlEscaped(TextView text);

}  // namespace tavik
