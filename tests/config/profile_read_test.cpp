// Reading hand-written profile files: line rules, line kinds, quotes and
// the result codes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <climits>
#include <string>

#include "config/profile.h"
#include "support/temp_dir.h"

namespace tavik {
namespace {

using testing::TempDir;
using testing::WriteBytes;
using namespace std::string_literals;

struct ReadOutcome {
    int code;
    std::string text;
};

class ProfileReadTest : public ::testing::Test {
protected:
    ReadOutcome Read(const std::string& bytes, const char* section, const char* key,
                     int size = kProfileLineBuffer) {
        WriteBytes(m_file, bytes);
        std::string buffer(size_t(size), '\x7f');
        const int code = ProfileReadString(section, key, "dflt", buffer.data(), size, m_file);
        return {code, std::string(buffer.c_str())};
    }

    TempDir m_folder;
    std::filesystem::path m_file = m_folder / "SkinInfo.Cfg";
};

TEST_F(ProfileReadTest, MissingFileGivesDefaultAndZero) {
    char buffer[kProfileLineBuffer];
    EXPECT_EQ(ProfileReadString("Control", "SearchEdit", "0,0,0,0", buffer, sizeof buffer,
                                m_folder / "none.cfg"),
              0);
    EXPECT_STREQ(buffer, "0,0,0,0");
    EXPECT_EQ(ProfileReadString("S", "K", "default", buffer, 4, m_folder.Path()), 0);
    EXPECT_STREQ(buffer, "def");
}

TEST_F(ProfileReadTest, CrLfValueKeepsItsCarriageReturnUnlessQuoted) {
    const std::string file = "[Content]\r\nWord=#ff0000\r\nText=\"#00ff00\"\r\n";
    EXPECT_EQ(Read(file, "Content", "Word").text, "#ff0000\r");
    EXPECT_EQ(Read(file, "Content", "Word").code, 8);
    EXPECT_EQ(Read(file, "Content", "Text").text, "#00ff00");
}

TEST_F(ProfileReadTest, QuotesAreStrippedOnlyWhenTheSameQuoteCloses) {
    const std::string file =
        "[S]\n"
        "double=\"abc\"\n"
        "single='abc'\n"
        "unclosed=\"abc\n"
        "mixed='abc\"\n"
        "inner=\"a\"b\"\n"
        "comment=\"abc\" ; note\n"
        "backspaced=\b\b'abc'\n"
        "plain=  abc  \n"
        "empty=\n";
    EXPECT_EQ(Read(file, "S", "double").text, "abc");
    EXPECT_EQ(Read(file, "S", "single").text, "abc");
    EXPECT_EQ(Read(file, "S", "unclosed").text, "\"abc");
    EXPECT_EQ(Read(file, "S", "mixed").text, "'abc\"");
    EXPECT_EQ(Read(file, "S", "inner").text, "a\"b");
    EXPECT_EQ(Read(file, "S", "comment").text, "abc");
    EXPECT_EQ(Read(file, "S", "backspaced").text, "abc");
    EXPECT_EQ(Read(file, "S", "plain").text, "  abc  ");
    // Only 0x08 bytes may stand before the opening quote: a space or a tab
    // leaves the value as written.
    EXPECT_EQ(Read("[S]\nK= 'abc'\n", "S", "K").text, " 'abc'");
    EXPECT_EQ(Read("[S]\nK=\t\"abc\"\n", "S", "K").text, "\t\"abc\"");
    EXPECT_EQ(Read("[S]\nK=\b \"abc\"\n", "S", "K").text, "\b \"abc\"");
    const ReadOutcome empty = Read(file, "S", "empty");
    EXPECT_EQ(empty.code, 0);
    EXPECT_EQ(empty.text, "");
}

TEST_F(ProfileReadTest, NamesMatchExactlyAndCaseSensitively) {
    EXPECT_EQ(Read("[control]\nSearchEdit=1\n", "Control", "SearchEdit").code, -1);
    EXPECT_EQ(Read("[ Control ]\nSearchEdit=1\n", "Control", "SearchEdit").code, -1);
    EXPECT_EQ(Read("[Control]\nSearchEdit =1\n", "Control", "SearchEdit").code, -1);
    EXPECT_EQ(Read("[Control]\nsearchedit=1\n", "Control", "SearchEdit").code, -1);
    EXPECT_EQ(Read("[Control]\n;SearchEdit=1\n", "Control", ";SearchEdit").code, -1);
    EXPECT_EQ(Read("[Control] ; main view\n\b[x\nSearchEdit=1\n", "Control", "SearchEdit").text,
              "1");
    EXPECT_EQ(Read("\b\b[Control]\nSearchEdit=a=b\n", "Control", "SearchEdit").text, "a=b");
    // Only 0x08 bytes may stand before a header's "[": a line that starts
    // with a space or a tab is no header, neither to find a section nor to
    // end one.
    const std::string indented =
        " [Control]\nSearchEdit=space\n\t[Control]\nSearchEdit=tab\n\b [Control]\n"
        "SearchEdit=both\n[Control]\n \t[Next]\nSearchEdit=plain\n";
    EXPECT_EQ(Read(indented, "Control", "SearchEdit").text, "plain");
    // A comment's ";" is the very first byte: after a space or a 0x08 it is
    // part of a key's name.
    EXPECT_EQ(Read("[S]\n;K=1\n", "S", ";K").code, -1);
    EXPECT_EQ(Read("[S]\n ;K=1\n", "S", " ;K").text, "1");
    EXPECT_EQ(Read("[S]\n\b;K=1\n", "S", "\b;K").text, "1");
    EXPECT_EQ(Read("[S]\n\t;K=1\n", "S", "\t;K").text, "1");
    const ReadOutcome missing = Read("[Control]\nSearchEdit=1\n", "Control", "SearchList");
    EXPECT_EQ(missing.code, -1);
    EXPECT_EQ(missing.text, "dflt");
}

TEST_F(ProfileReadTest, OnlyTheFirstSectionIsSearchedUpToTheNextHeader) {
    const std::string file =
        "Word=before\n"
        "[Content]\n"
        "\n"
        "Text=1\n"
        "Text=2\n"
        "[Other]\n"
        "Word=other\n"
        "\n"
        "[Content]\n"
        "Word=second\n"
        "[Last]\n"
        "Key=found\n";
    EXPECT_EQ(Read(file, "Content", "Word").code, -1);
    EXPECT_EQ(Read(file, "Content", "Text").text, "1");
    EXPECT_EQ(Read(file, "Last", "Key").text, "found");
    EXPECT_EQ(Read("[A]\n[B]=1\nB=2\n", "A", "[B]").code, -1);
}

TEST_F(ProfileReadTest, LineEndsAndEndMarks) {
    EXPECT_EQ(Read("[S]\nK=last", "S", "K").text, "last");
    EXPECT_EQ(Read("[S]\nK=ab\0cd\nL=2\n"s, "S", "K").text, "ab");
    EXPECT_EQ(Read("[S]\nK=ab\0cd\nL=2\n"s, "S", "L").text, "2");
    EXPECT_EQ(Read("[S]\nK=1\n\xff\nL=2\n", "S", "K").text, "1");
    EXPECT_EQ(Read("[S]\nK=1\n\xff\nL=2\n", "S", "L").code, -1);
    EXPECT_EQ(Read("[S]\nK=1\xffL=2\n", "S", "K").text, "1");
}

TEST_F(ProfileReadTest, LongLinesAreReadInPiecesOf255Bytes) {
    const std::string longValue(300, 'v');
    const std::string file = "[S]\nK=" + longValue + "\nL=1\n";
    const ReadOutcome cut = Read(file, "S", "K");
    EXPECT_EQ(cut.code, 253);
    EXPECT_EQ(cut.text, std::string(253, 'v'));
    // The rest of a long line is a line of its own, so it can hold a key.
    EXPECT_EQ(Read("[S]\n;" + std::string(254, 'x') + "M=hidden\n", "S", "M").text, "hidden");
    // A line of exactly 255 bytes leaves an empty line behind it.
    EXPECT_EQ(Read("[S]\nK=" + std::string(253, 'v') + "\nL=1\n", "S", "L").text, "1");
}

TEST_F(ProfileReadTest, HugeFilesAreReadOnlyUpToTheLimit) {
    const std::string line = "; " + std::string(97, '-') + "\n";  // 100 bytes
    std::string filler;
    while (filler.size() < size_t(kProfileReadLimit)) filler += line;
    const std::string file = "[S]\nK=first\n" + filler + "[T]\nL=late\n";
    EXPECT_EQ(Read(file, "S", "K").text, "first");
    const ReadOutcome late = Read(file, "T", "L");
    EXPECT_EQ(late.code, -1);
    EXPECT_EQ(late.text, "dflt");
    // The limit is exact: a line that ends at it is still read whole, and a
    // line it cuts ends there, as if the file did.
    const std::string head = "[S]\n";
    const std::string dashes(size_t(kProfileReadLimit) - head.size() - 7, '-');
    const std::string fits = head + dashes + "\nK=abc\n";
    ASSERT_EQ(fits.size(), size_t(kProfileReadLimit));
    EXPECT_EQ(Read(fits + "L=1\n", "S", "K").text, "abc");
    EXPECT_EQ(Read(fits + "L=1\n", "S", "L").code, -1);
    EXPECT_EQ(Read(head + dashes + "\nK=abcdef\n", "S", "K").text, "abcd");
}

TEST_F(ProfileReadTest, ValueIsCutToTheBuffer) {
    const ReadOutcome cut = Read("[S]\nK=abcdefghijklmnopqrst\n", "S", "K", 8);
    EXPECT_EQ(cut.code, 7);
    EXPECT_EQ(cut.text, "abcdefg");
    const ReadOutcome defaultCut = Read("[S]\n", "S", "K", 3);
    EXPECT_EQ(defaultCut.code, -1);
    EXPECT_EQ(defaultCut.text, "df");
}

TEST_F(ProfileReadTest, IntegersReadLikeTheDecimalConversion) {
    WriteBytes(m_file, "[S]\r\na=12abc\r\nb=  -7\r\nc=abc\r\nd=99999999999\r\ne=+3\r\n");
    EXPECT_EQ(ProfileReadInt("S", "missing", -5, m_file), -5);
    EXPECT_EQ(ProfileReadInt("S", "a", 1, m_file), 12);
    EXPECT_EQ(ProfileReadInt("S", "b", 1, m_file), -7);
    EXPECT_EQ(ProfileReadInt("S", "c", 1, m_file), 0);
    EXPECT_EQ(ProfileReadInt("S", "d", 1, m_file), INT_MAX);
    EXPECT_EQ(ProfileReadInt("S", "e", 1, m_file), 3);
    EXPECT_EQ(ProfileReadInt("S", "missing", INT_MIN, m_file), INT_MIN);
    EXPECT_EQ(ProfileReadInt("S", "missing", 0, m_folder / "none"), 0);
}

TEST_F(ProfileReadTest, ALinkAnotherUserOwnsReadsAsNoFile) {
    if (::geteuid() != 0) GTEST_SKIP() << "giving a link away takes root";
    WriteBytes(m_folder / "elsewhere.cfg", "[Control]\nSearchEdit=1,2,3,4\n");
    std::filesystem::create_symlink("elsewhere.cfg", m_file);
    char buffer[kProfileLineBuffer];
    EXPECT_EQ(ProfileReadString("Control", "SearchEdit", "dflt", buffer, sizeof buffer, m_file), 7);
    ASSERT_EQ(::lchown(m_file.c_str(), 65534, 65534), 0);  // tests run as root
    EXPECT_EQ(ProfileReadString("Control", "SearchEdit", "dflt", buffer, sizeof buffer, m_file), 0);
    EXPECT_STREQ(buffer, "dflt");
}

// Values read together, the file opened once, are what reads of their own
// give: keys in any order, before and after each other, missing, cut short.
TEST_F(ProfileReadTest, SeveralValuesAtOnceMatchReadsOfTheirOwn) {
    const std::string file = "[Other]\nText=no\n[Content]\r\nText='#333333'\r\nWord=navy\r\n";
    for (const std::filesystem::path& path : {m_file, m_folder / "none.cfg"}) {
        WriteBytes(m_file, file);
        std::array<std::array<char, kProfileLineBuffer>, 4> together{};
        const std::array<ProfileRead, 4> reads{{
            {"Word", "w", together[0].data(), kProfileLineBuffer},
            {"Text", "t", together[1].data(), kProfileLineBuffer},
            {"Speak", "s", together[2].data(), kProfileLineBuffer},
            {"Word", "w", together[3].data(), 4},
        }};
        ProfileReadStrings("Content", reads, path);
        for (size_t i = 0; i < reads.size(); ++i) {
            std::array<char, kProfileLineBuffer> alone{};
            ProfileReadString("Content", reads[i].key, reads[i].defaultValue, alone.data(),
                              reads[i].size, path);
            EXPECT_STREQ(together[i].data(), alone.data()) << i << " " << path;
        }
    }
}

}  // namespace
}  // namespace tavik
