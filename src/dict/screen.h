// What the dictionary search needs of the screen: the neighbour list, the
// page viewer and message boxes. The window implements these; the
// command-line tool and the tests record what they receive.
#pragma once

#include <vector>

#include "text/text.h"

namespace tavik {

// The drop-down list of headwords around the last hit. Filling and selecting
// it here is never a pick by the user and must not start a search.
class NeighbourList {
public:
    virtual ~NeighbourList() = default;
    virtual void Reset() = 0;
    virtual void Add(const Text& headword) = 0;
    virtual int Count() const = 0;
    virtual Text Item(int index) const = 0;
    virtual int Selection() const = 0;  // -1 when nothing is selected
    virtual void Select(int index) = 0;
    // Reset, then each of `headwords` added in order; a list that can take
    // them whole saves a copy of each.
    virtual void Fill(std::vector<Text> headwords);

    // The first item, searched from the start, that begins with `prefix`
    // without regard to case; -1 when none does.
    virtual int FindPrefix(TextView prefix) const;
};

// The HTML viewer: a page arrives as a clear, pieces of HTML text and an end
// of source, at which the viewer shows it.
class PageSink {
public:
    virtual ~PageSink() = default;
    virtual void Clear() = 0;
    virtual void AddText(const Text& html) = 0;
    virtual void EndOfSource() = 0;
    // The shown page as plain text, for Copy. An empty entry page leaves it
    // alone.
    virtual void SetCopyText(const Text& /*plain*/) {}
    // Whether SetCopyText is of use to this sink; making the plain text costs
    // as much as composing the page.
    virtual bool WantsCopyText() const { return true; }
};

// Message boxes with an OK button and the application's name as caption.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void ShowMessage(const Text& text) = 0;
};

// The status line below the form: one short sentence about the last thing
// that happened (a word not found, a dictionary that cannot be read, a change
// that could not be saved). An empty text clears it.
class StatusSink {
public:
    virtual ~StatusSink() = default;
    virtual void ShowStatus(const Text& text) = 0;
};

// Words offered beside the status line after a search that did not find its
// word, each one a headword to search with one click or key. An empty list
// takes them away.
class SuggestionSink {
public:
    virtual ~SuggestionSink() = default;
    virtual void ShowSuggestions(const std::vector<Text>& words) = 0;
};

}  // namespace tavik
