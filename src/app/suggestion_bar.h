// The words offered for one not found: links in the status bar beside its
// text, each searched with a click or with Alt+1 ... Alt+5.
#pragma once

#include <wx/panel.h>

#include <array>
#include <functional>
#include <vector>

#include "dict/screen.h"
#include "dict/suggestions.h"

class wxFrame;
class wxHyperlinkCtrl;
class wxHyperlinkEvent;
class wxKeyEvent;
class wxSizeEvent;
class wxStaticText;
class wxStatusBar;

namespace tavik {

class SuggestionBar : public wxPanel, public SuggestionSink {
public:
    using SearchWordFunction = std::function<void(const Text& word)>;

    // A child of `statusBar`; it takes `frame`'s Alt+1 ... Alt+5 while it
    // offers words. `search` searches a word chosen.
    SuggestionBar(wxFrame& frame, wxStatusBar& statusBar, SearchWordFunction search);
    ~SuggestionBar() override;

    // Shown in a field of the status bar of its own, after the status text,
    // which stays whole; no words, no field.
    void ShowSuggestions(const std::vector<Text>& words) override;
    const std::vector<Text>& Words() const { return m_words; }
    wxHyperlinkCtrl* Link(size_t index) const { return m_links.at(index); }

    // Searches the word at `index` once the current event is over; false
    // when there is none.
    bool Choose(size_t index);

private:
    void Place();
    void OnStatusBarSize(wxSizeEvent& event);
    void OnLink(wxHyperlinkEvent& event);
    void OnFrameKey(wxKeyEvent& event);

    wxFrame& m_frame;
    wxStatusBar& m_statusBar;
    SearchWordFunction m_search;
    wxStaticText* m_caption = nullptr;
    std::array<wxHyperlinkCtrl*, kMostSuggestions> m_links{};
    std::vector<Text> m_words;
};

}  // namespace tavik
