// Search as you type.
#include "dict/type_ahead.h"

namespace tavik {

void TypeAhead::SetEnabled(bool enabled) {
    m_enabled = enabled;
    if (!enabled) m_waiting.reset();
}

bool TypeAhead::Edited(TextView text) {
    if (!m_enabled) return false;
    m_waiting = Text(text);
    return true;
}

std::optional<Text> TypeAhead::Due() {
    if (!m_enabled || !m_waiting) return std::nullopt;
    Text word = Trim(*m_waiting);
    m_waiting.reset();
    // A cleared box keeps the page: there is nothing to look up.
    if (word.empty() || word == m_shown) return std::nullopt;
    m_shown = word;
    return word;
}

void TypeAhead::Searched(TextView word) {
    m_waiting.reset();
    m_shown = Trim(word);
}

}  // namespace tavik
