// Links in the status bar for the words offered.
#include "app/suggestion_bar.h"

#include <wx/frame.h>
#include <wx/hyperlink.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>

#include "app/wx_text.h"
#include "dict/entry_link.h"

namespace tavik {

SuggestionBar::SuggestionBar(wxFrame& frame, wxStatusBar& statusBar, SearchWordFunction search)
    : wxPanel(&statusBar, wxID_ANY),
      m_frame(frame),
      m_statusBar(statusBar),
      m_search(std::move(search)) {
    SetName(_(L"비슷한 단어"));
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    m_caption = new wxStaticText(this, wxID_ANY, _(L"비슷한 단어:"));
    row->Add(m_caption, wxSizerFlags().CenterVertical().Border(wxRIGHT, 4));
    for (size_t i = 0; i < m_links.size(); ++i) {
        // The label is set with each word; the link's own address is never
        // opened.
        m_links[i] = new wxHyperlinkCtrl(this, wxID_ANY, "-", "tavik:", wxDefaultPosition,
                                         wxDefaultSize, wxHL_ALIGN_LEFT);
        m_links[i]->SetToolTip(wxString::Format("Alt+%zu", i + 1));
        m_links[i]->Bind(wxEVT_HYPERLINK, &SuggestionBar::OnLink, this);
        row->Add(m_links[i], wxSizerFlags().CenterVertical().Border(wxRIGHT, 6));
    }
    SetSizer(row);
    Hide();
    m_statusBar.Bind(wxEVT_SIZE, &SuggestionBar::OnStatusBarSize, this);
    m_frame.Bind(wxEVT_CHAR_HOOK, &SuggestionBar::OnFrameKey, this);
}

SuggestionBar::~SuggestionBar() {
    m_frame.Unbind(wxEVT_CHAR_HOOK, &SuggestionBar::OnFrameKey, this);
    m_statusBar.Unbind(wxEVT_SIZE, &SuggestionBar::OnStatusBarSize, this);
}

void SuggestionBar::ShowSuggestions(const std::vector<Text>& words) {
    m_words.assign(words.begin(), words.begin() + std::min(words.size(), m_links.size()));
    if (m_words.empty()) {
        Hide();
        if (m_statusBar.GetFieldsCount() != 1) m_statusBar.SetFieldsCount(1);
        return;
    }
    for (size_t i = 0; i < m_links.size(); ++i) {
        const bool used = i < m_words.size();
        if (used) {
            m_links[i]->SetLabel(ToWx(m_words[i]));
            m_links[i]->SetURL(wxString::FromUTF8(EntryLinkTarget(m_words[i])));
        }
        m_links[i]->Show(used);
    }
    Layout();
    Place();
    Show();
}

void SuggestionBar::Place() {
    if (m_words.empty()) return;
    const int width = GetSizer()->CalcMin().x;
    const int widths[] = {-1, width + 8};
    if (m_statusBar.GetFieldsCount() != 2) m_statusBar.SetFieldsCount(2);
    m_statusBar.SetStatusWidths(2, widths);
    wxRect field;
    if (!m_statusBar.GetFieldRect(1, field)) return;
    SetSize(field);
}

void SuggestionBar::OnStatusBarSize(wxSizeEvent& event) {
    event.Skip();
    if (IsShown()) Place();
}

bool SuggestionBar::Choose(size_t index) {
    if (index >= m_words.size()) return false;
    // The search replaces the words offered, this one's link among them.
    CallAfter([this, word = m_words[index]] { m_search(word); });
    return true;
}

void SuggestionBar::OnLink(wxHyperlinkEvent& event) {
    for (size_t i = 0; i < m_links.size(); ++i)
        if (event.GetEventObject() == m_links[i]) Choose(i);
}

void SuggestionBar::OnFrameKey(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    if (event.GetModifiers() == wxMOD_ALT && key >= '1' && key <= '9' && Choose(size_t(key - '1')))
        return;
    event.Skip();
}

}  // namespace tavik
