// The search box and the neighbour list as the search action sees them.
#pragma once

#include <wx/choice.h>
#include <wx/combobox.h>

#include "dict/screen.h"
#include "dict/search_action.h"

namespace tavik {

class ComboSearchBox : public SearchBox {
public:
    explicit ComboSearchBox(wxComboBox& box) : m_box(box) {}
    Text GetText() const override;
    // Changes the text without a text event.
    void SetText(const Text& text) override;
    void InsertHistory(const Text& word) override;
    void AppendHistory(const Text& word) override;
    // Empties the drop-down list; the typed text stays.
    void ClearHistory() override;
    // In one call to the toolkit, and the typed text stays.
    void SetHistory(const std::vector<Text>& words) override;
    void Focus() override { m_box.SetFocus(); }

private:
    wxComboBox& m_box;
};

// wxChoice sends no selection event when its items or selection are set by
// code, so filling the list never starts a search.
class ChoiceNeighbourList : public NeighbourList {
public:
    explicit ChoiceNeighbourList(wxChoice& list) : m_list(list) {}
    void Reset() override { m_list.Clear(); }
    void Add(const Text& headword) override;
    int Count() const override { return int(m_list.GetCount()); }
    Text Item(int index) const override;
    int Selection() const override { return m_list.GetSelection(); }
    void Select(int index) override { m_list.SetSelection(index); }

private:
    wxChoice& m_list;
};

}  // namespace tavik
