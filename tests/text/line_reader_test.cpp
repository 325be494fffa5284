// Reading lines: pieces for the word files, whole lines up to a limit for
// dictionaries, and cutting between characters.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "text/character_cut.h"
#include "text/file.h"

namespace tavik {
namespace {

struct Read {
    std::string text;
    int64_t start;
    int64_t length;
    bool cut;
    bool operator==(const Read&) const = default;
};

std::vector<Read> ReadAll(const std::string& bytes, size_t limit, size_t readSize, LongLines mode) {
    testing::TempDir dir;
    const auto file = OpenRegularFileForReading(dir.Write("f.txt", bytes));
    LineReader reader(*file, limit, readSize, mode);
    std::vector<Read> lines;
    for (std::string_view line; reader.ReadLine(line);)
        lines.push_back(
            {std::string(line), reader.LineStart(), reader.LineLength(), reader.LineCut()});
    return lines;
}

TEST(LineReader, LongLinesArriveInPiecesOrWholeUpToTheLimit) {
    const std::string bytes = "ab\n" + std::string(9, 'x') + "\nc";
    // In pieces: every `limit` bytes a line of its own.
    EXPECT_EQ(ReadAll(bytes, 4, 4, LongLines::kInPieces), (std::vector<Read>{{"ab\n", 0, 3, false},
                                                                             {"xxxx", 3, 4, false},
                                                                             {"xxxx", 7, 4, false},
                                                                             {"x\n", 11, 2, false},
                                                                             {"c", 13, 1, false}}));
    // Whole: a line within the limit whole, a longer one cut and skipped.
    for (size_t readSize : {size_t(2), size_t(5), LineReader::kCapacity}) {
        EXPECT_EQ(ReadAll(bytes, 10, readSize, LongLines::kWhole),
                  (std::vector<Read>{{"ab\n", 0, 3, false},
                                     {std::string(9, 'x') + "\n", 3, 10, false},
                                     {"c", 13, 1, false}}));
        EXPECT_EQ(
            ReadAll(bytes, 9, readSize, LongLines::kWhole),
            (std::vector<Read>{
                {"ab\n", 0, 3, false}, {std::string(9, 'x'), 3, 10, true}, {"c", 13, 1, false}}));
    }
}

TEST(LineReader, WholeLinesBeyondTheFixedBufferAndTheByteOrderMark) {
    const std::string big(100'000, 'y');
    const std::string bytes =
        "\xEF\xBB\xBF"
        "a/1\n" +
        big + "\n" + big + big + big + "\n" + std::string("z\0z\n", 4);
    const auto lines =
        ReadAll(std::string(bytes.data(), bytes.size()), 200'000, 2048, LongLines::kWhole);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].text, "a/1\n");  // the mark is not part of the line
    EXPECT_EQ(lines[0].length, 7);
    EXPECT_EQ(lines[1].text, big + "\n");
    EXPECT_EQ(lines[2].text.size(), 200'000u);
    EXPECT_TRUE(lines[2].cut);
    EXPECT_EQ(lines[2].length, 300'001);
    EXPECT_EQ(lines[3].text, "z");  // the text stops at a NUL byte
    EXPECT_EQ(lines[3].length, 4);
    // In pieces, a mark is text like any other.
    EXPECT_EQ(ReadAll("\xEF\xBB\xBFx\n", 100, 100, LongLines::kInPieces)[0].text,
              "\xEF\xBB\xBFx\n");
}

TEST(LineReader, FindsThePreviousLineStartBackwards) {
    testing::TempDir dir;
    const std::string long_(200'000, 'q');
    const auto file = OpenRegularFileForReading(dir.Write("f.txt", "a\nbb\n" + long_ + "\nc\n"));
    BackwardLineFinder finder(*file);
    std::string_view line;
    const int64_t c = 5 + 200'001;
    EXPECT_EQ(finder.PreviousLineStart(c, line), 5);
    EXPECT_TRUE(line.empty());  // too long for one block: read it forward
    EXPECT_EQ(finder.PreviousLineStart(5, line), 2);
    EXPECT_EQ(line, "bb\n");
    EXPECT_EQ(finder.PreviousLineStart(2, line), 0);
    EXPECT_EQ(line, "a\n");
}

// A line longer than the first small block read is still given whole, from
// a larger one; going on backwards uses what is held.
TEST(LineReader, FindsAMiddlingLineBackwardsWhole) {
    testing::TempDir dir;
    const std::string middling = std::string(20'000, 'm') + "\n";
    const std::string bytes = "a\n" + middling + "short\n" + middling + "end\n";
    const auto file = OpenRegularFileForReading(dir.Write("f.txt", bytes));
    BackwardLineFinder finder(*file);
    std::string_view line;
    const int64_t end = int64_t(bytes.size() - 4);
    const int64_t second = end - int64_t(middling.size());
    EXPECT_EQ(finder.PreviousLineStart(end, line), second);
    EXPECT_EQ(line, middling);
    EXPECT_EQ(finder.PreviousLineStart(second, line), second - 6);
    EXPECT_EQ(line, "short\n");
    EXPECT_EQ(finder.PreviousLineStart(second - 6, line), 2);
    EXPECT_EQ(line, middling);
    EXPECT_EQ(finder.PreviousLineStart(2, line), 0);
    EXPECT_EQ(line, "a\n");
}

TEST(CharacterCut, NeverSplitsACharacter) {
    const CodePage utf8 = *CodePage::Named("UTF-8");
    const CodePage cp949 = CodePage::Default();
    EXPECT_EQ(CutAtCharacter("ab\xEC\x82\xAC", 4, utf8), "ab");
    EXPECT_EQ(CutAtCharacter("ab\xEC\x82\xAC", 5, utf8), "ab\xEC\x82\xAC");
    EXPECT_EQ(CutAtCharacter("\xF0\x9F\x98\x80z", 3, utf8), "");
    // In CP949 a trail byte may look like a lead byte: only a pass from the
    // start tells them apart.
    EXPECT_EQ(CompleteCharactersLength("\xbb\xe7\xb0\xfa\xb0", cp949), 4u);
    EXPECT_EQ(CompleteCharactersLength("a\xbb\xe7\xb0", cp949), 3u);
    EXPECT_EQ(CutAtCharacter("a\xbb\xe7\xb0\xfa", 4, cp949), "a\xbb\xe7");
    EXPECT_EQ(CutAtCharacter("\xff\xbb\xe7", 2, cp949), "\xff");  // invalid bytes stay
}

}  // namespace
}  // namespace tavik
