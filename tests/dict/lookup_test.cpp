// The binary search: exact hits, the nearest-word scan and the files it must
// survive.
#include "dict/lookup.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "dict/dictionary_line.h"
#include "support/temp_dir.h"
#include "text/compare.h"

namespace tavik {
namespace {

using testing::TempDir;

std::string Lines(const std::vector<std::string>& lines, const char* end = "\n") {
    std::string out;
    for (const auto& line : lines) out += line + end;
    return out;
}

class LookupTest : public ::testing::Test {
protected:
    LookupResult Find(const std::string& bytes, const Text& word) {
        const auto path = m_dir.Write("dict.txt", bytes);
        return LookupWord(path, m_codePage, word);
    }

    TempDir m_dir;
    CodePage m_codePage = CodePage::Default();
};

TEST_F(LookupTest, ExactHitIgnoresCaseAndKeepsTheFilesSpelling) {
    const std::string dict = Lines({"Apple/a", "banana/b", "cherry/c", "date/d", "elder/e"});
    for (const Text word : {u"banana", u"BANANA", u"Cherry", u"date", u"ELDER"}) {
        const LookupResult r = Find(dict, word);
        EXPECT_TRUE(EqualOrder(r.strHeadword, word)) << ToUtf8(word);
        EXPECT_EQ(r.strWord, word);
        EXPECT_GE(r.nOffset, 0);
    }
    EXPECT_EQ(Find(dict, u"cHERRY").strHeadword, u"cherry");
}

// The first line is only read by a probe at offset 0, so the search for the
// first headword of a normal file ends on a later line; the gathering window
// then starts at the file's start and shows the entry all the same.
// The probes seldom reach the first line; a search that converges without
// moving its lower bound reads it once more, and only an equal headword there
// changes the result.
TEST_F(LookupTest, FirstHeadwordIsFoundAtOffsetZero) {
    const std::string dict = Lines({"Apple/a", "banana/b", "cherry/c", "date/d"});
    for (const Text word : {u"apple", u"APPLE"}) {
        const LookupResult r = Find(dict, word);
        EXPECT_EQ(r.strHeadword, u"Apple");
        EXPECT_EQ(r.nOffset, 0);
    }
    // A word before every headword still ends on the nearest word the scan
    // finds from the line of convergence, not on the first line.
    const LookupResult before = Find(dict, u"aardvark");
    EXPECT_NE(before.nOffset, 0);
    EXPECT_NE(before.strHeadword, u"Apple");
    // A prefix of the first headword is not equal to it.
    EXPECT_NE(Find(dict, u"app").strHeadword, u"Apple");
}

TEST_F(LookupTest, EmptyOrUnopenableFilesFindNothing) {
    EXPECT_EQ(Find("", u"a").nOffset, -1);
    EXPECT_EQ(Find("", u"a").strHeadword, u"");
    EXPECT_EQ(LookupWord(m_dir.Path() / "missing.txt", m_codePage, u"a").nOffset, -1);
    EXPECT_EQ(LookupWord(m_dir.Path(), m_codePage, u"a").nOffset, -1);  // a folder
    EXPECT_EQ(LookupWord("/dev/zero", m_codePage, u"a").nOffset, -1);
    const auto fifo = m_dir.Path() / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(LookupWord(fifo, m_codePage, u"a").strHeadword, u"");  // and does not block
}

// A probe that meets the end of the file means the word lies before it: a
// one-line dictionary finds its own headword, and a word after the last
// headword ends on the last line, whatever the line lengths.
TEST_F(LookupTest, EndOfFileDuringTheSearchNarrowsInsteadOfGivingUp) {
    EXPECT_EQ(Find("abc/x\n", u"abc").strHeadword, u"abc");
    EXPECT_EQ(Find("abc/x", u"ABC").strHeadword, u"abc");
    EXPECT_EQ(Find("abc/x\n", u"zzz").strHeadword, u"abc");
    for (size_t tail = 1; tail < 40; ++tail) {
        const std::string dict =
            Lines({"alpha/1", "beta/2", "gamma/3", "yak/" + std::string(tail, 'y')});
        EXPECT_EQ(Find(dict, u"zzz").strHeadword, u"yak") << tail;
        EXPECT_EQ(Find(dict, u"yak").strHeadword, u"yak") << tail;
    }
}

TEST_F(LookupTest, NearestWordScanKeepsTheLongestSharedPrefix) {
    // Long lines before 'abc' make every probe of this small file land on it.
    const std::string filler = std::string(300, 'f');
    const std::string dict =
        Lines({"aa/" + filler, "ab/" + filler, "abc/1", "abd/2", "abde/3", "abx/4"});
    const LookupResult r = Find(dict, u"abdez");
    EXPECT_EQ(r.strHeadword, u"abde");
    // A tie keeps the earlier line; no shared first character keeps the line of
    // convergence.
    const LookupResult tie = Find(dict, u"abq");
    EXPECT_TRUE(tie.strHeadword == u"abc" || tie.strHeadword == u"abd");
    EXPECT_NE(tie.strHeadword, u"abx");
}

TEST_F(LookupTest, ScanGoesForwardOnlyWhileThePrefixGrows) {
    // The prefix with 'abdez' grows along abc (2), abd (3), abde (4), then
    // drops at abx.
    const std::string dict = Lines({"abc/1", "abd/2", "abde/3", "abx/4"});
    EXPECT_EQ(Find(dict, u"abdez").strHeadword, u"abde");
}

TEST_F(LookupTest, EqualHeadwordsInALongRunDoNotStopTheSearchEarly) {
    // An entry of many lines (as converted encyclopaedic dictionaries have)
    // must not make two successive probes look converged.
    std::vector<std::string> lines;
    for (int i = 0; i < 400; ++i) lines.push_back("head" + std::to_string(1000 + i) + "/x");
    for (int i = 0; i < 300; ++i)
        lines.push_back("Tim/part " + std::to_string(i) + std::string(40, '.'));
    lines.push_back("Timothy/a grass");
    lines.push_back("Timour/a conqueror");
    for (int i = 0; i < 400; ++i) lines.push_back("zed" + std::to_string(1000 + i) + "/x");
    const std::string dict = Lines(lines);
    EXPECT_EQ(Find(dict, u"timothy").strHeadword, u"Timothy");
    EXPECT_EQ(Find(dict, u"timour").strHeadword, u"Timour");
    EXPECT_EQ(Find(dict, u"tim").strHeadword, u"Tim");
}

TEST_F(LookupTest, LineFormatDetails) {
    // CR LF: the carriage return belongs to the content, not the headword.
    EXPECT_EQ(Find(Lines({"cat/a", "dog/b", "eel/c"}, "\r\n"), u"dog").strHeadword, u"dog");
    // Leading "/" are skipped.
    EXPECT_EQ(Find(Lines({"/alpha/1", "//beta/2", "gamma/3"}), u"beta").strHeadword, u"beta");
    // A line without "/" is all headword, its line feed included.
    const LookupResult bare = Find(Lines({"alpha/1", "bare", "gamma/3"}), u"bare");
    EXPECT_NE(bare.strHeadword, u"bare");
}

TEST_F(LookupTest, KoreanHeadwordsInCp949) {
    // 가 나 다 라 in CP949.
    const std::string dict = "\xb0\xa1/ga\n\xb3\xaa/na\n\xb4\xd9/da\n\xb6\xf3/ra\n";
    EXPECT_EQ(Find(dict, u"나").strHeadword, u"나");
    EXPECT_EQ(Find(dict, u"라").strHeadword, u"라");
}

TEST_F(LookupTest, BrokenBytesNeverCrashAndStillEnd) {
    using namespace std::string_literals;
    std::string dict = "a\xff\xfe/1\n\xbb/2\nc\0d/3\n\xff\xff\xff\nzz/4"s;
    dict += std::string(3000, '\xbb');  // an over-long broken last line
    for (const Text word : {u"a", u"c", u"zz", u"\uFFFD", u"", u"가"}) Find(dict, word);
    EXPECT_EQ(Find(dict, u"c").strHeadword, u"c");  // text ends at a NUL byte
}

// The lookup and the gathering take a line's headword without splitting off
// its content: the same headword as the whole split, for every shape of line.
TEST(DictionaryLine, TheHeadwordAloneIsTheSplitsHeadword) {
    for (const std::string_view line :
         {"", "/", "///\n", "\n", "a", "a\n", "a/", "a/b", "a/b\n", "/a/b/c\r\n", "//a//b",
          "a\nb/c\n", "/\n/x", "a b/c\nd/e"}) {
        const DictionaryLine split = SplitDictionaryLine(line);
        EXPECT_EQ(DictionaryHeadword(line), split.headword) << line;
        EXPECT_EQ(split.content.find('\n'), std::string_view::npos) << line;
    }
    EXPECT_EQ(SplitDictionaryLine("//a//b\nc").content, "/b");
    EXPECT_EQ(SplitDictionaryLine("bare\n").headword, "bare\n");
}

TEST(CommonPrefixLength, CountsExactLeadingCodeUnits) {
    EXPECT_EQ(CommonPrefixLength(u"abdez", u"abde"), 4);
    EXPECT_EQ(CommonPrefixLength(u"Abc", u"abc"), 0);
    EXPECT_EQ(CommonPrefixLength(u"", u"abc"), 0);
    EXPECT_EQ(CommonPrefixLength(u"abc", u"abc"), 3);
}

}  // namespace
}  // namespace tavik
