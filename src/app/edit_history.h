// The undo history of a text field whose toolkit keeps none (the search
// box's entry): the texts it held before each change the user made.
#pragma once

#include <optional>
#include <vector>

namespace tavik {

template <typename String>
class EditHistory {
public:
    // The field now holds `text` after a change by the user; changes made by
    // the program itself are told with Reset.
    void Changed(const String& text) {
        if (text == m_current) return;
        if (m_undo.size() == kLimit) m_undo.erase(m_undo.begin());
        m_undo.push_back(m_current);
        m_current = text;
    }
    // The field was set by the program: the history starts again from `text`.
    void Reset(const String& text) {
        m_undo.clear();
        m_current = text;
    }
    // The text to put back, if any; it becomes the current one.
    std::optional<String> Undo() {
        if (m_undo.empty()) return std::nullopt;
        m_current = m_undo.back();
        m_undo.pop_back();
        return m_current;
    }
    bool CanUndo() const { return !m_undo.empty(); }

private:
    static constexpr size_t kLimit = 100;
    std::vector<String> m_undo;
    String m_current;
};

}  // namespace tavik
