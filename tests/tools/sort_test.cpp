// External sort: bounded memory gives the bytes of an in-memory stable sort,
// and a sorted file finds every headword.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <vector>

#include "dict/recorders.h"
#include "dict/search.h"
#include "test_files.h"
#include "text/compare.h"
#include "tools/dictionary_check.h"
#include "tools/external_sort.h"

namespace tavik {
namespace {

// Headwords that differ in case, share prefixes, hold "-", "'" and space,
// Latin-1 letters and Hangul.
std::string RandomDictionary(std::mt19937& random, int lines) {
    const std::vector<std::string> pieces = {"a", "A",  "b",  "B",  "ab", "é",  "É", "-",
                                             "'", " x", "사", "과", "z",  "Zz", "ö"};
    std::uniform_int_distribution<size_t> piece(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(1, 4);
    std::string text;
    for (int i = 0; i < lines; ++i) {
        std::string headword;
        for (int n = length(random); n > 0; --n) headword += pieces[piece(random)];
        if (headword.front() == ' ') headword.insert(0, "q");
        text += headword + "/line " + std::to_string(i) + "\n";
    }
    text.pop_back();  // the last line without its line feed
    return text;
}

TEST(Sort, BoundedMemoryGivesTheSameBytesAsAStableSortInMemory) {
    testing::TempDir folder;
    std::mt19937 random(7);
    const CodePage utf8 = *CodePage::Named("utf-8");
    const std::string input = RandomDictionary(random, 4000);
    testing::WriteBytes(folder / "in.txt", input);

    SortDictionaryFile(folder / "in.txt", folder / "memory.txt", utf8);
    ExternalSorter sorter(utf8, folder / "disk.txt", 4096);
    {
        std::string line;
        for (char c : input) {
            line.push_back(c);
            if (c == '\n') {
                sorter.Add(line);
                line.clear();
            }
        }
        sorter.Add(line);
    }
    EXPECT_EQ(sorter.Finish(), 4000);
    EXPECT_GT(sorter.SpilledRuns(), 16u) << "the merge should take more than one pass";

    // The model: a stable sort of the lines by the lookup's comparison.
    std::vector<std::string> lines;
    std::stringstream stream(input);
    for (std::string line; std::getline(stream, line);) lines.push_back(line + "\n");
    std::stable_sort(lines.begin(), lines.end(), [&](const auto& a, const auto& b) {
        return CompareOrder(SortKeyOf(a, utf8), SortKeyOf(b, utf8)) < 0;
    });
    std::string expected;
    for (const auto& line : lines) expected += line;

    EXPECT_EQ(testing::ReadBytes(folder / "memory.txt"), expected);
    EXPECT_EQ(testing::ReadBytes(folder / "disk.txt"), expected);
    // No temporary runs or files are left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                            std::filesystem::directory_iterator()),
              3);

    CheckSummary summary = CheckDictionary(folder / "disk.txt", utf8, [](const Problem&) {});
    EXPECT_TRUE(summary.Clean());
}

TEST(Sort, SortedFileFindsEveryHeadword) {
    testing::TempDir folder;
    std::mt19937 random(11);
    const CodePage utf8 = *CodePage::Named("utf-8");
    testing::WriteBytes(folder / "in.txt", RandomDictionary(random, 3000));
    SortDictionaryFile(folder / "in.txt", folder / "out.txt", utf8, 8192);

    // The first line of each headword's run, as the page should show it.
    std::map<Text, std::string,
             decltype([](const Text& a, const Text& b) { return CompareOrder(a, b) < 0; })>
        firstContent;
    std::stringstream stream(testing::ReadBytes(folder / "out.txt"));
    for (std::string line; std::getline(stream, line);) {
        const size_t slash = line.find('/');
        firstContent.emplace(FromUtf8(line.substr(0, slash)), line.substr(slash + 1));
    }
    const Dictionary dictionary{folder / "out.txt", utf8};
    int missed = 0;
    for (const auto& [headword, content] : firstContent) {
        RecordingNeighbourList neighbours;
        RecordingPage page;
        RecordingMessages messages;
        EntryScreen screen{neighbours, page, messages};
        const LookupResult result = LookUpAndShow(headword, dictionary, folder.Path(), screen);
        const bool shown = !result.strHeadword.empty() && messages.Messages().empty() &&
                           page.Page() && ToUtf8(*page.Page()).find(content) != std::string::npos;
        if (!shown && ++missed < 5) ADD_FAILURE() << "not found: " << ToUtf8(headword);
    }
    EXPECT_EQ(missed, 0) << "of " << firstContent.size();
}

TEST(Sort, AByteOrderMarkStaysAtTheStartAndOutOfTheHeadwords) {
    testing::TempDir folder;
    const CodePage utf8 = *CodePage::Named("utf-8");
    testing::WriteBytes(folder / "in.txt", "\xEF\xBB\xBFzebra/z\napple/a\n");
    SortDictionaryFile(folder / "in.txt", folder / "out.txt", utf8);
    EXPECT_EQ(testing::ReadBytes(folder / "out.txt"), "\xEF\xBB\xBF" "apple/a\nzebra/z\n");
}

TEST(Sort, EmptyInputGivesAnEmptyFile) {
    testing::TempDir folder;
    testing::WriteBytes(folder / "in.txt", "");
    EXPECT_EQ(SortDictionaryFile(folder / "in.txt", folder / "out.txt", CodePage::Default()), 0);
    EXPECT_EQ(testing::ReadBytes(folder / "out.txt"), "");
}

}  // namespace
}  // namespace tavik
