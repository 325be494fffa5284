// The search action and the neighbour list's commands.
#include "dict/search_action.h"

#include "dict/all_dictionaries.h"
#include "dict/entry_page.h"
#include "dict/plain_text.h"
#include "dict/search.h"
#include "dict/search_report.h"
#include "dict/suggestions.h"

namespace tavik {

namespace {

constexpr std::u16string_view kCreditsBody =
    u"<center><font color=\"blue\" size=\"4\"><b>Tavik Dictionary Workshop</b></font>"
    u"<br><br><font size=\"3\">"
    u"Word list, search and viewer<br>"
    u"<b>The Tavik developers</b><br>"
    u"Free software under the MIT License"
    u"</font></center>";

void SearchPicked(int index, const SearchSources& sources, SearchScreen& screen) {
    const Text headword = screen.neighbours.Item(index);
    screen.searchBox.SetText(headword);
    SearchWord(headword, sources, screen);
}

}  // namespace

void ShowCreditsPage(const std::filesystem::path& home, PageSink& sink) {
    sink.Clear();
    sink.AddText(PageBodyStart(home));
    sink.AddText(Text(kCreditsBody));
    sink.AddText(u"</body></html>");
    sink.EndOfSource();
    if (sink.WantsCopyText()) sink.SetCopyText(HtmlToPlainText(kCreditsBody));
}

void SearchWord(TextView word, const SearchSources& sources, SearchScreen& screen) {
    const Text trimmed = Trim(word);
    if (trimmed.empty()) {
        screen.messages.ShowMessage(TranslatedText(kEmptyWordMessage));
        screen.searchBox.Focus();
        return;
    }
    if (trimmed == kCreditsCommand) {
        ShowCreditsPage(sources.home, screen.page);
        return;
    }

    EntryScreen entryScreen{screen.neighbours, screen.page, screen.messages};
    // Words offered when the word itself is not found: from the dictionary
    // whose nearest entry is shown.
    std::vector<Text> suggestions;
    if (const auto* all = sources.allDictionaries) {
        const DictionariesOutcome outcome =
            SearchDictionaries(trimmed, *all, sources.home, entryScreen);
        ReportDictionariesSearch(outcome, *all, sources.home, screen.neighbours, screen.page,
                                 screen.status);
        if (screen.suggestions && outcome.found.empty() && outcome.lead >= 0 &&
            outcome.leadOutcome.Opened()) {
            const Dictionary& lead = (*all)[size_t(outcome.lead)];
            suggestions = SuggestWords(lead.path, lead.codePage, trimmed);
        }
    } else {
        const SearchOutcome outcome =
            SearchDictionary(trimmed, Dictionary{sources.dictionaryPath, sources.codePage},
                             sources.home, entryScreen);
        ReportSearch(outcome, sources.home, sources.dictionaryPath, screen.neighbours, screen.page,
                     screen.status);
        if (screen.suggestions && outcome.Opened() && !outcome.shown.exact)
            suggestions = SuggestWords(sources.dictionaryPath, sources.codePage, trimmed);
    }
    if (screen.suggestions) screen.suggestions->ShowSuggestions(suggestions);

    sources.recentWords.AddRecentWord(trimmed);
    screen.searchBox.InsertHistory(trimmed);
    screen.searchBox.Focus();
    screen.controls.SetEntryCommands(true);
    screen.controls.EnableNeighbourControls();
}

void PickNeighbour(const SearchSources& sources, SearchScreen& screen) {
    const int selection = screen.neighbours.Selection();
    if (screen.neighbours.Count() <= 0 || selection < 0) return;
    SearchPicked(selection, sources, screen);
}

void StepNeighbour(int step, const SearchSources& sources, SearchScreen& screen) {
    const int count = screen.neighbours.Count();
    if (count <= 0) return;
    const int target = screen.neighbours.Selection() + step;
    if (target < 0 || target > count - 1) return;
    screen.neighbours.Select(target);
    SearchPicked(target, sources, screen);
}

}  // namespace tavik
