// The second half of a session's searches, done apart from the session (on
// a thread of its own in a batch): gathering the window around each lookup.
#pragma once

#include <filesystem>
#include <memory>
#include <vector>

#include "dict/dictionary_session.h"
#include "dict/probe_cache.h"
#include "dict/screen.h"
#include "text/codepage.h"
#include "text/file.h"

namespace tavik {

class WindowGatherer {
public:
    // Decodes with a converter of its own, so that it may work beside the
    // session that looks the words up.
    explicit WindowGatherer(const CodePage& codePage) : m_codePage(codePage) {}

    // Gathers onto `screen` what a search of the word shows, from the file
    // the lookup read (SearchOutcome::shown). Nothing without a file.
    GatheredEntry Gather(const DictionarySession::LookedUp& looked,
                         const std::filesystem::path& home, EntryScreen& screen);

    // Headwords like the word that lookup searched (SuggestWords).
    std::vector<Text> Suggest(const DictionarySession::LookedUp& looked) const;

private:
    CodePage m_codePage;
    // What the windows of one file keep (where its first line ends), dropped
    // when the lookups move on to another.
    std::shared_ptr<const FileHandle> m_file;
    ProbeCache m_cache;
};

}  // namespace tavik
