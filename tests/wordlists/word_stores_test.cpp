// The word list and the two word stores against real files, including the
// failures the files must survive.
#include "wordlists/word_stores.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <functional>
#include <iterator>
#include <thread>

#include "text/codepage.h"
#include "text/file.h"
#include "text/text.h"

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

    // Stores that record what they could not save.
    WordStores Stores() {
        WordStores stores(m_home);
        stores.SetFailureReport(
            [this](const WordListFailure& failure) { m_failures.push_back(failure); });
        return stores;
    }
    fs::path WordBook() const { return m_home / "Word.dat"; }
    fs::path Recent() const { return m_home / "OldWord.dat"; }
    std::vector<std::string> FolderNames() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_home))
            names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }

    bool Reported(WordListKind list, WordFileProblem problem) const {
        return std::any_of(m_failures.begin(), m_failures.end(), [&](const WordListFailure& f) {
            return f.list == list && f.problem == problem;
        });
    }

    fs::path m_home;
    std::vector<WordListFailure> m_failures;
};

TEST_F(WordStoresTest, FirstStartCreatesBothFilesEmptyAndDeletedFilesComeBack) {
    WordStores stores = Stores();
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
    WordStores stores = Stores();
    stores.LoadWordBook();
    stores.LoadRecentWords();
    EXPECT_EQ(Words(stores.m_listWordBook),
              (std::vector<Text>{Text(906, 'x'), Text(4094, 'x'), u"banana", u"apple"}));
    EXPECT_EQ(Words(stores.m_listRecentWord),
              (std::vector<Text>{Text(906, 'X'), Text(4094, 'X'), u"Banana", u"apple"}));
}

TEST_F(WordStoresTest, AdditionsAppendOneLineEach) {
    WriteBytes(WordBook(), "apple");  // last line without its line feed
    WordStores stores = Stores();
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

TEST_F(WordStoresTest, WordsNoFileCanHoldStayInMemoryAndAreReported) {
    const Text longest(4094, 'y');
    WordStores stores = Stores();
    stores.AddRecentWord(Text(4095, 'y'));
    stores.AddRecentWord(u"a\nb");
    stores.AddRecentWord(longest);
    EXPECT_EQ(stores.m_listRecentWord.Count(), 3u);
    EXPECT_TRUE(Reported(WordListKind::kRecentWords, WordFileProblem::kNotSaved));
    stores.LoadRecentWords();
    EXPECT_EQ(Words(stores.m_listRecentWord), std::vector<Text>{longest});
}

TEST_F(WordStoresTest, DeletingOneWordKeepsTheFileInItsOrder) {
    WordStores stores = Stores();
    stores.LoadWordBook();
    stores.LoadRecentWords();
    stores.AddWordBook(u"apple");
    stores.AddWordBook(u"Pear");
    stores.AddWordBook(u"fig");
    ::chmod(WordBook().c_str(), 0640);
    EXPECT_TRUE(stores.DeleteWordBookEntry(*stores.m_listWordBook.Find(u"Pear")));
    EXPECT_EQ(ReadBytes(WordBook()), "apple\nfig\n");
    EXPECT_EQ(Words(stores.m_listWordBook), (std::vector<Text>{u"fig", u"apple"}));
    EXPECT_TRUE(stores.WriteWordBook());  // the same list, the same file
    EXPECT_EQ(ReadBytes(WordBook()), "apple\nfig\n");
    EXPECT_EQ(fs::status(WordBook()).permissions(), fs::perms(0640));
    EXPECT_EQ(FolderNames(), (std::vector<std::string>{"OldWord.dat", "Word.dat"}));
}

TEST_F(WordStoresTest, RewriteReplacesTheFileALinkNames) {
    fs::create_directory(m_home / "synced");
    WriteBytes(m_home / "synced" / "words", "apple\npear\n");
    fs::create_symlink("synced/words", WordBook());
    WordStores stores = Stores();
    stores.LoadWordBook();
    EXPECT_TRUE(stores.DeleteWordBookEntry(*stores.m_listWordBook.Find(u"pear")));
    EXPECT_TRUE(fs::is_symlink(WordBook()));
    EXPECT_EQ(ReadBytes(m_home / "synced" / "words"), "apple\n");
}

TEST_F(WordStoresTest, FailedRewriteKeepsTheOldFile) {
    WriteBytes(WordBook(), "apple\npear\n");
    const auto rewriteAfter = [this](void (*prepare)()) {
        return [this, prepare] {
            WordStores stores = Stores();
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
                  WordStores stores = Stores();
                  stores.LoadRecentWords();
                  stores.AddRecentWord(u"elephant");
                  return Words(stores.m_listRecentWord).front() == u"elephant"
                             ? std::string()
                             : std::string("word not kept in memory");
              }),
              "");
    EXPECT_EQ(ReadBytes(Recent()), "cat\n");
    WordStores stores = Stores();
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
            WordStores stores = Stores();
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
    WordStores stores = Stores();
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
            WordStores stores = Stores();
            for (int i = 0; i < kLines; ++i) stores.AddRecentWord(Text(500, letter));
            ::_exit(0);
        }
        copies.push_back(copy);
    }
    for (pid_t copy : copies) ::waitpid(copy, nullptr, 0);
    WordStores stores = Stores();
    stores.LoadRecentWords();
    EXPECT_EQ(stores.m_listRecentWord.Count(), kRecentWordLimit);
    const std::string file = ReadBytes(Recent());
    EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 2 * kLines);
    for (const Text& word : Words(stores.m_listRecentWord))
        ASSERT_TRUE(word == Text(500, 'a') || word == Text(500, 'b'));
}

// 책 in CP949 is the bytes of å in UTF-8; é in UTF-8 those of 쳐 in CP949.
constexpr std::string_view kBookCp949 = "\xC3\xA5";
constexpr std::string_view kBookUtf8 = "\xEC\xB1\x85";

TEST(WordFileDetector, TellsEarlierCp949FilesFromUtf8Ones) {
    const auto encodingOf = [](std::initializer_list<std::string_view> lines, bool mark = false) {
        WordFileDetector detector;
        if (mark) detector.AddMark();
        for (std::string_view line : lines) detector.AddLine(std::string(line) + "\n");
        return detector.Encoding();
    };
    using enum WordFileEncoding;
    EXPECT_EQ(encodingOf({}), Cp949);
    EXPECT_EQ(encodingOf({"apple", "pear"}), Cp949);
    EXPECT_EQ(encodingOf({"apple", kBookCp949}), Cp949);  // valid UTF-8 all the same
    EXPECT_EQ(encodingOf({"\xBB\xE7\xB0\xFA"}), Cp949);   // 사과: not UTF-8
    EXPECT_EQ(encodingOf({"caf\xC3\xA9"}), Utf8);         // café
    EXPECT_EQ(encodingOf({kBookUtf8, "apple"}), Utf8);
    EXPECT_EQ(encodingOf({"\xF0\x9F\x98\x80"}), Utf8);          // an emoji
    EXPECT_EQ(encodingOf({"\xD0\xBC\xD0\xB8\xD1\x80"}), Utf8);  // мир
    EXPECT_EQ(encodingOf({"\xC3\xA9"}), Cp949);                 // é alone passes for 쳐
    EXPECT_EQ(encodingOf({"\xC3\xA9"}, true), Utf8);            // unless marked
    EXPECT_EQ(encodingOf({"caf\xC3\xA9", "\xBB\xE7"}), Cp949);  // not valid UTF-8
    EXPECT_EQ(encodingOf({"\xC3"}), Cp949);                     // a cut sequence
    EXPECT_EQ(encodingOf({"\xED\xA0\x80"}), Cp949);             // a surrogate
    EXPECT_EQ(encodingOf({"\xC0\xAF"}), Cp949);                 // an overlong slash
}

TEST_F(WordStoresTest, AWordCp949CannotHoldTurnsTheFileIntoUtf8OnceKeepingEveryWord) {
    WriteBytes(WordBook(), "apple\n" + std::string(kBookCp949) + "\n");
    WriteBytes(Recent(), "cat\n" + std::string(kBookCp949) + "\n");
    WordStores stores = Stores();
    stores.LoadWordBook();
    stores.LoadRecentWords();
    EXPECT_EQ(Words(stores.m_listWordBook), (std::vector<Text>{u"책", u"apple"}));
    // A word that fits is appended in the file's own encoding.
    stores.AddWordBook(u"사과");
    EXPECT_EQ(ReadBytes(WordBook()), "apple\n" + std::string(kBookCp949) + "\n\xBB\xE7\xB0\xFA\n");

    const ino_t before = StampOf(WordBook()).inode;
    stores.AddWordBook(u"café");
    const std::string utf8Book =
        "apple\n" + std::string(kBookUtf8) + "\n\xEC\x82\xAC\xEA\xB3\xBC\ncaf\xC3\xA9\n";
    EXPECT_EQ(ReadBytes(WordBook()), utf8Book);
    EXPECT_NE(StampOf(WordBook()).inode, before);  // replaced, not edited in place
    const ino_t converted = StampOf(WordBook()).inode;
    stores.AddWordBook(u"naïve");
    stores.AddWordBook(u"책상");
    EXPECT_EQ(StampOf(WordBook()).inode, converted);  // then appended to in UTF-8
    EXPECT_EQ(ReadBytes(WordBook()), utf8Book + "na\xC3\xAFve\n\xEC\xB1\x85\xEC\x83\x81\n");

    stores.AddRecentWord(u"😀");
    stores.AddRecentWord(u"dog");
    EXPECT_TRUE(m_failures.empty());

    WordStores again = Stores();
    again.LoadWordBook();
    again.LoadRecentWords();
    EXPECT_EQ(Words(again.m_listWordBook),
              (std::vector<Text>{u"책상", u"naïve", u"café", u"사과", u"책", u"apple"}));
    EXPECT_EQ(Words(again.m_listRecentWord), (std::vector<Text>{u"dog", u"😀", u"책", u"cat"}));
    // Deleting keeps the file in UTF-8.
    EXPECT_TRUE(again.DeleteWordBookEntry(*again.m_listWordBook.Find(u"apple")));
    again.LoadWordBook();
    EXPECT_EQ(Words(again.m_listWordBook),
              (std::vector<Text>{u"책상", u"naïve", u"café", u"사과", u"책"}));
}

TEST_F(WordStoresTest, FilesThatCouldPassForTheOtherEncodingStillComeBackAsWritten) {
    // A CP949 file of 책 alone: the same words whatever the dictionary, and
    // still CP949 after an addition that fits.
    WriteBytes(WordBook(), std::string(kBookCp949) + "\n");
    WordStores stores = Stores();
    stores.LoadWordBook();
    EXPECT_EQ(Words(stores.m_listWordBook), std::vector<Text>{u"책"});
    stores.AddWordBook(u"칼");
    EXPECT_EQ(ReadBytes(WordBook()), std::string(kBookCp949) + "\n\xC4\xAE\n");

    // An earlier UTF-8 list written by hand loads as UTF-8.
    WriteBytes(Recent(), "caf\xC3\xA9\n");
    stores.LoadRecentWords();
    EXPECT_EQ(Words(stores.m_listRecentWord), std::vector<Text>{u"café"});
    fs::remove(Recent());

    // A new file given é alone: in UTF-8 with the mark, since the bare
    // bytes would read as CP949.
    stores.AddRecentWord(u"é");
    EXPECT_EQ(ReadBytes(Recent()), std::string(kUtf8Mark) + "\n\xC3\xA9\n");
    stores.AddRecentWord(u"à");
    stores.LoadRecentWords();
    EXPECT_EQ(Words(stores.m_listRecentWord), (std::vector<Text>{u"à", u"é"}));
    // The mark takes nothing from the room of the first word's line.
    const Text longest = Text(2047, u'é');  // 4,094 bytes in UTF-8
    fs::remove(Recent());
    stores.AddRecentWord(longest);
    stores.AddRecentWord(u"dog");
    stores.LoadRecentWords();
    EXPECT_EQ(Words(stores.m_listRecentWord), (std::vector<Text>{u"dog", longest}));

    // A CP949 word that would make an ASCII file pass for UTF-8 ("a" then
    // the bytes of "å") moves the file to UTF-8 instead.
    fs::remove(WordBook());
    stores.LoadWordBook();
    stores.AddWordBook(u"pear");
    stores.AddWordBook(u"a책");
    stores.LoadWordBook();
    EXPECT_EQ(Words(stores.m_listWordBook), (std::vector<Text>{u"a책", u"pear"}));
}

TEST_F(WordStoresTest, ReadOnlyFilesAndFoldersAreNeverRewrittenOrDeleted) {
    WriteBytes(WordBook(), "apple\npear\n");
    WriteBytes(Recent(), "cat\n");
    ::chmod(WordBook().c_str(), 0444);
    ::chmod(Recent().c_str(), 0444);
    const WordFileStamp book = StampOf(WordBook());
    WordStores stores = Stores();
    stores.LoadWordBook();
    stores.LoadRecentWords();
    EXPECT_TRUE(m_failures.empty());
    stores.AddWordBook(u"fig");
    EXPECT_TRUE(Reported(WordListKind::kWordBook, WordFileProblem::kNotSaved));
    EXPECT_FALSE(stores.DeleteWordBookEntry(*stores.m_listWordBook.Find(u"apple")));
    EXPECT_EQ(Words(stores.m_listWordBook), (std::vector<Text>{u"fig", u"pear"}));
    EXPECT_FALSE(stores.WriteWordBook());
    EXPECT_FALSE(stores.DeleteWordBookFile());
    EXPECT_EQ(StampOf(WordBook()), book);
    EXPECT_EQ(ReadBytes(WordBook()), "apple\npear\n");

    m_failures.clear();
    stores.AddRecentWord(u"dog");
    EXPECT_TRUE(Reported(WordListKind::kRecentWords, WordFileProblem::kNotSaved));
    EXPECT_FALSE(stores.DeleteRecentWordFile());
    EXPECT_EQ(ReadBytes(Recent()), "cat\n");

    // A read-only folder: appends to the writable files still work, but
    // nothing is replaced, created or deleted there.
    ::chmod(WordBook().c_str(), 0644);
    ::chmod(Recent().c_str(), 0644);
    ::chmod(m_home.c_str(), 0555);
    m_failures.clear();
    stores.LoadWordBook();
    stores.AddWordBook(u"fig");
    EXPECT_TRUE(m_failures.empty());
    EXPECT_EQ(ReadBytes(WordBook()), "apple\npear\nfig\n");
    EXPECT_FALSE(stores.DeleteWordBookEntry(*stores.m_listWordBook.Find(u"pear")));
    EXPECT_FALSE(stores.DeleteRecentWordFile());
    stores.AddWordBook(u"café");  // would need a new file
    EXPECT_EQ(ReadBytes(WordBook()), "apple\npear\nfig\n");
    EXPECT_EQ(ReadBytes(Recent()), "cat\n");
    EXPECT_TRUE(Reported(WordListKind::kWordBook, WordFileProblem::kNotSaved));
    EXPECT_TRUE(Reported(WordListKind::kRecentWords, WordFileProblem::kNotSaved));
    EXPECT_EQ(FolderNames(), (std::vector<std::string>{"OldWord.dat", "Word.dat"}));
}

TEST_F(WordStoresTest, AnotherUsersReadOnlyWordBookIsNotReplacedByTheUsersOwn) {
    WriteBytes(WordBook(), "apple\npear\n");  // root's, 0644, in a folder all may write
    ::chmod(m_home.c_str(), 0777);
    const WordFileStamp book = StampOf(WordBook());
    EXPECT_EQ(InChild(
                  [this] {
                      WordStores stores = Stores();
                      stores.LoadWordBook();
                      if (stores.DeleteWordBookEntry(*stores.m_listWordBook.Find(u"pear")))
                          return std::string("deletion reported as saved");
                      if (m_failures.empty()) return std::string("nothing reported");
                      return std::string();
                  },
                  true),
              "");
    EXPECT_EQ(StampOf(WordBook()), book);
    EXPECT_EQ(fs::status(WordBook()).permissions(), fs::perms(0644));
    EXPECT_EQ(ReadBytes(WordBook()), "apple\npear\n");
}

std::string NumberedLines(int from, int to) {
    std::string lines;
    for (int i = from; i < to; ++i) lines += "w" + std::to_string(i) + "\n";
    return lines;
}

TEST_F(WordStoresTest, RecentWordsKeepTheLastThousandAndTheFileIsCutBackPastTwiceThat) {
    WriteBytes(Recent(), NumberedLines(0, 2000));
    WordStores stores = Stores();
    stores.LoadRecentWords();
    EXPECT_EQ(stores.m_listRecentWord.Count(), kRecentWordLimit);
    EXPECT_EQ(stores.m_listRecentWord.Entries().front().word, u"w1999");
    EXPECT_EQ(stores.m_listRecentWord.Entries().back().word, u"w1000");
    EXPECT_EQ(ReadBytes(Recent()), NumberedLines(0, 2000));  // not past twice yet

    stores.AddRecentWord(u"w2000");
    EXPECT_EQ(stores.m_listRecentWord.Count(), kRecentWordLimit);
    EXPECT_EQ(stores.m_listRecentWord.Entries().back().word, u"w1001");
    EXPECT_EQ(ReadBytes(Recent()), NumberedLines(1001, 2001));

    // An older version's long file is cut back at the first start.
    WriteBytes(Recent(), NumberedLines(0, 100000));
    stores.LoadRecentWords();
    EXPECT_EQ(ReadBytes(Recent()), NumberedLines(99000, 100000));
    EXPECT_EQ(stores.m_listRecentWord.Entries().front().word, u"w99999");
    EXPECT_EQ(stores.m_listRecentWord.Count(), kRecentWordLimit);
}

TEST_F(WordStoresTest, TwoCopiesOnOneHomeLoseNoWords) {
    WordStores first = Stores();
    WordStores second = Stores();
    first.LoadWordBook();
    second.LoadWordBook();
    first.AddWordBook(u"apple");
    second.AddWordBook(u"banana");
    EXPECT_TRUE(first.DeleteWordBookEntry(*first.m_listWordBook.Find(u"apple")));
    EXPECT_EQ(ReadBytes(WordBook()), "banana\n");

    // Copies adding and deleting at the same time: each deletion takes out
    // its own word and nothing else.
    constexpr int kWords = 60;
    std::vector<pid_t> copies;
    for (char letter : {'a', 'b', 'c'}) {
        const pid_t copy = ::fork();
        if (copy == 0) {
            WordStores stores(m_home);
            stores.LoadWordBook();
            stores.LoadRecentWords();
            for (int i = 0; i < kWords; ++i) {
                const Text word = Text(1, char16_t(letter)) + Ascii(std::to_string(i));
                stores.AddWordBook(word);
                stores.AddRecentWord(word);
                if (i % 2 == 0) stores.DeleteWordBookEntry(*stores.m_listWordBook.Find(word));
            }
            ::_exit(0);
        }
        copies.push_back(copy);
    }
    for (pid_t copy : copies) ::waitpid(copy, nullptr, 0);
    WordStores stores = Stores();
    stores.LoadWordBook();
    stores.LoadRecentWords();
    std::vector<Text> kept = Words(stores.m_listWordBook);
    std::sort(kept.begin(), kept.end());
    std::vector<Text> expected{u"banana"};
    for (char letter : {'a', 'b', 'c'})
        for (int i = 1; i < kWords; i += 2)
            expected.push_back(Text(1, char16_t(letter)) + Ascii(std::to_string(i)));
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(kept, expected);
    EXPECT_EQ(stores.m_listRecentWord.Count(), size_t(3 * kWords));
}

TEST_F(WordStoresTest, DeletingAllRecentWordsWhileAnotherCopyAppendsLeavesWholeLines) {
    constexpr int kWords = 400;
    const pid_t copy = ::fork();
    if (copy == 0) {
        WordStores stores(m_home);
        for (int i = 0; i < kWords; ++i) stores.AddRecentWord(Text(300, 'x'));
        ::_exit(0);
    }
    WordStores stores = Stores();
    for (int i = 0; i < 50; ++i) stores.DeleteRecentWordFile();
    ::waitpid(copy, nullptr, 0);
    stores.AddRecentWord(u"last");
    stores.LoadRecentWords();
    EXPECT_EQ(stores.m_listRecentWord.Entries().front().word, u"last");
    for (const Text& word : Words(stores.m_listRecentWord))
        ASSERT_TRUE(word == u"last" || word == Text(300, 'x'));
}

TEST_F(WordStoresTest, LinksAnotherUserOwnsAreNeverFollowed) {
    if (::geteuid() != 0) GTEST_SKIP() << "giving a link away takes root";
    WriteBytes(m_home / "bashrc", "export PATH\n");
    fs::create_symlink("bashrc", Recent());
    fs::create_symlink("bashrc", WordBook());
    ASSERT_EQ(::lchown(Recent().c_str(), kNobody, kNobody), 0);
    ASSERT_EQ(::lchown(WordBook().c_str(), kNobody, kNobody), 0);
    WordStores stores = Stores();
    stores.LoadWordBook();
    stores.LoadRecentWords();
    EXPECT_TRUE(stores.m_listWordBook.IsEmpty() && stores.m_listRecentWord.IsEmpty());
    EXPECT_TRUE(Reported(WordListKind::kRecentWords, WordFileProblem::kForeignLink));
    EXPECT_TRUE(Reported(WordListKind::kWordBook, WordFileProblem::kForeignLink));
    stores.AddRecentWord(u"secret");
    stores.AddWordBook(u"secret");
    stores.AddWordBook(u"café");
    EXPECT_FALSE(stores.DeleteWordBookEntry(*stores.m_listWordBook.Find(u"secret")));
    EXPECT_FALSE(stores.WriteWordBook());
    EXPECT_EQ(ReadBytes(m_home / "bashrc"), "export PATH\n");
    EXPECT_TRUE(fs::is_symlink(Recent()) && fs::is_symlink(WordBook()));
    EXPECT_EQ(Words(stores.m_listRecentWord), std::vector<Text>{u"secret"});
    EXPECT_TRUE(IsLinkOwnedByOtherUser(Recent()));
    EXPECT_FALSE(IsLinkOwnedByOtherUser(m_home / "bashrc"));
}
TEST_F(WordStoresTest, AFirstWordThatBeginsLikeTheUtf8MarkComesBackWhole) {
    // Two Hanja whose CP949 bytes are EF BB BF A1: written as they are, the
    // reading took the first three bytes for the mark.
    const Text cp949 = CodePage::Default().Decode("\xEF\xBB\xBF\xA1");
    ASSERT_EQ(cp949.size(), 2u);
    for (const Text& word : {cp949, Text(u"\uFEFFzero-width")}) {
        SCOPED_TRACE(ToUtf8(word));
        fs::remove(Recent());
        fs::remove(WordBook());
        {
            WordStores stores = Stores();
            stores.LoadRecentWords();
            stores.LoadWordBook();
            stores.AddRecentWord(word);
            stores.AddWordBook(u"apple");
            stores.AddWordBook(word);
            // Rewritten with the word first in the file.
            ASSERT_TRUE(stores.DeleteWordBookEntry(*stores.m_listWordBook.Find(u"apple")));
        }
        WordStores again = Stores();
        again.LoadRecentWords();
        again.LoadWordBook();
        EXPECT_EQ(Words(again.m_listRecentWord), std::vector<Text>{word});
        EXPECT_EQ(Words(again.m_listWordBook), std::vector<Text>{ToLower(word)});
    }
}

TEST_F(WordStoresTest, ALinkSwappedInBetweenTheCheckAndTheWriteIsNeverFollowed) {
    if (::geteuid() != 0) GTEST_SKIP() << "giving a link away takes root";
    WriteBytes(m_home / "bashrc", "export PATH\n");
    WordStores stores = Stores();
    // Another user swaps the recent-word file for a link of theirs and back,
    // as fast as the system lets them, while words are added.
    std::atomic<bool> stop = false;
    std::thread swapper([&] {
        const fs::path link = m_home / "planted-link";
        const fs::path plain = m_home / "planted-file";
        while (!stop) {
            // The link stands only for the moment between two renames.
            if (::symlink("bashrc", link.c_str()) != 0 ||
                ::lchown(link.c_str(), kNobody, kNobody) != 0)
                return;
            FileHandle created(::open(plain.c_str(), O_WRONLY | O_CREAT, 0644));
            if (::rename(link.c_str(), Recent().c_str()) != 0 ||
                ::rename(plain.c_str(), Recent().c_str()) != 0)
                return;
        }
    });
    for (int i = 0; i < 5000; ++i) stores.AddRecentWord(u"secret");
    stop = true;
    swapper.join();
    EXPECT_EQ(ReadBytes(m_home / "bashrc"), "export PATH\n");
}

}  // namespace
}  // namespace tavik
