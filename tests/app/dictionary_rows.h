// The dictionary dialog's rows as the window tests read and pick them.
#pragma once

#include <wx/dialog.h>
#include <wx/listctrl.h>

#include <vector>

#include "app/dic_select_dlg.h"

namespace tavik {

inline wxListCtrl& DictionaryRows(wxDialog& dialog) {
    return *dynamic_cast<wxListCtrl*>(dialog.FindWindow(kIdDicSelectList));
}

// The texts of one column, top to bottom.
inline std::vector<wxString> RowTexts(wxDialog& dialog, int column = kDicColumnName) {
    wxListCtrl& rows = DictionaryRows(dialog);
    std::vector<wxString> texts;
    for (long row = 0; row < rows.GetItemCount(); ++row)
        texts.push_back(rows.GetItemText(row, column));
    return texts;
}

inline wxString SelectedRowName(wxDialog& dialog) {
    wxListCtrl& rows = DictionaryRows(dialog);
    const long row = rows.GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
    return row < 0 ? wxString() : rows.GetItemText(row);
}

inline void ClearRowSelection(wxDialog& dialog) {
    wxListCtrl& rows = DictionaryRows(dialog);
    for (long row = 0; row < rows.GetItemCount(); ++row)
        rows.SetItemState(row, 0, wxLIST_STATE_SELECTED);
}

// Selects the row named `name` as a click does; false when there is none.
inline bool SelectRow(wxDialog& dialog, const wxString& name) {
    wxListCtrl& rows = DictionaryRows(dialog);
    const long row = rows.FindItem(-1, name);
    if (row < 0) return false;
    rows.SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                      wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    wxListEvent selected(wxEVT_LIST_ITEM_SELECTED, kIdDicSelectList);
    selected.SetEventObject(&rows);
    selected.m_itemIndex = row;
    rows.ProcessWindowEvent(selected);
    return true;
}

// A double click on the row named `name`.
inline void ActivateRow(wxDialog& dialog, const wxString& name) {
    wxListCtrl& rows = DictionaryRows(dialog);
    SelectRow(dialog, name);
    wxListEvent activated(wxEVT_LIST_ITEM_ACTIVATED, kIdDicSelectList);
    activated.SetEventObject(&rows);
    activated.m_itemIndex = rows.FindItem(-1, name);
    rows.ProcessWindowEvent(activated);
}

}  // namespace tavik
