// Dictionary check: each kind of fault found on its own line.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "test_files.h"
#include "tools/dictionary_check.h"
#include "tools/tool_error.h"

namespace tavik {
namespace {

const std::filesystem::path kData = TAVIK_TOOLS_TEST_DATA;

std::vector<std::pair<int64_t, Fault>> Faults(const std::filesystem::path& file,
                                              const CodePage& codePage, CheckSummary* summary) {
    std::vector<std::pair<int64_t, Fault>> found;
    *summary = CheckDictionary(file, codePage,
                               [&](const Problem& p) { found.emplace_back(p.line, p.fault); });
    return found;
}

TEST(Check, FindsEveryKindOfFaultWithItsLine) {
    const auto file = kData / "check-faults" / "faults.txt";
    CheckSummary summary;
    const auto found = Faults(file, CodePage::Default(), &summary);
    const std::vector<std::pair<int64_t, Fault>> expected = {
        {1, Fault::kEmptyHeadword},
        {4, Fault::kOutOfOrder},
        {6, Fault::kUndecodable},
        {7, Fault::kNoSlash},
        {8, Fault::kSpaceAroundHeadword},
        // The search sees "ho" only, without its "/".
        {9, Fault::kNulByte},
        {9, Fault::kNoSlash},
        {10, Fault::kNoFinalLineFeed},
    };
    EXPECT_EQ(found, expected) << file;
    EXPECT_EQ(summary.lines, 10);
    EXPECT_EQ(summary.Total(), 8);
    // Line 5, 1106 bytes, is read whole now: only a note for older readers.
    EXPECT_EQ(summary.longForOldReaders, 1);
    EXPECT_EQ(summary.firstLongForOldReaders, 5);
    EXPECT_FALSE(summary.Clean());
}

TEST(Check, CleanFileWithCaseRunsCarriageReturnsAndKorean) {
    const auto file = kData / "check-clean" / "clean.txt";
    CheckSummary summary;
    const auto found = Faults(file, CodePage::Default(), &summary);
    EXPECT_TRUE(found.empty()) << file << ": first at line " << found.front().first;
    EXPECT_EQ(summary.lines, 8);
    EXPECT_TRUE(summary.Clean());
}

TEST(Check, OrderIsTheLookupsOrderNotBytes) {
    testing::TempDir folder;
    CheckSummary summary;
    // Bytes would put "Zebra" before "apple" and "a-b" after "a b"; the
    // lookup lower-cases and compares UTF-16 units, where "/" ends the word.
    testing::WriteBytes(folder / "a.txt", "a b/1\na-b/2\napple/3\nZebra/4\n");
    EXPECT_TRUE(Faults(folder / "a.txt", CodePage::Default(), &summary).empty());
    testing::WriteBytes(folder / "b.txt", "apple/1\nApple/2\nApp/3\n");
    const auto found = Faults(folder / "b.txt", CodePage::Default(), &summary);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0], std::make_pair(int64_t(3), Fault::kOutOfOrder));
}

// Older versions lower-cased fewer scripts: a file they sorted is out of
// order now, and check says so and how to mend it.
TEST(Check, FilesSortedByTheOlderFoldingAreToldToSortAgain) {
    testing::TempDir folder;
    testing::WriteBytes(folder / "old.txt", "b/x\na/y\n\xE2\x85\xA1/two\n\xE2\x85\xB0/one\n");
    std::vector<Problem> problems;
    CheckDictionary(folder / "old.txt", *CodePage::Named("utf-8"),
                    [&](const Problem& p) { problems.push_back(p); });
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0].line, 2);
    EXPECT_EQ(problems[0].message, "headword 'a' sorts before 'b' of line 1");
    EXPECT_EQ(problems[1].line, 4);
    EXPECT_EQ(problems[1].fault, Fault::kOutOfOrder);
    EXPECT_NE(problems[1].message.find("sorted by an older Tavik"), std::string::npos)
        << problems[1].message;
    EXPECT_NE(problems[1].message.find("tavik-dict sort"), std::string::npos);
}

TEST(Check, Utf8ReplacementCharacterIsNotAFaultButBrokenUtf8Is) {
    testing::TempDir folder;
    testing::WriteBytes(folder / "u.txt", "a/\xEF\xBF\xBD ok\nb/\xC3 broken\n");
    CheckSummary summary;
    const auto found = Faults(folder / "u.txt", *CodePage::Named("utf-8"), &summary);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0], std::make_pair(int64_t(2), Fault::kUndecodable));
}

TEST(Check, EmptyFileIsCleanAndMissingFileThrows) {
    testing::TempDir folder;
    testing::WriteBytes(folder / "empty.txt", "");
    CheckSummary summary;
    EXPECT_TRUE(Faults(folder / "empty.txt", CodePage::Default(), &summary).empty());
    EXPECT_EQ(summary.lines, 0);
    EXPECT_THROW(Faults(folder / "missing.txt", CodePage::Default(), &summary), ToolError);
    EXPECT_THROW(Faults(folder.Path(), CodePage::Default(), &summary), ToolError);
}

// The two line limits: 1022 bytes (with the line feed) is what older readers
// take whole, 1 MiB what is read at all.
TEST(Check, LineLimitsNoteOldReadersAndRefuseOverlongLines) {
    testing::TempDir folder;
    auto line = [](const std::string& head, size_t length) {
        return head + "/" + std::string(length - head.size() - 2, 'x') + "\n";
    };
    testing::WriteBytes(folder / "edge.txt", line("a", 1022) + line("b", 1023) + line("c", 1022));
    CheckSummary summary;
    EXPECT_TRUE(Faults(folder / "edge.txt", CodePage::Default(), &summary).empty());
    EXPECT_EQ(summary.longForOldReaders, 1);
    EXPECT_EQ(summary.firstLongForOldReaders, 2);

    const size_t mib = size_t(1) << 20;
    testing::WriteBytes(folder / "mib.txt", line("a", mib) + line("b", mib + 1) + line("c", 9));
    const auto found = Faults(folder / "mib.txt", CodePage::Default(), &summary);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0], std::make_pair(int64_t(2), Fault::kTooLong));
    EXPECT_EQ(summary.lines, 3);
    EXPECT_EQ(summary.longForOldReaders, 1);  // the line of exactly 1 MiB
}

TEST(Check, AHugeLineWithoutLineFeedIsOneLineReadInBoundedMemory) {
    testing::TempDir folder;
    // 10 MB without a line feed; a long UTF-8 line is cut between characters,
    // so the cut is not taken for bytes outside the code page.
    std::string bytes = "big/";
    while (bytes.size() < 10'000'000) bytes += "\xEC\x82\xAC";
    testing::WriteBytes(folder / "huge.txt", bytes);
    std::vector<Problem> problems;
    const CheckSummary summary = CheckDictionary(folder / "huge.txt", *CodePage::Named("utf-8"),
                                                 [&](const Problem& p) { problems.push_back(p); });
    EXPECT_EQ(summary.lines, 1);
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0].fault, Fault::kTooLong);
    EXPECT_EQ(problems[0].message.substr(0, 17), "10000000 bytes, m") << problems[0].message;
    EXPECT_EQ(problems[1].fault, Fault::kNoFinalLineFeed);
}

TEST(Check, AByteOrderMarkIsNotPartOfTheFirstHeadword) {
    testing::TempDir folder;
    testing::WriteBytes(folder / "bom.txt",
                        "\xEF\xBB\xBF"
                        "apple/1\nbanana/2\n");
    CheckSummary summary;
    EXPECT_TRUE(Faults(folder / "bom.txt", *CodePage::Named("utf-8"), &summary).empty());
    // Without the mark being dropped, U+FEFF would sort after "banana".
    testing::WriteBytes(folder / "bom2.txt",
                        "\xEF\xBB\xBF"
                        "zebra/1\nbanana/2\n");
    const auto found = Faults(folder / "bom2.txt", *CodePage::Named("utf-8"), &summary);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0], std::make_pair(int64_t(2), Fault::kOutOfOrder));
}

}  // namespace
}  // namespace tavik
