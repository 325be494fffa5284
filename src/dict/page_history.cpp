// Back and forward over the pages shown.
#include "dict/page_history.h"

#include <algorithm>

namespace tavik {

PageHistory::PageHistory(size_t limit) : m_limit(std::max<size_t>(limit, 1)) {}

void PageHistory::Visit(const Text& word, const std::filesystem::path& dictionary) {
    m_showingOther = false;
    if (const PageVisit* current = Current();
        current && current->word == word && current->dictionary == dictionary)
        return;
    if (!m_pages.empty())
        m_pages.erase(m_pages.begin() + std::ptrdiff_t(m_current) + 1, m_pages.end());
    m_pages.push_back(PageVisit{word, dictionary, {}});
    if (m_pages.size() > m_limit) m_pages.pop_front();
    m_current = m_pages.size() - 1;
}

void PageHistory::Leave(ScrollPosition scroll) {
    if (m_pages.empty() || m_showingOther) return;
    m_pages[m_current].scroll = scroll;
}

void PageHistory::ShowingOther() {
    if (!m_pages.empty()) m_showingOther = true;
}

bool PageHistory::CanGoBack() const {
    return !m_pages.empty() && (m_showingOther || m_current > 0);
}

bool PageHistory::CanGoForward() const {
    return !m_pages.empty() && m_current + 1 < m_pages.size();
}

std::optional<PageVisit> PageHistory::GoBack() {
    if (!CanGoBack()) return std::nullopt;
    // From a page that is not kept, "back" is the page it replaced.
    if (m_showingOther)
        m_showingOther = false;
    else
        --m_current;
    return m_pages[m_current];
}

std::optional<PageVisit> PageHistory::GoForward() {
    if (!CanGoForward()) return std::nullopt;
    m_showingOther = false;
    ++m_current;
    return m_pages[m_current];
}

const PageVisit* PageHistory::Current() const {
    return m_pages.empty() ? nullptr : &m_pages[m_current];
}

}  // namespace tavik
