// The wordbook and the recent words: every change reaches its file at once,
// under a lock shared by every copy of Tavik on the same home folder; a
// change the file cannot take stays in memory and is reported.
#include "wordlists/word_stores.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace tavik {

namespace fs = std::filesystem;

namespace {

bool Exists(const fs::path& path) {
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0;
}

bool AllFit(const std::vector<Text>& words, WordFileEncoding encoding) {
    return std::all_of(words.begin(), words.end(), [encoding](const Text& word) {
        return EncodeWordLine(encoding, word).has_value();
    });
}

// Where the file's own word is, newest first: the exact word, or else the
// same word in another case (the wordbook loads lower-cased).
std::vector<Text>::iterator FindNewest(std::vector<Text>& words, const Text& word) {
    const auto exact = std::find(words.rbegin(), words.rend(), word);
    if (exact != words.rend()) return std::prev(exact.base());
    const Text lower = ToLower(word);
    const auto folded = std::find_if(words.rbegin(), words.rend(),
                                     [&lower](const Text& each) { return ToLower(each) == lower; });
    return folded == words.rend() ? words.end() : std::prev(folded.base());
}

}  // namespace

WordStores::WordStores(fs::path home) : m_home(std::move(home)) {}

fs::path WordStores::WordBookPath() const { return m_home / "Word.dat"; }

fs::path WordStores::RecentWordPath() const { return m_home / "OldWord.dat"; }

fs::path WordStores::PathOf(WordListKind list) const {
    return list == WordListKind::kWordBook ? WordBookPath() : RecentWordPath();
}

WordStores::FileState& WordStores::StateOf(WordListKind list) {
    return list == WordListKind::kWordBook ? m_wordBookState : m_recentState;
}

size_t WordStores::KeepOf(WordListKind list) const {
    return list == WordListKind::kWordBook ? SIZE_MAX : kRecentWordLimit;
}

void WordStores::Report(WordListKind list, WordFileProblem problem) {
    if (problem != WordFileProblem::kNone && m_report)
        m_report(WordListFailure{list, problem, PathOf(list)});
}

bool WordStores::Failed(WordListKind list, WordFileProblem problem) {
    // A link another user put in place after the checks made the open or the
    // replacement refuse: said as what it is.
    if (problem == WordFileProblem::kNotSaved && IsLinkOwnedByOtherUser(PathOf(list)))
        problem = WordFileProblem::kForeignLink;
    Report(list, problem);
    return false;
}

bool WordStores::Allowed(WordListKind list, WordFileChange change) {
    const WordFileProblem problem = CheckWordFile(PathOf(list), change);
    return problem == WordFileProblem::kNone || Failed(list, problem);
}

void WordStores::Remember(WordListKind list, const WordFileContent* content) {
    FileState& state = StateOf(list);
    state = FileState{};
    if (content) {
        state.detector = content->detector;
        state.lineCount = content->lineCount;
    }
    state.stamp = StampOf(PathOf(list));
}

void WordStores::Refresh(WordListKind list) {
    if (StampOf(PathOf(list)) == StateOf(list).stamp) return;
    const std::optional<WordFileContent> content = ReadWordFile(PathOf(list), 0);
    Remember(list, content ? &*content : nullptr);
}

// The list becomes the file's words with the last line in front; a file
// that cannot be read leaves the list as it was.
void WordStores::Load(WordListKind list, WordList& words, bool lowerCase) {
    const fs::path path = PathOf(list);
    if (IsLinkOwnedByOtherUser(path)) {
        Report(list, WordFileProblem::kForeignLink);
        return;
    }
    CreateWordFileIfMissing(path);
    std::optional<WordFileContent> content = ReadWordFile(path, KeepOf(list));
    if (!content) {
        if (IsLinkOwnedByOtherUser(path)) Report(list, WordFileProblem::kForeignLink);
        return;
    }
    words.RemoveAll();
    for (Text& word : content->words) words.AddHead(lowerCase ? ToLower(word) : std::move(word));
    Remember(list, &*content);
}

void WordStores::LoadWordBook() { Load(WordListKind::kWordBook, m_listWordBook, true); }

void WordStores::LoadRecentWords() {
    Load(WordListKind::kRecentWords, m_listRecentWord, false);
    if (m_recentState.lineCount > 2 * kRecentWordLimit) TrimRecentWordFile();
}

bool WordStores::Replace(WordListKind list, const std::vector<Text>& words,
                         WordFileEncoding encoding) {
    if (!AllFit(words, encoding)) encoding = WordFileEncoding::Utf8;
    // A first word whose CP949 bytes begin like the UTF-8 mark would be read
    // as the mark; in UTF-8 a line of its own holds the mark.
    if (encoding != WordFileEncoding::Utf8 && !words.empty()) {
        const std::optional<std::string> first = EncodeWordLine(encoding, words.front());
        if (first && first->starts_with(kUtf8Mark)) encoding = WordFileEncoding::Utf8;
    }
    if (!ReplaceWordFile(PathOf(list), words, encoding)) return false;
    const std::optional<WordFileContent> content = ReadWordFile(PathOf(list), 0);
    Remember(list, content ? &*content : nullptr);
    return true;
}

bool WordStores::Append(WordListKind list, const Text& word) {
    const fs::path path = PathOf(list);
    if (!Allowed(list, WordFileChange::kAppend)) return false;
    const WordFolderLock lock(m_home);
    Refresh(list);
    FileState& state = StateOf(list);
    const WordFileEncoding encoding = state.detector.Encoding();
    std::optional<std::string> line = EncodeWordLine(encoding, word);
    if (line) {
        *line += '\n';
        // A CP949 line that would make the whole file pass for UTF-8 (an
        // ASCII letter beside a Hangul syllable that spells "å" in UTF-8)
        // cannot be appended without changing how every line reads.
        WordFileDetector after = state.detector;
        after.AddLine(*line);
        // Nor can a first line whose bytes begin like the UTF-8 mark: it
        // would be read as the mark and lose them.
        const bool readAsMark = state.stamp.size <= 0 && line->starts_with(kUtf8Mark);
        if (after.Encoding() == encoding && !readAsMark) {
            if (!AppendWordLine(path, std::string_view(*line).substr(0, line->size() - 1)))
                return Failed(list);
            state.detector = after;
            ++state.lineCount;
            state.stamp = StampOf(path);
            return true;
        }
    }
    // The file changes to UTF-8, once, with every word it holds.
    if (!EncodeWordLine(WordFileEncoding::Utf8, word)) return Failed(list);  // no file holds it
    if (!Allowed(list, WordFileChange::kReplace)) return false;
    std::optional<WordFileContent> content = ReadWordFile(path, KeepOf(list));
    std::vector<Text> words = content ? std::move(content->words) : std::vector<Text>();
    words.push_back(word);
    return Replace(list, words, WordFileEncoding::Utf8) || Failed(list);
}

void WordStores::AddWordBook(const Text& word) {
    if (word.empty() || m_listWordBook.Find(ToLower(word))) return;
    m_listWordBook.AddHead(word);
    Append(WordListKind::kWordBook, word);
}

void WordStores::AddRecentWord(const Text& word) {
    m_listRecentWord.AddHead(word);
    m_listRecentWord.KeepFirst(kRecentWordLimit);
    if (Append(WordListKind::kRecentWords, word) && m_recentState.lineCount > 2 * kRecentWordLimit)
        TrimRecentWordFile();
}

// Cutting back is housekeeping: when the file cannot be replaced it merely
// stays longer, and nothing is reported.
void WordStores::TrimRecentWordFile() {
    const WordListKind list = WordListKind::kRecentWords;
    if (CheckWordFile(PathOf(list), WordFileChange::kReplace) != WordFileProblem::kNone) return;
    const WordFolderLock lock(m_home);
    const std::optional<WordFileContent> content = ReadWordFile(PathOf(list), kRecentWordLimit);
    if (!content) return;
    if (content->lineCount <= 2 * kRecentWordLimit) {
        Remember(list, &*content);
        return;
    }
    Replace(list, content->words, content->Encoding());
}

bool WordStores::DeleteWordBookEntry(WordList::Position position) {
    const Text* entry = m_listWordBook.At(position);
    if (!entry) return true;
    const Text word = *entry;
    m_listWordBook.RemoveAt(position);
    const WordListKind list = WordListKind::kWordBook;
    const fs::path path = PathOf(list);
    if (!Exists(path)) return true;
    if (!Allowed(list, WordFileChange::kReplace)) return false;
    const WordFolderLock lock(m_home);
    std::optional<WordFileContent> content = ReadWordFile(path);
    if (!content) return Failed(list);
    const auto found = FindNewest(content->words, word);
    if (found == content->words.end()) return true;  // another copy took it out already
    content->words.erase(found);
    return Replace(list, content->words, content->Encoding()) || Failed(list);
}

bool WordStores::WriteWordBook() {
    const WordListKind list = WordListKind::kWordBook;
    if (!Allowed(list, WordFileChange::kReplace)) return false;
    std::vector<Text> words;
    for (const WordList::Entry& entry : m_listWordBook.Entries())
        if (!entry.word.empty()) words.push_back(entry.word);
    std::reverse(words.begin(), words.end());  // the file runs oldest first
    const WordFolderLock lock(m_home);
    Refresh(list);
    std::erase_if(words, [](const Text& word) {
        return !EncodeWordLine(WordFileEncoding::Utf8, word).has_value();
    });
    return Replace(list, words, m_wordBookState.detector.Encoding()) || Failed(list);
}

bool WordStores::DeleteFile(WordListKind list) {
    const fs::path path = PathOf(list);
    if (!Exists(path)) return true;
    if (!Allowed(list, WordFileChange::kRemove)) return false;
    const WordFolderLock lock(m_home);
    // unlink, unlike std::filesystem::remove, leaves a folder of that name
    // alone.
    if (::unlink(path.c_str()) != 0 && Exists(path)) return Failed(list);
    Remember(list, nullptr);
    return true;
}

bool WordStores::DeleteWordBookFile() { return DeleteFile(WordListKind::kWordBook); }

bool WordStores::DeleteRecentWordFile() { return DeleteFile(WordListKind::kRecentWords); }

}  // namespace tavik
