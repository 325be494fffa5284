// Gathering an entry and the neighbour list from one window of the file.
#pragma once

#include <filesystem>
#include <vector>

#include "dict/lookup.h"
#include "dict/notices.h"
#include "dict/screen.h"
#include "text/codepage.h"
#include "text/file.h"

namespace tavik {

inline constexpr int64_t kGatherWindow = 8192;
// When the entry shown does not lie wholly in the window, the window is
// widened to the entry and this much on either side of it.
inline constexpr int64_t kWidenedMargin = 4096;
// Most entry text gathered for one page (bytes of the dictionary); the rest
// of a longer entry is left out and the page says so.
inline constexpr size_t kEntryTextLimit = size_t(4) << 20;

// The separators between the lines (parts) of one entry.
inline constexpr std::u16string_view kExactSeparator =
    u"<br><br><center><font color=\"gray\">--------------------------------------------"
    u"</font></center><br>";
inline constexpr std::u16string_view kNearestSeparator =
    u"<br><br><font color=\"gray\">--------------------------------------------</font><br>";

inline constexpr std::u16string_view kSearchErrorMessage = TAVIK_NOTICE(u"검색 오류 입니다");
// Ends the page of an entry cut at kEntryTextLimit.
inline constexpr std::u16string_view kEntryCutNote =
    u"<br><br>…(항목이 너무 길어 여기서 잘렸습니다)";

struct EntryPageStyle;

// Where the results of a gathering go.
struct EntryScreen {
    NeighbourList& neighbours;
    PageSink& page;
    MessageSink& messages;
    // The page style read once for many searches; null: each page reads the
    // skin as it is then.
    const EntryPageStyle* style = nullptr;
};

// What a gathering put on the page.
struct GatheredEntry {
    bool exact = false;  // the searched word's own entry (else the nearest word's, or none)
    Text headword;       // the headword of the entry shown; empty when none was
    bool cut = false;    // the entry was longer than the page takes and was cut
};

// Reads the window of 8192 bytes that starts at `result.nOffset` (or at the
// file's start when the offset lies in the first line), refills the neighbour
// list, shows the searched word's entry, or else the nearest word's, and
// selects it in the list. The caller has already moved the offset back.
// An entry that begins before the window or goes on after it is shown whole:
// the window is widened to the entry and kWidenedMargin on either side, and
// read the same way (up to kEntryTextLimit of entry text).
// A dictionary that does not open gives nothing and changes nothing.
GatheredEntry GatherEntries(const LookupResult& result, const std::filesystem::path& dictionary,
                            const CodePage& codePage, const std::filesystem::path& home,
                            EntryScreen& screen);
// The same on a dictionary already open; what `cache` knows of the file is
// not read again (see DictionarySession).
GatheredEntry GatherEntries(const LookupResult& result, const FileHandle& file,
                            const CodePage& codePage, const std::filesystem::path& home,
                            EntryScreen& screen, ProbeCache* cache = nullptr);

// What a gathering found, shown nowhere yet.
struct GatheredWindow {
    GatheredEntry entry;           // the entry found: the searched word's own, or the nearest
    Text content;                  // its parts joined as a page shows them, a cut noted
    std::vector<Text> neighbours;  // the window's headwords, each once, in file order
};

// The gathering of GatherEntries on a dictionary already open, shown
// nowhere: a caller that puts several dictionaries on one page composes it
// itself.
GatheredWindow GatherWindow(const LookupResult& result, const FileHandle& file,
                            const CodePage& codePage);

// Selects the first item of `list` that begins with `word` (ignoring case),
// as a gathering selects the entry it shows; nothing when none does.
void SelectNeighbour(NeighbourList& list, const Text& word);

}  // namespace tavik
