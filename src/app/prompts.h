// The modal prompts of the main window: message boxes and the dialogs of the
// word lists, the dictionary choice and the about box. Each is a replaceable
// function, so the dialogs can be swapped in one by one and the window can be
// driven unattended.
#pragma once

#include <wx/string.h>
#include <wx/window.h>

#include <functional>

#include "text/text.h"

namespace tavik {

// What a word-list dialog hands back.
struct WordChoice {
    bool ok = false;          // closed with OK
    Text word;                // the chosen word; empty when none
    bool deletedAll = false;  // the user deleted every word of the list
};

struct Prompts {
    // An OK-only message box owned by `parent`.
    std::function<void(wxWindow* parent, const wxString& text, const wxString& caption)> message;
    // A Yes/No question before a deletion, owned by `parent`; true for Yes.
    std::function<bool(wxWindow* parent, const wxString& question)> confirm;
    std::function<WordChoice(wxWindow* parent)> wordBook;
    std::function<WordChoice(wxWindow* parent)> recentWords;
    // True when the user chose a dictionary (the dialog stores the choice).
    std::function<bool(wxWindow* parent)> selectDictionary;
    std::function<void(wxWindow* parent)> about;
};

// The prompts in use; the defaults show the real boxes and dialogs.
Prompts& AppPrompts();

}  // namespace tavik
