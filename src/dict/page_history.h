// Back and forward over the pages the window showed: each page is the word
// searched, the dictionary it was searched in and where the reader had
// scrolled to when leaving it.
#pragma once

#include <cstddef>
#include <deque>
#include <filesystem>
#include <optional>

#include "text/text.h"

namespace tavik {

struct ScrollPosition {
    int x = 0;
    int y = 0;
    bool operator==(const ScrollPosition&) const = default;
};

struct PageVisit {
    Text word;
    // The dictionary file, or whatever else names the choice the word was
    // searched in.
    std::filesystem::path dictionary;
    ScrollPosition scroll;
};

class PageHistory {
public:
    static constexpr size_t kDefaultLimit = 100;

    explicit PageHistory(size_t limit = kDefaultLimit);

    // A page shown by a search becomes the current one; the pages ahead of
    // it are dropped and the oldest goes past the limit. Searching the page
    // already current again (same word, same dictionary) adds nothing.
    void Visit(const Text& word, const std::filesystem::path& dictionary);
    // Where the reader was on the current page as they leave it. Ignored
    // while another page is shown (see ShowingOther).
    void Leave(ScrollPosition scroll);
    // A page that is not kept (one shown while typing) replaced the current
    // one: going back returns to the current page itself.
    void ShowingOther();

    bool CanGoBack() const;
    bool CanGoForward() const;
    // The page to show again, now current; nothing at either end.
    std::optional<PageVisit> GoBack();
    std::optional<PageVisit> GoForward();

    size_t Size() const { return m_pages.size(); }
    // The current page; nothing before the first visit.
    const PageVisit* Current() const;

private:
    size_t m_limit;
    std::deque<PageVisit> m_pages;
    size_t m_current = 0;  // meaningful only when m_pages is not empty
    bool m_showingOther = false;
};

}  // namespace tavik
