// Search as you type: when the words typed into the search box are shown
// without Enter. The page follows a pause in typing, shows each word once,
// and leaves nothing behind (no recent word, no history); only a search the
// user asks for is remembered.
#pragma once

#include <chrono>
#include <optional>

#include "text/text.h"

namespace tavik {

// The pause after the last key before the page follows.
inline constexpr std::chrono::milliseconds kTypeAheadDelay{150};

class TypeAhead {
public:
    bool Enabled() const { return m_enabled; }
    // Turning it off forgets a word still waiting.
    void SetEnabled(bool enabled);

    // The user changed the box's text to `text`. True when the pause should
    // start (again) from now; changes made by the window itself must not
    // come here.
    bool Edited(TextView text);
    // The pause ended: the word to show, if any. Nothing for an empty or
    // blank box, or for the word the page already shows.
    std::optional<Text> Due();
    // The user searched `word` for good (Enter, a pick, a step, a link, back
    // or forward): a word still waiting is dropped, and `word` is shown.
    void Searched(TextView word);

private:
    bool m_enabled = false;
    std::optional<Text> m_waiting;
    Text m_shown;
};

}  // namespace tavik
