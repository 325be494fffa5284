// A search that only shows.
#include "dict/quiet_search.h"

namespace tavik {

namespace {

// The search box as a search that is not to be remembered sees it: its text
// is read and written, its history and the focus are left alone.
class UnrememberingBox : public SearchBox {
public:
    explicit UnrememberingBox(SearchBox& box) : m_box(box) {}
    Text GetText() const override { return m_box.GetText(); }
    void SetText(const Text& text) override { m_box.SetText(text); }
    void InsertHistory(const Text& /*word*/) override {}
    void AppendHistory(const Text& /*word*/) override {}
    void ClearHistory() override {}
    void SetHistory(const std::vector<Text>& /*words*/) override {}
    void Focus() override {}

private:
    SearchBox& m_box;
};

class NoRecentWords : public RecentWordSink {
public:
    void AddRecentWord(const Text& /*word*/) override {}
};

}  // namespace

void ShowWordQuietly(TextView word, const SearchSources& sources, SearchScreen& screen) {
    if (Trim(word).empty()) return;
    UnrememberingBox box(screen.searchBox);
    NoRecentWords noRecentWords;
    SearchScreen quiet{box,           screen.neighbours, screen.page,       screen.messages,
                       screen.controls, screen.status,   screen.suggestions};
    const SearchSources unremembered{sources.home, sources.dictionaryPath, sources.codePage,
                                     noRecentWords, sources.allDictionaries};
    SearchWord(word, unremembered, quiet);
}

}  // namespace tavik
