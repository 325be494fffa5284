// The main window's dictionary list.
#include "app/dictionary_choice_list.h"

#include <wx/intl.h>

#include "app/wx_text.h"

namespace tavik {

bool DictionaryChoiceList::Show(const DictionaryListing& listing, bool allChosen) {
    // Item 0 is every dictionary at once, never a file.
    const int selection = allChosen                ? 0
                          : listing.selection >= 0 ? listing.selection + 1
                                                   : wxNOT_FOUND;
    if (listing.names == m_names && listing.files == m_files &&
        m_choice.GetCount() == m_names.size() + 1 && m_choice.GetSelection() == selection)
        return false;
    if (listing.names != m_names || m_choice.GetCount() != listing.names.size() + 1) {
        wxArrayString items;
        items.Add(_(L"모든 사전"));
        for (const Text& name : listing.names) items.Add(ToWx(name));
        m_choice.Set(items);
    }
    m_names = listing.names;
    m_files = listing.files;
    m_choice.SetSelection(selection);
    return true;
}

std::optional<std::filesystem::path> DictionaryChoiceList::SelectedFile() const {
    const int selection = m_choice.GetSelection();
    if (selection < 1 || size_t(selection) > m_files.size()) return std::nullopt;
    return m_files[size_t(selection) - 1];
}

}  // namespace tavik
