// Composing the HTML page of one dictionary entry.
#pragma once

#include <filesystem>

#include "dict/screen.h"
#include "text/text.h"

namespace tavik {

struct PageColours {
    Text word = u"#0000ff";   // the headword
    Text speak = u"#ff0000";  // every "[...]" stretch: the pronunciation
    Text text = u"#000000";   // the rest of the content
};

// The skin's page colours, read from `<home>/Skin/SkinInfo.Cfg` at each call,
// so that an edited skin shows at the next page.
PageColours ReadPageColours(const std::filesystem::path& home);

// The page background picture of the home folder's skin as a page names it:
// its path, with the characters that the page or a URL would read otherwise
// (quotes, "%", "&", "<", ">", "#", "?", control characters) percent-encoded
// as UTF-8, so that the viewer's picture request, decoded once, names the
// file exactly. An ordinary path stands unchanged.
Text PageBackgroundPath(const std::filesystem::path& home);

// The start of every page up to its body's content: the skin's background
// picture fixed at the bottom right, on white.
Text PageBodyStart(const std::filesystem::path& home);

// An entry's content as its page shows it: each "[" and "]" opens and closes
// the pronunciation's colour, the rest in the text colour.
Text ColouredContent(const Text& content, const PageColours& colours);

// What every page of one skin shares: its colours, and the texts that
// ReadEntryPageStyle makes of them and of the start of its body once for
// many pages.
struct EntryPageStyle {
    PageColours colours;
    Text head;          // the body's start and the headword's font
    Text openBracket;   // what each "[" of the content becomes
    Text closeBracket;  // what each "]" of the content becomes
};

// The home folder's page style as the skin file says now.
EntryPageStyle ReadEntryPageStyle(const std::filesystem::path& home);

// Sends the page of one entry (headword large and bold, then the content
// with its bracketed pronunciation in its own colour) to `sink`: a clear,
// seven pieces of HTML and an end of source. Headword and content go in
// unescaped: their markup takes effect.
void ShowEntryPage(const std::filesystem::path& home, const Text& headword, const Text& content,
                   PageSink& sink);
// The same in a style read before: many pages in a row (a batch) read the
// skin once.
void ShowEntryPage(const EntryPageStyle& style, const Text& headword, const Text& content,
                   PageSink& sink);

}  // namespace tavik
