// Gathering windows from the files a session's lookups read.
#include "dict/window_gatherer.h"

#include "dict/search.h"
#include "dict/suggestions.h"

namespace tavik {

GatheredEntry WindowGatherer::Gather(const DictionarySession::LookedUp& looked,
                                     const std::filesystem::path& home, EntryScreen& screen) {
    if (!looked.file) return {};
    if (looked.file != m_file) {
        // Held, so that no later file can come at the same address.
        m_file = looked.file;
        m_cache.Clear();
    }
    return GatherAfterLookup(looked.result, *looked.file, m_codePage, home, screen, &m_cache);
}

std::vector<Text> WindowGatherer::Suggest(const DictionarySession::LookedUp& looked) const {
    if (!looked.file) return {};
    return SuggestWords(*looked.file, m_codePage, looked.result.strWord, nullptr,
                        looked.result.nOffset);
}

}  // namespace tavik
