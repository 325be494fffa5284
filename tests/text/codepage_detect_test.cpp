// Finding a dictionary file's code page from samples of its bytes.
#include "text/codepage_detect.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "support/temp_dir.h"

namespace tavik {
namespace {

using testing::TempDir;

constexpr std::string_view kKoreanUtf8 = "사과/apple\n";               // 3-byte sequences
constexpr std::string_view kKoreanCp949 = "\xBB\xE7\xB0\xFA/apple\n";  // 사과

// Lines of ASCII until `size` bytes, with `middle` placed so that it
// straddles the middle sample's start and `tail` so that it straddles the end
// sample's start.
std::string LargeFile(size_t size, std::string_view middle, std::string_view tail) {
    std::string bytes;
    while (bytes.size() < size) bytes += "word/plain ascii text\n";
    bytes.resize(size);
    const size_t middleStart = size / 2 - kEncodingSampleSize / 2;
    const size_t endStart = size - kEncodingSampleSize;
    bytes.replace(middleStart - 1, middle.size(), middle);
    bytes.replace(endStart - 2, tail.size(), tail);
    return bytes;
}

TEST(EncodingSample, UnderstandsSequencesCutAtTheEdgesOnlyWhereTheSampleIsCut) {
    const std::string korean(kKoreanUtf8);
    EXPECT_EQ(JudgeEncodingSample(korean, false, false), EncodingFinding::kUtf8);
    EXPECT_EQ(JudgeEncodingSample("plain ascii/only\n", true, true), EncodingFinding::kNothing);
    EXPECT_EQ(JudgeEncodingSample("", false, false), EncodingFinding::kNothing);
    EXPECT_EQ(JudgeEncodingSample(kKoreanCp949, true, true), EncodingFinding::kNotUtf8);

    // "사" is EC 82 AC: the sample begins after its first byte, or ends after
    // its second.
    const std::string cutFront = korean.substr(1);
    const std::string cutBack = korean.substr(0, 5);  // 사 and the first two bytes of 과
    EXPECT_EQ(JudgeEncodingSample(cutFront, true, false), EncodingFinding::kUtf8);
    EXPECT_EQ(JudgeEncodingSample(cutBack, false, true), EncodingFinding::kUtf8);
    // At the file's real start or end the same bytes are broken UTF-8.
    EXPECT_EQ(JudgeEncodingSample(cutFront, false, false), EncodingFinding::kNotUtf8);
    EXPECT_EQ(JudgeEncodingSample(cutBack, false, false), EncodingFinding::kNotUtf8);
    // More than a sequence's worth of continuation bytes is no cut sequence.
    EXPECT_EQ(JudgeEncodingSample("\x80\x80\x80\x80"
                                  "abc",
                                  true, true),
              EncodingFinding::kNotUtf8);

    // Overlong forms, surrogates and bytes UTF-8 never uses.
    for (std::string_view bad :
         {"\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xFF", "a\xC2z"})
        EXPECT_EQ(JudgeEncodingSample(bad, false, false), EncodingFinding::kNotUtf8) << bad;
    EXPECT_EQ(JudgeEncodingSample("caf\xC3\xA9 \xF0\x9F\x98\x80", false, false),
              EncodingFinding::kUtf8);
}

TEST(FileEncoding, SmallFilesAndByteOrderMarks) {
    TempDir dir;
    EXPECT_EQ(DetectFileEncoding(dir.Write("utf8.txt", kKoreanUtf8)), EncodingFinding::kUtf8);
    EXPECT_EQ(DetectFileEncoding(dir.Write("cp949.txt", kKoreanCp949)), EncodingFinding::kNotUtf8);
    EXPECT_EQ(DetectFileEncoding(dir.Write("ascii.txt", "apple/an apple\n")),
              EncodingFinding::kNothing);
    EXPECT_EQ(DetectFileEncoding(dir.Write("bom.txt",
                                           "\xEF\xBB\xBF"
                                           "apple/an apple\n")),
              EncodingFinding::kUtf8);
    EXPECT_EQ(DetectFileEncoding(dir.Write("bom-only.txt", "\xEF\xBB\xBF")),
              EncodingFinding::kUtf8);
    EXPECT_EQ(DetectFileEncoding(dir.Write("empty.txt", "")), EncodingFinding::kNothing);
    // A file cut inside its last character is not UTF-8.
    EXPECT_EQ(DetectFileEncoding(dir.Write("cut.txt", std::string(kKoreanUtf8) + "\xEC\x82")),
              EncodingFinding::kNotUtf8);
    // Unreadable: nothing to go on.
    EXPECT_EQ(DetectFileEncoding(dir / "missing.txt"), EncodingFinding::kNothing);
    EXPECT_EQ(DetectFileEncoding(dir.Path()), EncodingFinding::kNothing);
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    EXPECT_EQ(DetectFileEncoding(dir / "fifo"), EncodingFinding::kNothing);
}

TEST(FileEncoding, LargeFilesAreJudgedOnSamplesCutInsideCharacters) {
    TempDir dir;
    const size_t size = 200 * 1024;
    // Korean only where the samples begin, cut through its characters.
    const std::string utf8 = LargeFile(size, "사과배", "포도감");
    EXPECT_EQ(DetectFileEncoding(dir.Write("utf8.txt", utf8)), EncodingFinding::kUtf8);
    EXPECT_EQ(
        DetectFileEncoding(dir.Write("cp949.txt", LargeFile(size, kKoreanCp949, kKoreanCp949))),
        EncodingFinding::kNotUtf8);
    EXPECT_EQ(DetectFileEncoding(dir.Write("ascii.txt", LargeFile(size, "abc", "def"))),
              EncodingFinding::kNothing);
    // CP949 text seen in the end sample only.
    std::string lateKorean = LargeFile(size, "abc", "def");
    lateKorean.replace(size - 100, kKoreanCp949.size(), kKoreanCp949);
    EXPECT_EQ(DetectFileEncoding(dir.Write("late.txt", lateKorean)), EncodingFinding::kNotUtf8);
    // Text between the samples is never read: the reads stay bounded.
    std::string unseen = LargeFile(size, "abc", "def");
    unseen.replace(size / 4, kKoreanCp949.size(), kKoreanCp949);
    EXPECT_EQ(DetectFileEncoding(dir.Write("unseen.txt", unseen)), EncodingFinding::kNothing);
}

TEST(FileEncoding, FindingsNameTheirCodePage) {
    const CodePage cp949 = CodePage::Default();
    const CodePage utf8 = *CodePage::Named("UTF-8");
    const CodePage eucKr = *CodePage::Named("EUC-KR");
    EXPECT_EQ(CodePageForFinding(EncodingFinding::kUtf8, cp949).Name(), "UTF-8");
    EXPECT_EQ(CodePageForFinding(EncodingFinding::kNotUtf8, eucKr).Name(), "EUC-KR");
    EXPECT_EQ(CodePageForFinding(EncodingFinding::kNothing, eucKr).Name(), "EUC-KR");
    // A fallback of UTF-8 cannot read what is not UTF-8.
    EXPECT_EQ(CodePageForFinding(EncodingFinding::kNotUtf8, utf8).Name(), "CP949");
    EXPECT_EQ(CodePageForFinding(EncodingFinding::kNothing, utf8).Name(), "UTF-8");
    for (EncodingFinding finding :
         {EncodingFinding::kUtf8, EncodingFinding::kNotUtf8, EncodingFinding::kNothing})
        EXPECT_EQ(EncodingFindingNamed(EncodingFindingName(finding)), finding);
    EXPECT_FALSE(EncodingFindingNamed("garbage"));
}

}  // namespace
}  // namespace tavik
