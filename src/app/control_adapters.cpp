// Control adapters.
#include "app/control_adapters.h"

#include "app/wx_text.h"

namespace tavik {

Text ComboSearchBox::GetText() const { return FromWx(m_box.GetValue()); }

void ComboSearchBox::SetText(const Text& text) { m_box.ChangeValue(ToWx(text)); }

void ComboSearchBox::InsertHistory(const Text& word) { m_box.Insert(ToWx(word), 0); }

void ComboSearchBox::AppendHistory(const Text& word) { m_box.Append(ToWx(word)); }

void ComboSearchBox::ClearHistory() {
    const wxString typed = m_box.GetValue();
    m_box.Clear();
    m_box.ChangeValue(typed);
}

void ChoiceNeighbourList::Add(const Text& headword) { m_list.Append(ToWx(headword)); }

Text ChoiceNeighbourList::Item(int index) const {
    if (index < 0 || index >= Count()) return Text();
    return FromWx(m_list.GetString(unsigned(index)));
}

}  // namespace tavik
