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
    m_openError.clear();
    m_file.reset();
    std::optional<FileHandle> file = OpenRegularFileForReading(m_path, &m_openError);
    if (!file) {
        if (m_openError.empty()) m_openError = "cannot be opened";
        m_identity.reset();
        return;
    }
    m_file = std::make_shared<const FileHandle>(std::move(*file));
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
    LookedUp looked = LookUp(word);
    SearchOutcome outcome;
    outcome.result = std::move(looked.result);
    if (!looked.file) {
        outcome.openError = m_openError;
        return outcome;
    }
    outcome.shown =
        GatherAfterLookup(outcome.result, *looked.file, m_codePage, home, screen, &m_cache);
    return outcome;
}

DictionarySession::LookedUp DictionarySession::LookUp(const Text& word) {
    Refresh();
    LookedUp looked;
    if (m_file) {
        int probes = 0;
        looked.result = LookupWord(*m_file, m_codePage, word, probes, &m_cache);
        looked.file = m_file;
    }
    looked.result.strWord = word;
    return looked;
}

std::vector<Text> DictionarySession::Suggest(const LookupResult& searched) {
    if (!m_file) return {};
    return SuggestWords(*m_file, m_codePage, searched.strWord, &m_cache, searched.nOffset);
}

}  // namespace tavik
