// The main window's dictionary list: every dictionary at once first, then
// the dictionaries in the listing's own order, with the one in use selected,
// and the file behind each item.
#pragma once

#include <wx/choice.h>

#include <filesystem>
#include <optional>
#include <vector>

#include "wordlists/dictionary_choice.h"

namespace tavik {

class DictionaryChoiceList {
public:
    explicit DictionaryChoiceList(wxChoice& choice) : m_choice(choice) {}

    // Shows `listing`: its names in its order and its selection (none when
    // it has none). A listing that shows nothing new leaves the control
    // alone, so an open drop-down is not disturbed. True when anything
    // changed.
    bool Show(const DictionaryListing& listing, bool allChosen);

    // True when every dictionary at once is selected.
    bool AllSelected() const { return m_choice.GetSelection() == 0; }

    // The file behind the selected item; none when nothing or every
    // dictionary is selected.
    std::optional<std::filesystem::path> SelectedFile() const;

private:
    wxChoice& m_choice;
    std::vector<Text> m_names;
    std::vector<std::filesystem::path> m_files;
};

}  // namespace tavik
