// The wordbook (Word.dat) and the recent searches (OldWord.dat): two word
// lists kept in step with their files in the home folder.
#pragma once

#include <filesystem>

#include "dict/search_action.h"
#include "text/codepage.h"
#include "wordlists/word_list.h"

namespace tavik {

class WordStores : public RecentWordSink {
public:
    // `codePage` must outlive the stores.
    WordStores(std::filesystem::path home, const CodePage& codePage);

    std::filesystem::path WordBookPath() const;    // <home>/Word.dat
    std::filesystem::path RecentWordPath() const;  // <home>/OldWord.dat

    // Replace the lists by their files' words; missing files are created empty.
    void LoadWordBook();
    void LoadRecentWords();

    // Adds the word unless the wordbook holds it already (lower-cased test),
    // and appends it to Word.dat.
    void AddWordBook(const Text& word);
    // Puts the word at the front of the recent words and appends it to
    // OldWord.dat.
    void AddRecentWord(const Text& word) override;

    // Replaces Word.dat by the wordbook as it is in memory, front entry first,
    // in one step: the file holds the old or the new list, never less.
    // Returns false when the file could not be replaced.
    bool WriteWordBook();
    void DeleteWordBookFile();
    void DeleteRecentWordFile();

    WordList m_listWordBook;
    WordList m_listRecentWord;

private:
    std::filesystem::path m_home;
    const CodePage& m_codePage;
};

}  // namespace tavik
