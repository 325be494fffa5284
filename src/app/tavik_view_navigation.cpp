// The main view's ways of moving between pages: back and forward over the
// pages shown, and search as you type.
#include "app/tavik_app.h"
#include "app/tavik_view.h"
#include "app/window_title.h"
#include "app/wx_text.h"
#include "dict/quiet_search.h"

namespace tavik {

namespace {
constexpr char kSearchAsYouTypeKey[] = "/Window/SearchAsYouType";
}  // namespace

void CTavikView::BindNavigation() {
    m_typeAhead.SetEnabled(theApp().Settings().ReadBool(kSearchAsYouTypeKey, false));
    m_typeAheadTimer.SetOwner(this);
    Bind(wxEVT_TIMER, &CTavikView::OnTypeAheadTimer, this, m_typeAheadTimer.GetId());
    // Only the user's own typing reaches here: the window writes the box
    // without a text event.
    m_searchEdit->Bind(wxEVT_TEXT, [this](wxCommandEvent& event) {
        event.Skip();
        if (m_typeAhead.Edited(FromWx(m_searchEdit->GetValue())))
            m_typeAheadTimer.StartOnce(int(kTypeAheadDelay.count()));
    });
    for (wxWindow* window : {static_cast<wxWindow*>(m_form), static_cast<wxWindow*>(m_hHtmlView)}) {
        window->Bind(wxEVT_AUX1_DOWN, &CTavikView::OnSideButton, this);
        window->Bind(wxEVT_AUX2_DOWN, &CTavikView::OnSideButton, this);
    }
}

void CTavikView::LeavePage() {
    if (!m_hHtmlView) return;
    const wxPoint at = m_hHtmlView->GetViewStart();
    m_pageHistory.Leave({at.x, at.y});
}

void CTavikView::RememberPage() {
    const Text word = Trim(m_searchBox->GetText());
    m_typeAheadTimer.Stop();
    m_typeAhead.Searched(word);
    if (m_revisiting || word.empty()) return;
    m_pageHistory.Visit(word, theApp().m_strDicPath);
}

void CTavikView::OnGoBack(wxCommandEvent& /*event*/) {
    LeavePage();
    if (const auto visit = m_pageHistory.GoBack()) ShowVisit(*visit);
}

void CTavikView::OnGoForward(wxCommandEvent& /*event*/) {
    LeavePage();
    if (const auto visit = m_pageHistory.GoForward()) ShowVisit(*visit);
}

void CTavikView::ShowVisit(const PageVisit& visit) {
    if (!m_form) return;
    UseDictionary(visit.dictionary);
    m_searchBox->SetText(visit.word);
    SearchScreen screen = Screen();
    // A page seen again is no new search: the recent words stay as they are.
    ShowWordQuietly(visit.word, Sources(), screen);
    m_revisiting = true;
    AfterSearch();
    m_revisiting = false;
    m_hHtmlView->Scroll(visit.scroll.x, visit.scroll.y);
}

void CTavikView::UseDictionary(const std::filesystem::path& dictionary) {
    if (dictionary == theApp().m_strDicPath) return;
    theApp().ChooseDictionary(dictionary);
    FillDicList();
}

void CTavikView::OnUpdateGoBack(wxUpdateUIEvent& event) { event.Enable(m_pageHistory.CanGoBack()); }

void CTavikView::OnUpdateGoForward(wxUpdateUIEvent& event) {
    event.Enable(m_pageHistory.CanGoForward());
}

void CTavikView::OnSideButton(wxMouseEvent& event) {
    wxCommandEvent command(wxEVT_MENU);
    if (event.GetEventType() == wxEVT_AUX1_DOWN)
        OnGoBack(command);
    else
        OnGoForward(command);
}

void CTavikView::OnSearchAsYouType(wxCommandEvent& event) {
    m_typeAhead.SetEnabled(event.IsChecked());
    if (!event.IsChecked()) m_typeAheadTimer.Stop();
    theApp().Settings().Write(kSearchAsYouTypeKey, event.IsChecked());
    theApp().Settings().Flush();
}

void CTavikView::OnUpdateSearchAsYouType(wxUpdateUIEvent& event) {
    event.Check(m_typeAhead.Enabled());
}

void CTavikView::OnTypeAheadTimer(wxTimerEvent& /*event*/) {
    const auto word = m_typeAhead.Due();
    if (!word || !m_form) return;
    LeavePage();
    SearchScreen screen = Screen();
    ShowWordQuietly(*word, Sources(), screen);
    m_pageHistory.ShowingOther();
    m_hHtmlView->Scroll(0, 0);
    const wxString headword = m_searchList->GetStringSelection();
    if (auto* frame = dynamic_cast<wxFrame*>(GetFrame()); frame && !headword.empty())
        frame->SetTitle(WindowTitle(headword, theApp().m_strDicPath));
}

}  // namespace tavik
