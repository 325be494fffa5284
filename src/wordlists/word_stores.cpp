// The wordbook and the recent words: every change reaches its file at once;
// a word the file cannot hold faithfully stays in memory only.
#include "wordlists/word_stores.h"

#include <unistd.h>

#include "wordlists/word_file.h"

namespace tavik {

namespace fs = std::filesystem;

namespace {

// The list becomes the file's words with the last line in front; a file
// that cannot be read leaves the list as it was.
void LoadList(WordList& list, const fs::path& path, const CodePage& codePage, bool lowerCase) {
    CreateWordFileIfMissing(path);
    std::optional<std::vector<Text>> words = ReadWordFile(path, codePage);
    if (!words) return;
    list.RemoveAll();
    for (Text& word : *words) list.AddHead(lowerCase ? ToLower(word) : std::move(word));
}

void AppendWord(const fs::path& path, const CodePage& codePage, TextView word) {
    if (std::optional<std::string> line = EncodeWordLine(codePage, word))
        AppendWordLine(path, *line);
}

}  // namespace

WordStores::WordStores(fs::path home, const CodePage& codePage)
    : m_home(std::move(home)), m_codePage(codePage) {}

fs::path WordStores::WordBookPath() const { return m_home / "Word.dat"; }

fs::path WordStores::RecentWordPath() const { return m_home / "OldWord.dat"; }

void WordStores::LoadWordBook() { LoadList(m_listWordBook, WordBookPath(), m_codePage, true); }

void WordStores::LoadRecentWords() {
    LoadList(m_listRecentWord, RecentWordPath(), m_codePage, false);
}

void WordStores::AddWordBook(const Text& word) {
    if (word.empty() || m_listWordBook.Find(ToLower(word))) return;
    m_listWordBook.AddHead(word);
    AppendWord(WordBookPath(), m_codePage, word);
}

void WordStores::AddRecentWord(const Text& word) {
    m_listRecentWord.AddHead(word);
    AppendWord(RecentWordPath(), m_codePage, word);
}

bool WordStores::WriteWordBook() {
    std::string content;
    for (const WordList::Entry& entry : m_listWordBook.Entries()) {
        if (entry.word.empty()) continue;
        if (std::optional<std::string> line = EncodeWordLine(m_codePage, entry.word)) {
            content += *line;
            content += '\n';
        }
    }
    return ReplaceWordFile(WordBookPath(), content);
}

// unlink, unlike std::filesystem::remove, leaves a folder of that name alone.
void WordStores::DeleteWordBookFile() { ::unlink(WordBookPath().c_str()); }

void WordStores::DeleteRecentWordFile() { ::unlink(RecentWordPath().c_str()); }

}  // namespace tavik
