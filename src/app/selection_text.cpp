// The text the user selected in any program.
#include "app/selection_text.h"

#include <wx/clipbrd.h>

#include "app/wx_text.h"
#include "dict/selected_word.h"

namespace tavik {

namespace {

wxString ClipboardText(bool primary) {
    wxString text;
    wxTheClipboard->UsePrimarySelection(primary);
    if (wxTheClipboard->Open()) {
        wxTextDataObject data;
        if (wxTheClipboard->IsSupported(wxDF_UNICODETEXT) && wxTheClipboard->GetData(data))
            text = data.GetText();
        wxTheClipboard->Close();
    }
    wxTheClipboard->UsePrimarySelection(false);
    return text;
}

}  // namespace

wxString SelectedWord() {
    // The primary selection first: a hotkey is pressed right after marking
    // a word, often without copying it.
    for (const bool primary : {true, false}) {
        const Text word = WordFromSelection(FromWx(ClipboardText(primary)));
        if (!word.empty()) return ToWx(word);
    }
    return wxString();
}

}  // namespace tavik
