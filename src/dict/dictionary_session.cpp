// The identity check before each search of a kept dictionary.
#include "dict/dictionary_session.h"

#include "dict/suggestions.h"

namespace tavik {

DictionarySession::DictionarySession(const Dictionary& dictionary)
    : m_path(dictionary.path), m_codePage(dictionary.codePage) {
    Reopen();
}

void DictionarySession::Reopen() {
    m_cache.Clear();
    m_last = LookupResult();
    m_openError.clear();
    m_file = OpenRegularFileForReading(m_path, &m_openError);
    if (!m_file) {
        if (m_openError.empty()) m_openError = "cannot be opened";
        m_identity.reset();
        return;
    }
    // Taken of the handle, not the path: should the path change again
    // meanwhile, the next check sees it.
    m_identity = HandleIdentity(*m_file);
    if (m_identity) m_cache.SetFileSize(m_identity->size);
}

void DictionarySession::Refresh() {
    // While the path names the file held open, unchanged, the handle reads
    // what an open of the path would read. One stat of the path tells: a file
    // changed in place shows its new size and times there, a replaced one
    // another inode (the old one, still held open, cannot be reused).
    if (m_file && m_identity) {
        const std::optional<FileIdentity> now = PathIdentity(m_path);
        if (now && *now == *m_identity) return;
    }
    Reopen();
}

SearchOutcome DictionarySession::Search(const Text& word, const std::filesystem::path& home,
                                        EntryScreen& screen) {
    Refresh();
    if (!m_file) {
        SearchOutcome outcome;
        outcome.result.strWord = word;
        outcome.openError = m_openError;
        return outcome;
    }
    SearchOutcome outcome = SearchOpenDictionary(word, *m_file, m_codePage, home, screen, &m_cache);
    outcome.result.strWord = word;
    m_last = outcome.result;
    return outcome;
}

std::vector<Text> DictionarySession::Suggest(const Text& word) {
    if (!m_file) return {};
    std::optional<int64_t> place;
    if (m_last.strWord == word) place = m_last.nOffset;
    return SuggestWords(*m_file, m_codePage, word, &m_cache, place);
}

}  // namespace tavik
