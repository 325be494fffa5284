// The search action behind every way of looking a word up (the search
// button, Enter, a pick or step in the neighbour list, the word-list
// dialogs), and the neighbour list's pick and step commands.
#pragma once

#include <filesystem>
#include <vector>

#include "dict/notices.h"
#include "dict/screen.h"
#include "dict/search.h"
#include "text/codepage.h"
#include "text/text.h"

namespace tavik {

inline constexpr std::u16string_view kEmptyWordMessage = TAVIK_NOTICE(u"단어를 입력해 주세요");
// Typed into the search box, shows the credits page instead of a lookup.
inline constexpr std::u16string_view kCreditsCommand = u"$#qexil";

// The editable search box with its drop-down history.
class SearchBox {
public:
    virtual ~SearchBox() = default;
    virtual Text GetText() const = 0;
    virtual void SetText(const Text& text) = 0;
    virtual void InsertHistory(const Text& word) = 0;  // as the first item
    virtual void AppendHistory(const Text& word) = 0;
    virtual void ClearHistory() = 0;
    virtual void Focus() = 0;
    // Replaces the history by `words`, first to last. A box that can take
    // them all in one step does so: item by item may cost time quadratic in
    // their number.
    virtual void SetHistory(const std::vector<Text>& words) {
        ClearHistory();
        for (const Text& word : words) AppendHistory(word);
    }
};

// The controls and commands that act on a shown entry.
class EntryControls {
public:
    virtual ~EntryControls() = default;
    // The frame's entry commands: add to wordbook, previous and next word.
    virtual void SetEntryCommands(bool enabled) = 0;
    // The neighbour list, then its two step buttons.
    virtual void EnableNeighbourControls() = 0;
};

// Where a searched word is remembered (the recent-word list and its file).
class RecentWordSink {
public:
    virtual ~RecentWordSink() = default;
    virtual void AddRecentWord(const Text& word) = 0;
};

struct SearchScreen {
    SearchBox& searchBox;
    NeighbourList& neighbours;
    PageSink& page;
    MessageSink& messages;
    EntryControls& controls;
    StatusSink& status;
    // Where words are offered for one not found; none when this screen has
    // no place for them.
    SuggestionSink* suggestions = nullptr;
};

// What a search reads and where it remembers the word. The dictionary path
// is read at each search, so a newly chosen dictionary takes effect at the
// next one.
struct SearchSources {
    const std::filesystem::path& home;
    const std::filesystem::path& dictionaryPath;
    const CodePage& codePage;
    RecentWordSink& recentWords;
    // When set, a search shows every one of these dictionaries that holds
    // the word, on one page, in place of the one dictionary above.
    const std::vector<Dictionary>* allDictionaries = nullptr;
};

// Trims the word; refuses an empty one with a message; shows the credits
// page for the credits command; otherwise looks the word up, shows what was
// found (or why the dictionary cannot be read) and says in the status line
// whether the word itself was found (offering headwords like it when it was
// not), remembers the word in the recent words
// and at the top of the search box's history, puts the focus back in the
// search box and enables the entry commands and the neighbour controls (also
// when nothing was found).
void SearchWord(TextView word, const SearchSources& sources, SearchScreen& screen);

// The credits page, sent as one page to `sink`; its plain text becomes the
// text that Copy takes.
void ShowCreditsPage(const std::filesystem::path& home, PageSink& sink);

// A user's pick in the neighbour list: writes the picked headword into the
// search box and searches it. Nothing happens while the list is empty.
void PickNeighbour(const SearchSources& sources, SearchScreen& screen);

// Moves the neighbour list's selection one item up (-1) or down (+1), writes
// that headword into the search box and searches it. The list does not wrap:
// a step past either end does nothing; "down" with nothing selected takes the
// first item.
void StepNeighbour(int step, const SearchSources& sources, SearchScreen& screen);

}  // namespace tavik
