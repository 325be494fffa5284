// The search of every dictionary.
#include "dict/all_dictionaries.h"

#include <optional>

#include "dict/dictionary_folder.h"
#include "dict/notices.h"
#include "dict/search_report.h"
#include "text/compare.h"
#include "text/file.h"

namespace tavik {

namespace {

// The lead dictionary's window, kept until it is known whether the page
// shows entries of several dictionaries.
struct Lead {
    LookupResult result;
    std::optional<GatheredWindow> window;
};

}  // namespace

DictionaryList::DictionaryList(
    const std::vector<std::filesystem::path>& files,
    const std::function<CodePage(const std::filesystem::path&)>& codePageOf) {
    m_codePages.reserve(files.size());
    for (const std::filesystem::path& file : files) m_codePages.push_back(codePageOf(file));
    m_dictionaries.reserve(files.size());
    for (size_t i = 0; i < files.size(); ++i)
        m_dictionaries.push_back(Dictionary{files[i], m_codePages[i]});
}

DictionariesOutcome SearchDictionaries(const Text& word,
                                       const std::vector<Dictionary>& dictionaries,
                                       const std::filesystem::path& home, EntryScreen& screen) {
    DictionariesOutcome outcome;
    outcome.leadOutcome.result.strWord = word;
    Lead lead;
    for (size_t i = 0; i < dictionaries.size(); ++i) {
        const Dictionary& dictionary = dictionaries[i];
        auto file = OpenRegularFileForReading(dictionary.path);
        if (!file) {
            outcome.unreadable.push_back(i);
            continue;
        }
        int probes = 0;
        LookupResult result = LookupWord(*file, dictionary.codePage, word, probes);
        if (result.strHeadword.empty()) continue;
        const bool isLead = outcome.lead < 0;
        // Only a hit on the word itself can hold its entry; the gathering
        // still decides.
        std::optional<GatheredWindow> window;
        if (isLead || EqualOrder(result.strHeadword, word)) {
            LookupResult from = result;
            from.nOffset = GatherOffset(from.nOffset);
            window = GatherWindow(from, *file, dictionary.codePage);
            if (window->entry.exact) {
                outcome.found.push_back(i);
                outcome.entries.push_back(
                    {DictionaryPageName(dictionary.path), window->entry.headword, window->content});
            }
        }
        if (isLead) {
            outcome.lead = int(i);
            lead = {std::move(result), std::move(window)};
        }
    }

    if (outcome.found.empty()) {
        // Nothing exact: the page a search of the lead alone shows.
        if (outcome.lead < 0 && !dictionaries.empty()) outcome.lead = 0;
        if (outcome.lead >= 0)
            outcome.leadOutcome =
                SearchDictionary(word, dictionaries[size_t(outcome.lead)], home, screen);
        else
            outcome.leadOutcome.openError = "no dictionary";
        return outcome;
    }

    const GatheredWindow& window = *lead.window;
    screen.neighbours.Fill(window.neighbours);
    SelectNeighbour(screen.neighbours, window.entry.exact ? word : lead.result.strHeadword);
    ShowDictionariesPage(home, outcome.entries, screen.page);
    outcome.leadOutcome.result = std::move(lead.result);
    outcome.leadOutcome.shown = window.entry;
    return outcome;
}

void ReportDictionariesSearch(const DictionariesOutcome& outcome,
                              const std::vector<Dictionary>& dictionaries,
                              const std::filesystem::path& home, NeighbourList& neighbours,
                              PageSink& page, StatusSink& status) {
    if (outcome.found.empty()) {
        // An empty list reads as the default dictionary missing from an
        // empty Data folder: the page says where dictionaries go.
        const std::filesystem::path lead = outcome.lead >= 0
                                               ? dictionaries[size_t(outcome.lead)].path
                                               : DataFolder(home) / "Tavik.txt";
        ReportSearch(outcome.leadOutcome, home, lead, neighbours, page, status);
        return;
    }
    if (outcome.unreadable.empty()) {
        status.ShowStatus(Text());
        return;
    }
    const std::filesystem::path& file = dictionaries[outcome.unreadable.front()].path;
    status.ShowStatus(NoticeText(NoticeId::kStatusDictionaryUnusable, {FromUtf8(file.string())}));
}

}  // namespace tavik
