// Recording screen stand-ins.
#include "dict/recorders.h"

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

void RecordingPage::Clear() {
    ++m_clearCount;
    m_page = Text();
    m_pieces.clear();
}

void RecordingPage::AddText(const Text& html) {
    if (!m_page) m_page = Text();
    m_page->append(html);
    if (m_keepsPieces) m_pieces.push_back(html);
}

}  // namespace tavik
