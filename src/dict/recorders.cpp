// Recording screen stand-ins.
#include "dict/recorders.h"

#include "text/compare.h"

namespace tavik {

void RecordingNeighbourList::Reset() {
    m_items.clear();
    m_selection = -1;
}

Text RecordingNeighbourList::Item(int index) const {
    return index >= 0 && index < Count() ? m_items[size_t(index)] : Text();
}

void RecordingNeighbourList::Select(int index) {
    m_selection = index >= 0 && index < Count() ? index : -1;
}

void RecordingNeighbourList::Fill(std::vector<Text> headwords) {
    m_items = std::move(headwords);
    m_selection = -1;
}

int RecordingNeighbourList::FindPrefix(TextView prefix) const {
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (StartsWithOrder(m_items[i], prefix)) return int(i);
    }
    return -1;
}

void RecordingPage::Clear() {
    ++m_clearCount;
    if (!m_page) m_page.emplace(std::move(m_buffer));
    m_page->clear();
    m_pieces.clear();
}

Text RecordingPage::TakeBuffer() {
    Text buffer = m_page ? std::move(*m_page) : std::move(m_buffer);
    m_page.reset();
    return buffer;
}

void RecordingPage::AddText(const Text& html) {
    if (!m_page) m_page.emplace(std::move(m_buffer));
    m_page->append(html);
    if (m_keepsPieces) m_pieces.push_back(html);
}

}  // namespace tavik
