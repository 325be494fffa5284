// The word list and the two word stores against real files, including the
// failures the files must survive.
#include "wordlists/word_stores.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>

namespace tavik {
namespace {

namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const fs::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<Text> Words(const WordList& list) {
    std::vector<Text> words;
    for (const WordList::Entry& entry : list.Entries()) words.push_back(entry.word);
    return words;
}

// Runs `body` in a child process and returns its complaint, empty when all
// went well. `unprivileged` drops root first, so that file modes bind.
std::string InChild(const std::function<std::string()>& body, bool unprivileged = false) {
    int channel[2];
    if (::pipe(channel) != 0) return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        std::string complaint;
        if (unprivileged && ::getuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            complaint = "cannot drop root";
        else
            complaint = body();
        if (::write(channel[1], complaint.data(), complaint.size()) < 0) ::_exit(2);
        ::_exit(0);
    }
    ::close(channel[1]);
    std::string complaint;
    char buffer[256];
    for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        complaint.append(buffer, size_t(got));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) complaint += " (child failed)";
    return complaint;
}

TEST(WordList, PositionsStayWithTheirEntries) {
    WordList list;
    const auto apple = list.AddHead(u"apple");
    const auto pear = list.AddHead(u"pear");
    const auto secondApple = list.AddHead(u"apple");
    EXPECT_EQ(list.Find(u"apple"), secondApple);  // the first from the front
    EXPECT_FALSE(list.Find(u"Apple"));
    EXPECT_TRUE(list.RemoveAt(pear));
    EXPECT_FALSE(list.RemoveAt(pear));
    EXPECT_EQ(list.At(pear), nullptr);
    EXPECT_EQ(*list.At(apple), u"apple");
    EXPECT_NE(list.AddHead(u"fig"), pear);  // never reused
    EXPECT_EQ(Words(list), (std::vector<Text>{u"fig", u"apple", u"apple"}));
}

class WordStoresTest : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "tavik-words-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_home = pattern;
        ::chmod(m_home.c_str(), 0755);  // reachable for an unprivileged child
    }
    void TearDown() override {
        ::chmod(m_home.c_str(), 0755);
        fs::remove_all(m_home);
    }

    WordStores Stores(const CodePage& codePage) { return WordStores(m_home, codePage); }
    fs::path WordBook() const { return m_home / "Word.dat"; }
    fs::path Recent() const { return m_home / "OldWord.dat"; }
    std::vector<std::string> FolderNames() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_home))
            names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path m_home;
    CodePage m_cp949 = CodePage::Default();
};

TEST_F(WordStoresTest, FirstStartCreatesBothFilesEmptyAndDeletedFilesComeBack) {
    WordStores stores = Stores(m_cp949);
    stores.LoadWordBook();
    stores.LoadRecentWords();
    EXPECT_TRUE(stores.m_listWordBook.IsEmpty() && stores.m_listRecentWord.IsEmpty());
    EXPECT_EQ(FolderNames(), (std::vector<std::string>{"OldWord.dat", "Word.dat"}));
    EXPECT_EQ(ReadBytes(WordBook()) + ReadBytes(Recent()), "");
    stores.DeleteWordBookFile();
    stores.DeleteRecentWordFile();
    stores.DeleteRecentWordFile();  // already gone: ignored
    EXPECT_TRUE(FolderNames().empty());
    stores.AddRecentWord(u"pear");
    EXPECT_EQ(ReadBytes(Recent()), "pear\n");
}

TEST_F(WordStoresTest, LoadingTrimsSkipsEmptyLinesAndSplitsLongLines) {
    const std::string lines = "apple\n\n  Banana  \r\n" + std::string(5000, 'X') + "\n";
    WriteBytes(WordBook(), lines);
    WriteBytes(Recent(), lines);
    WordStores stores = Stores(m_cp949);
    stores.LoadWordBook();
    stores.LoadRecentWords();
    EXPECT_EQ(Words(stores.m_listWordBook),
              (std::vector<Text>{Text(906, 'x'), Text(4094, 'x'), u"banana", u"apple"}));
    EXPECT_EQ(Words(stores.m_listRecentWord),
              (std::vector<Text>{Text(906, 'X'), Text(4094, 'X'), u"Banana", u"apple"}));
}

TEST_F(WordStoresTest, AdditionsAppendOneLineEach) {
    WriteBytes(WordBook(), "apple");  // last line without its line feed
    WordStores stores = Stores(m_cp949);
    stores.LoadWordBook();
    stores.AddWordBook(u"apple");
    stores.AddWordBook(u"Apple");
    stores.AddWordBook(u"");
    EXPECT_EQ(ReadBytes(WordBook()), "apple");
    stores.AddWordBook(u"Pear");
    stores.AddWordBook(u"사과");
    EXPECT_EQ(ReadBytes(WordBook()), "apple\nPear\n\xbb\xe7\xb0\xfa\n");
    stores.LoadWordBook();
    EXPECT_EQ(Words(stores.m_listWordBook), (std::vector<Text>{u"사과", u"pear", u"apple"}));

    stores.AddRecentWord(u"cat");
    stores.AddRecentWord(u"cat");
    EXPECT_EQ(Words(stores.m_listRecentWord), (std::vector<Text>{u"cat", u"cat"}));
    EXPECT_EQ(ReadBytes(Recent()), "cat\ncat\n");
}

TEST_F(WordStoresTest, WordsTheFileCannotHoldStayInMemoryOnly) {
    const Text longest(4094, 'y');
    WordStores stores = Stores(m_cp949);
    stores.AddRecentWord(u"😀");
    stores.AddRecentWord(Text(4095, 'y'));
    stores.AddRecentWord(u"a\nb");
    stores.AddRecentWord(longest);
    stores.AddWordBook(u"apple");
    stores.AddWordBook(u"ภาษา");
    EXPECT_EQ(stores.m_listRecentWord.Count(), 4u);
    EXPECT_EQ(Words(stores.m_listWordBook), (std::vector<Text>{u"ภาษา", u"apple"}));
    EXPECT_EQ(ReadBytes(WordBook()), "apple\n");
    EXPECT_TRUE(stores.WriteWordBook());
    EXPECT_EQ(ReadBytes(WordBook()), "apple\n");
    stores.LoadRecentWords();
    EXPECT_EQ(Words(stores.m_listRecentWord), std::vector<Text>{longest});

    const CodePage utf8 = *CodePage::Named("UTF-8");
    WordStores unicode = Stores(utf8);
    unicode.AddWordBook(u"ภาษา");
    unicode.AddRecentWord(u"😀");
    unicode.LoadWordBook();
    unicode.LoadRecentWords();
    EXPECT_EQ(Words(unicode.m_listWordBook), (std::vector<Text>{u"ภาษา", u"apple"}));
    EXPECT_EQ(Words(unicode.m_listRecentWord), (std::vector<Text>{u"😀", longest}));
}

TEST_F(WordStoresTest, DeletingOneWordRewritesTheFileFrontFirst) {
    WordStores stores = Stores(m_cp949);
    stores.LoadWordBook();
    stores.LoadRecentWords();
    stores.AddWordBook(u"apple");
    stores.AddWordBook(u"Pear");
    stores.AddWordBook(u"fig");
    ::chmod(WordBook().c_str(), 0640);
    ASSERT_TRUE(stores.m_listWordBook.RemoveAt(*stores.m_listWordBook.Find(u"Pear")));
    EXPECT_TRUE(stores.WriteWordBook());
    EXPECT_EQ(ReadBytes(WordBook()), "fig\napple\n");
    EXPECT_EQ(fs::status(WordBook()).permissions(), fs::perms(0640));
    EXPECT_EQ(FolderNames(), (std::vector<std::string>{"OldWord.dat", "Word.dat"}));
}

TEST_F(WordStoresTest, RewriteReplacesTheFileALinkNames) {
    fs::create_directory(m_home / "synced");
    WriteBytes(m_home / "synced" / "words", "apple\npear\n");
    fs::create_symlink("synced/words", WordBook());
    WordStores stores = Stores(m_cp949);
    stores.LoadWordBook();
    stores.m_listWordBook.RemoveAt(*stores.m_listWordBook.Find(u"pear"));
    EXPECT_TRUE(stores.WriteWordBook());
    EXPECT_TRUE(fs::is_symlink(WordBook()));
    EXPECT_EQ(ReadBytes(m_home / "synced" / "words"), "apple\n");
}

TEST_F(WordStoresTest, FailedRewriteKeepsTheOldFile) {
    WriteBytes(WordBook(), "apple\npear\n");
    const auto rewriteAfter = [this](void (*prepare)()) {
        return [this, prepare] {
            WordStores stores = Stores(m_cp949);
            stores.LoadWordBook();
            stores.m_listWordBook.AddHead(Text(100, 'z'));
            prepare();
            return std::string(stores.WriteWordBook() ? "rewrite reported success" : "");
        };
    };
    // A full disk: a file size limit stops the new file halfway.
    EXPECT_EQ(InChild(rewriteAfter([] {
                  ::signal(SIGXFSZ, SIG_IGN);
                  const rlimit limit{64, 64};
                  ::setrlimit(RLIMIT_FSIZE, &limit);
              })),
              "");
    EXPECT_EQ(ReadBytes(WordBook()), "apple\npear\n");
    // A folder where no new file can be made.
    ::chmod(m_home.c_str(), 0555);
    EXPECT_EQ(InChild(rewriteAfter([] {}), true), "");
    EXPECT_EQ(ReadBytes(WordBook()), "apple\npear\n");
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"Word.dat"});
}

TEST_F(WordStoresTest, AppendOnAFullDiskLeavesNoTornLine) {
    WriteBytes(Recent(), "cat\n");
    // Room for three more bytes: the word does not fit and must not be
    // left half-written, where it would merge with the next word added.
    EXPECT_EQ(InChild([this] {
                  ::signal(SIGXFSZ, SIG_IGN);
                  const rlimit limit{7, 7};
                  ::setrlimit(RLIMIT_FSIZE, &limit);
                  WordStores stores = Stores(m_cp949);
                  stores.LoadRecentWords();
                  stores.AddRecentWord(u"elephant");
                  return Words(stores.m_listRecentWord).front() == u"elephant"
                             ? std::string()
                             : std::string("word not kept in memory");
              }),
              "");
    EXPECT_EQ(ReadBytes(Recent()), "cat\n");
    WordStores stores = Stores(m_cp949);
    stores.AddRecentWord(u"dog");
    stores.LoadRecentWords();
    EXPECT_EQ(Words(stores.m_listRecentWord), (std::vector<Text>{u"dog", u"cat"}));
}

TEST_F(WordStoresTest, ReadOnlyFilesLoadAndKeepAdditionsInMemory) {
    WriteBytes(WordBook(), "apple\n");
    WriteBytes(Recent(), "cat\n");
    ::chmod(WordBook().c_str(), 0444);
    ::chmod(Recent().c_str(), 0444);
    const std::string complaint = InChild(
        [&] {
            WordStores stores = Stores(m_cp949);
            stores.LoadWordBook();
            stores.LoadRecentWords();
            stores.AddWordBook(u"pear");
            stores.AddRecentWord(u"dog");
            if (Words(stores.m_listWordBook) != std::vector<Text>{u"pear", u"apple"})
                return std::string("wordbook not loaded");
            if (Words(stores.m_listRecentWord) != std::vector<Text>{u"dog", u"cat"})
                return std::string("recent words not loaded");
            return std::string();
        },
        true);
    EXPECT_EQ(complaint, "");
    EXPECT_EQ(ReadBytes(WordBook()), "apple\n");
    EXPECT_EQ(ReadBytes(Recent()), "cat\n");
}

TEST_F(WordStoresTest, FilesThatAreNotRegularAreLeftAlone) {
    fs::create_directory(WordBook());
    ASSERT_EQ(::mkfifo(Recent().c_str(), 0644), 0);
    WordStores stores = Stores(m_cp949);
    stores.m_listWordBook.AddHead(u"kept");
    stores.LoadWordBook();
    stores.LoadRecentWords();  // must not wait for a writer
    stores.AddWordBook(u"apple");
    stores.AddRecentWord(u"cat");
    EXPECT_EQ(Words(stores.m_listWordBook), (std::vector<Text>{u"apple", u"kept"}));
    EXPECT_EQ(Words(stores.m_listRecentWord), std::vector<Text>{u"cat"});
    EXPECT_FALSE(stores.WriteWordBook());
    stores.DeleteWordBookFile();
    EXPECT_TRUE(fs::is_directory(WordBook()));
    EXPECT_EQ(FolderNames(), (std::vector<std::string>{"OldWord.dat", "Word.dat"}));
}

TEST_F(WordStoresTest, AppendsFromTwoRunningCopiesKeepWholeLines) {
    constexpr int kLines = 1000;
    std::vector<pid_t> copies;
    for (char letter : {'a', 'b'}) {
        const pid_t copy = ::fork();
        if (copy == 0) {
            WordStores stores = Stores(m_cp949);
            for (int i = 0; i < kLines; ++i) stores.AddRecentWord(Text(500, letter));
            ::_exit(0);
        }
        copies.push_back(copy);
    }
    for (pid_t copy : copies) ::waitpid(copy, nullptr, 0);
    WordStores stores = Stores(m_cp949);
    stores.LoadRecentWords();
    EXPECT_EQ(stores.m_listRecentWord.Count(), size_t(2 * kLines));
    for (const Text& word : Words(stores.m_listRecentWord))
        ASSERT_TRUE(word == Text(500, 'a') || word == Text(500, 'b'));
}

}  // namespace
}  // namespace tavik
