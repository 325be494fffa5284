// The wordbook (Word.dat) and the recent searches (OldWord.dat): two word
// lists kept in step with their files in the home folder.
#pragma once

#include <filesystem>
#include <functional>

#include "dict/search_action.h"
#include "wordlists/word_file.h"
#include "wordlists/word_list.h"

namespace tavik {

// The recent words kept, in memory and in OldWord.dat; the file is cut back
// to them once it holds twice as many lines.
inline constexpr size_t kRecentWordLimit = 1000;

enum class WordListKind { kWordBook, kRecentWords };

// A change that reached the list in memory but not its file: it lasts only
// until Tavik closes.
struct WordListFailure {
    WordListKind list;
    WordFileProblem problem;  // never kNone
    std::filesystem::path file;
};

class WordStores : public RecentWordSink {
public:
    using FailureReport = std::function<void(const WordListFailure&)>;

    explicit WordStores(std::filesystem::path home);

    // Called for every change that could not be saved, and for a file that
    // is a link another user owns.
    void SetFailureReport(FailureReport report) { m_report = std::move(report); }

    std::filesystem::path WordBookPath() const;    // <home>/Word.dat
    std::filesystem::path RecentWordPath() const;  // <home>/OldWord.dat

    // Replace the lists by their files' words; missing files are created
    // empty. The recent words are the file's last kRecentWordLimit; a file
    // of more than twice as many lines is cut back to them.
    void LoadWordBook();
    void LoadRecentWords();

    // Adds the word unless the wordbook holds it already (lower-cased test),
    // and appends it to Word.dat.
    void AddWordBook(const Text& word);
    // Puts the word at the front of the recent words, drops the oldest past
    // kRecentWordLimit, and appends it to OldWord.dat.
    void AddRecentWord(const Text& word) override;

    // Removes the entry at `position` from the wordbook, and its word from
    // Word.dat as the file is now (another running copy may have added to
    // it): the file is read again under the lock, the word taken out and the
    // rest written back in its order. False when the file could not be
    // changed; the entry is gone from memory all the same.
    bool DeleteWordBookEntry(WordList::Position position);
    // Replaces Word.dat by the wordbook as it is in memory, in one step (the
    // file holds the old or the new list, never less), ordered so that the
    // next load gives the same list. False when the file could not be
    // replaced.
    bool WriteWordBook();
    // Delete the files, unless they are read-only. False when a file was
    // there and stays.
    bool DeleteWordBookFile();
    bool DeleteRecentWordFile();

    WordList m_listWordBook;
    WordList m_listRecentWord;

private:
    // What this copy knows of a file's content, to append in its encoding.
    struct FileState {
        WordFileDetector detector;
        WordFileStamp stamp;
        size_t lineCount = 0;
    };

    std::filesystem::path PathOf(WordListKind list) const;
    FileState& StateOf(WordListKind list);
    size_t KeepOf(WordListKind list) const;
    void Report(WordListKind list, WordFileProblem problem);
    // Reports `problem` and answers false, for `return Failed(list);`.
    bool Failed(WordListKind list, WordFileProblem problem = WordFileProblem::kNotSaved);
    // Whether the list's file may take `change`; reported when not.
    bool Allowed(WordListKind list, WordFileChange change);
    void Load(WordListKind list, WordList& words, bool lowerCase);
    // Takes in what another copy did to the file since this one last saw it.
    void Refresh(WordListKind list);
    void Remember(WordListKind list, const WordFileContent* content);
    bool Append(WordListKind list, const Text& word);
    // Replaces the file by `words`, in the file's encoding when every word
    // fits it, otherwise in UTF-8.
    bool Replace(WordListKind list, const std::vector<Text>& words, WordFileEncoding encoding);
    bool DeleteFile(WordListKind list);
    void TrimRecentWordFile();

    std::filesystem::path m_home;
    FailureReport m_report;
    FileState m_wordBookState;
    FileState m_recentState;
};

}  // namespace tavik
