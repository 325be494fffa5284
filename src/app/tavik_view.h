// The main view: the form with the search box, the neighbour list and its
// step buttons, the dictionary list and the entry viewer. It turns the
// user's actions into searches; the search itself lives in the core.
#pragma once

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/docview.h>
#include <wx/panel.h>
#include <wx/timer.h>

#include <array>
#include <optional>

#include "app/control_adapters.h"
#include "app/dictionary_choice_list.h"
#include "app/edit_history.h"
#include "app/html_viewer.h"
#include "app/picture.h"
#include "app/picture_cache.h"
#include "app/skin_apply.h"
#include "app/skin_label.h"
#include "app/view_background.h"
#include "config/skin_scaling.h"
#include "dict/all_dictionaries.h"
#include "dict/page_history.h"
#include "dict/search_action.h"
#include "dict/type_ahead.h"

namespace tavik {

// Sent to the form, runs a search of the search box's text, as the search
// button does.
wxDECLARE_EVENT(EVT_TAVIK_SEARCH, wxCommandEvent);

class SuggestionBar;

class CTavikView : public wxView, private EntryControls, private MessageSink, public StatusSink {
public:
    CTavikView() = default;

    bool OnCreate(wxDocument* doc, long flags) override;
    void OnDraw(wxDC* /*dc*/) override {}
    bool OnClose(bool deleteWindow) override;
    void OnChangeFilename() override {}

    // Places the controls, fills the lists and puts the focus in the search
    // box; run once the frame has its size.
    void OnInitialUpdate();
    void FocusSearchBox() { m_searchEdit->SetFocus(); }
    // Writes `word` into the search box and searches it.
    void SearchHandedWord(const Text& word) { SearchFromBox(word); }

    // Back and forward over the pages shown (Alt+Left, Alt+Right, the
    // toolbar, the mouse's side buttons).
    void OnGoBack(wxCommandEvent& event);
    void OnGoForward(wxCommandEvent& event);
    const PageHistory& History() const { return m_pageHistory; }
    // The 기본 menu's search as you type: on or off, and remembered.
    void OnSearchAsYouType(wxCommandEvent& event);
    bool SearchesAsYouType() const { return m_typeAhead.Enabled(); }

    void OnSearch();
    void OnSelchangeSearchList(wxCommandEvent& event);
    void OnListUp(wxCommandEvent& event);
    void OnListDown(wxCommandEvent& event);
    void OnWordBook(wxCommandEvent& event);
    void OnRecentWord(wxCommandEvent& event);
    void OnAddWordBook(wxCommandEvent& event);
    // The selection of the focused text field or of the page, else the
    // whole entry.
    void OnEditCopy(wxCommandEvent& event);
    // Undoes the last change in the search box (or the focused field).
    void OnEditUndo(wxCommandEvent& event);
    void OnSelectAll(wxCommandEvent& event);
    // Searches the selected text's first line.
    void OnSearchSelection(wxCommandEvent& event);
    // Ctrl+= / Ctrl+- / Ctrl+0: the page's text larger, smaller, as set.
    void OnZoom(wxCommandEvent& event);
    int Zoom() const { return m_zoom; }
    void OnSelectDic(wxCommandEvent& event);
    // Opens 사전 추가; each dictionary added becomes the current one and
    // shows the search box's word.
    void OnAddDictionary(wxCommandEvent& event);
    void OpenAddDictionary();
    void OnSelchangeDicList(wxCommandEvent& event);
    void FillSearchList();
    // Lists the Data folders afresh, the dictionary in use selected.
    void FillDicList();

    // The file a picture named by a page is read from: the source itself.
    virtual wxString GetImageFile(const wxString& source) { return source; }
    virtual void OnHotspot(const wxString& target);
    // Answers the viewer's request for a picture a page names.
    void OnPictureRequest(const PictureRequest& request);

    wxPanel* Form() const { return m_form; }
    HtmlViewerHost* HtmlView() const { return m_hHtmlView; }
    SuggestionBar* Suggestions() const { return m_suggestions; }
    const Text& CopyText() const { return m_strCopyText; }
    // How often the view background and the page pictures were decoded.
    int PictureDecodes() const { return m_skinPicture.Decodes() + m_pagePictures.Decodes(); }
    // The client size the skin is drawn for, and the least one that keeps
    // every control whole.
    wxSize LayoutClientSize() const;
    wxSize MinimumClientSize() const;
    // How much larger than the skin's pixels the form is laid out.
    double LayoutScale() const { return m_scale; }

    // StatusSink: the frame's status line.
    void ShowStatus(const Text& text) override;
    const Text& StandingStatus() const { return m_standingStatus; }

private:
    void CreateHtmlView();
    // Places the controls on the skin; without a usable skin they keep the
    // built-in form's layout and the status line names the skin file.
    void ApplySkinLayout();
    SkinWindows LaidOutWindows() const;
    void UseDesktopFont();
    void NameControls();
    void ApplyPageFonts();
    void SetZoom(int percent);
    // Every search ends here: the page at its top, the title, the undo
    // history.
    void AfterSearch();
    void OnFormSize(wxSizeEvent& event);
    void OnSearchBoxText(wxCommandEvent& event);
    void OnPageWheel(wxMouseEvent& event);
    void OnPageMenu(wxContextMenuEvent& event);
    void SearchFromBox(const Text& word);
    // What the next search reads: the current dictionary, or every
    // dictionary when that is chosen.
    SearchSources Sources();
    // A page is about to give way to another: where the reader was on it.
    void LeavePage();
    // After a search the user asked for: the page becomes the current one of
    // the back and forward history.
    void RememberPage();
    void ShowVisit(const PageVisit& visit);
    // Makes `dictionary` the current one, in the settings and in the list.
    void UseDictionary(const std::filesystem::path& dictionary);
    void OnUpdateGoBack(wxUpdateUIEvent& event);
    void OnUpdateGoForward(wxUpdateUIEvent& event);
    void OnUpdateSearchAsYouType(wxUpdateUIEvent& event);
    void OnSideButton(wxMouseEvent& event);
    void OnTypeAheadTimer(wxTimerEvent& event);
    void BindNavigation();
    SearchScreen Screen();
    // The words offered for one not found, in the frame's status bar.
    void CreateSuggestionBar(wxFrame& frame);
    void OnSuggestionBarDestroy(wxWindowDestroyEvent& event);

    // EntryControls
    void SetEntryCommands(bool enabled) override;
    void EnableNeighbourControls() override;
    // MessageSink
    void ShowMessage(const Text& text) override;

    void OnCharHook(wxKeyEvent& event);
    // The search button and the search request run OnSearch.
    void OnSearchRequest(wxCommandEvent& event);
    // The search box's drop-down closed: searches the word when Enter picked it.
    void OnSearchHistoryClosed(wxCommandEvent& event);
    // The window comes back to the front: files may have come and gone.
    void OnFrameActivate(wxActivateEvent& event);
    // After a change of dictionary: the word searched before is shown in
    // the new one, and the user types on in the search box.
    void AfterDictionaryChoice();
    void OnEraseBackground(wxEraseEvent& event);

    wxPanel* m_form = nullptr;
    SuggestionBar* m_suggestions = nullptr;
    HtmlViewerHost* m_hHtmlView = nullptr;
    wxComboBox* m_searchEdit = nullptr;
    wxChoice* m_searchList = nullptr;
    wxButton* m_listUp = nullptr;
    wxButton* m_listDown = nullptr;
    wxChoice* m_dicList = nullptr;
    std::array<SkinLabel*, 3> m_labels{};
    FormRects m_builtInRects{};  // the form's own layout, before any skin
    // What the status line shows when nothing else is to be said: the skin
    // file that could not place the form.
    Text m_standingStatus;
    std::optional<ComboSearchBox> m_searchBox;
    std::optional<ChoiceNeighbourList> m_neighbours;
    std::optional<DictionaryChoiceList> m_dictionaries;
    bool m_searched = false;  // a search has been made since the start
    Text m_strCopyText;
    // The skin's view background, and the pictures pages name (the page
    // background above all), decoded once per version of their files.
    PictureCache m_skinPicture{1, kMaxPicturePixels};
    PictureCache m_pagePictures{16, kMaxPicturePixels};
    ScaledPicture m_scaledSkinPicture;
    wxFont m_font;
    double m_scale = 1.0;
    SkinLayout m_design{};
    SkinSize m_designSize{};  // none until the initial update
    int m_zoom = 100;
    EditHistory<wxString> m_searchHistory;
    std::optional<DictionaryList> m_allDictionaries;  // read by the search under way
    PageHistory m_pageHistory;
    bool m_revisiting = false;  // going back or forward: nothing is added
    TypeAhead m_typeAhead;
    wxTimer m_typeAheadTimer;

    wxDECLARE_DYNAMIC_CLASS(CTavikView);
    wxDECLARE_EVENT_TABLE();
};

}  // namespace tavik
