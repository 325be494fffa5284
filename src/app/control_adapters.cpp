// Control adapters.
#include "app/control_adapters.h"

#include <dlfcn.h>

#include "app/wx_text.h"
#include "wordlists/word_stores.h"

namespace tavik {

namespace {

#ifdef __WXGTK3__
// GTK's combo box keeps a menu item for every row and lays its menu out
// again at each row added or removed: filled row by row (and wx's Set is row
// by row too) 1,000 words take 0.47 s and 4,000 words 25 s. With the menu cut
// off from the rows while they change, it is built once at the end: 1,000
// words in 0.08 s, 4,000 in 0.31 s. The menu is reached through GTK's public
// accessibility calls, looked up in the running toolkit so that Tavik needs
// no GTK headers of its own; where they are missing the rows just change
// slowly.
class DetachedPopupMenu {
public:
    explicit DetachedPopupMenu(wxComboBox& box) {
        using Getter = void* (*)(void*);
        const auto popupAccessible =
            reinterpret_cast<Getter>(::dlsym(RTLD_DEFAULT, "gtk_combo_box_get_popup_accessible"));
        const auto accessibleWidget =
            reinterpret_cast<Getter>(::dlsym(RTLD_DEFAULT, "gtk_accessible_get_widget"));
        const auto comboModel =
            reinterpret_cast<Getter>(::dlsym(RTLD_DEFAULT, "gtk_combo_box_get_model"));
        m_setProperty = reinterpret_cast<SetProperty>(::dlsym(RTLD_DEFAULT, "g_object_set"));
        if (!popupAccessible || !accessibleWidget || !comboModel || !m_setProperty) return;
        void* combo = box.GetHandle();
        void* accessible = combo ? popupAccessible(combo) : nullptr;
        m_menu = accessible ? accessibleWidget(accessible) : nullptr;
        m_model = combo ? comboModel(combo) : nullptr;
        if (m_menu && m_model) m_setProperty(m_menu, "model", nullptr, nullptr);
    }
    ~DetachedPopupMenu() {
        if (m_menu && m_model) m_setProperty(m_menu, "model", m_model, nullptr);
    }
    DetachedPopupMenu(const DetachedPopupMenu&) = delete;
    DetachedPopupMenu& operator=(const DetachedPopupMenu&) = delete;

private:
    using SetProperty = void (*)(void*, const char*, ...);
    SetProperty m_setProperty = nullptr;
    void* m_menu = nullptr;
    void* m_model = nullptr;
};
#else
struct DetachedPopupMenu {
    explicit DetachedPopupMenu(wxComboBox&) {}
};
#endif

}  // namespace

Text ComboSearchBox::GetText() const { return FromWx(m_box.GetValue()); }

void ComboSearchBox::SetText(const Text& text) { m_box.ChangeValue(ToWx(text)); }

void ComboSearchBox::InsertHistory(const Text& word) {
    m_box.Insert(ToWx(word), 0);
    // The history shows no more words than the recent-word list keeps.
    if (m_box.GetCount() > kRecentWordLimit) m_box.Delete(m_box.GetCount() - 1);
}

void ComboSearchBox::AppendHistory(const Text& word) { m_box.Append(ToWx(word)); }

void ComboSearchBox::ClearHistory() {
    const wxString typed = m_box.GetValue();
    {
        const DetachedPopupMenu detached(m_box);
        m_box.Clear();
    }
    m_box.ChangeValue(typed);
}

void ComboSearchBox::SetHistory(const std::vector<Text>& words) {
    wxArrayString items;
    items.reserve(words.size());
    for (const Text& word : words) items.push_back(ToWx(word));
    const wxString typed = m_box.GetValue();
    {
        const DetachedPopupMenu detached(m_box);
        m_box.Set(items);
    }
    m_box.ChangeValue(typed);
}

void ChoiceNeighbourList::Add(const Text& headword) { m_list.Append(ToWx(headword)); }

Text ChoiceNeighbourList::Item(int index) const {
    if (index < 0 || index >= Count()) return Text();
    return FromWx(m_list.GetString(unsigned(index)));
}

}  // namespace tavik
