// One dictionary kept open for many searches (a batch of words): checked
// before each search against the file its path names now, reopened when that
// changed, with the upper levels of the binary search kept in between.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dict/probe_cache.h"
#include "dict/search.h"
#include "text/file.h"
#include "text/file_identity.h"

namespace tavik {

class DictionarySession {
public:
    // Opens the dictionary at once; when it cannot be opened, OpenError()
    // says why and each search tries again.
    explicit DictionarySession(const Dictionary& dictionary);

    // Why the dictionary could not be opened last time; empty when it was.
    const std::string& OpenError() const { return m_openError; }

    // Searches `word` (already trimmed) as SearchDictionary does, in the file
    // the path names at this moment: one that was replaced, cut, grown or
    // rewritten since the last search is opened afresh and the kept probes
    // dropped.
    SearchOutcome Search(const Text& word, const std::filesystem::path& home, EntryScreen& screen);

    // The first half of that, for a caller that gathers the window itself
    // (GatherAfterLookup), perhaps on another thread: the lookup's result and
    // the file it read, which stays open as long as the caller holds it even
    // when a later search opens the path afresh. No file when it could not
    // be opened; then OpenError() says why.
    struct LookedUp {
        LookupResult result;
        std::shared_ptr<const FileHandle> file;
    };
    LookedUp LookUp(const Text& word);

    // Headwords like the word of `searched`, the result of this session's
    // last search (SuggestWords), in the file it read; nothing when it could
    // not be opened.
    std::vector<Text> Suggest(const LookupResult& searched);

    const ProbeCache& Cache() const { return m_cache; }

private:
    void Refresh();
    void Reopen();

    std::filesystem::path m_path;
    const CodePage& m_codePage;
    std::shared_ptr<const FileHandle> m_file;
    std::optional<FileIdentity> m_identity;
    std::string m_openError;
    ProbeCache m_cache;
};

}  // namespace tavik
