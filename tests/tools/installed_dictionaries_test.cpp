// Installed dictionaries: dictd and StarDict folders made by the test,
// titles, sizes and formats; safe file names from titles; progress that
// reaches the end, and cancellation at any point leaving nothing behind.
#include "tools/installed_dictionaries.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "test_files.h"
#include "tools/import_job.h"

namespace tavik {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

using testing::WriteDictd;

void WriteStarDict(const fs::path& base, const std::string& bookname) {
    testing::WriteBytes(base.string() + ".ifo",
                        "StarDict's dict ifo file\nversion=2.4.2\nwordcount=1\nbookname=" +
                            bookname + "\nsametypesequence=m\n");
    testing::WriteBytes(base.string() + ".idx",
                        "사과\0"s + testing::BigEndian32(0) + testing::BigEndian32(5));
    testing::WriteBytes(base.string() + ".dict", "apple");
}

TEST(InstalledDictionaries, DictdAndStarDictFoldersWithTitlesFormatsAndSizes) {
    testing::TempDir folder;
    WriteDictd(folder / "dictd" / "gcide", "The Collaborative International Dictionary");
    WriteDictd(folder / "dictd" / "untitled", "");
    testing::WriteBytes(folder / "dictd" / "orphan.index", "a\tA\tB\n");  // no data file
    WriteStarDict(folder / "stardict" / "korean" / "ko", "  Korean   Basic ");
    WriteStarDict(folder / "home" / "deep" / "er" / "en", "English");
    testing::WriteBytes(folder / "stardict" / "broken.ifo", "not an ifo\n");
    testing::WriteBytes(folder / "stardict" / "broken.idx", "");
    testing::WriteBytes(folder / "stardict" / "broken.dict", "");

    const auto found = FindInstalledDictionaries(
        {{folder / "dictd", folder / "missing"}, {folder / "stardict", folder / "home"}});
    ASSERT_EQ(found.size(), 4u);
    EXPECT_EQ(found[0].title, "English");
    EXPECT_EQ(found[0].format, DictionaryFormat::kStarDict);
    EXPECT_EQ(found[1].title, "Korean Basic");
    EXPECT_EQ(found[1].path, folder / "stardict" / "korean" / "ko.ifo");
    EXPECT_EQ(found[1].size, fs::file_size(folder / "stardict" / "korean" / "ko.ifo") + 15 + 5);
    EXPECT_EQ(found[2].title, "The Collaborative International Dictionary");
    EXPECT_EQ(found[2].format, DictionaryFormat::kDictd);
    EXPECT_EQ(found[2].size, fs::file_size(folder / "dictd" / "gcide.index") +
                                 fs::file_size(folder / "dictd" / "gcide.dict"));
    EXPECT_EQ(found[3].title, "untitled");  // the file's name stands in

    // The usual places, with XDG_DATA_HOME honoured.
    ::setenv("XDG_DATA_HOME", "/data/home", 1);
    const DictionaryFolders usual = InstalledDictionaryFolders();
    EXPECT_EQ(usual.dictd, std::vector<fs::path>{"/usr/share/dictd"});
    ASSERT_GE(usual.starDict.size(), 2u);
    EXPECT_EQ(usual.starDict[0], "/usr/share/stardict/dic");
    EXPECT_EQ(usual.starDict[1], "/data/home/stardict/dic");
    ::unsetenv("XDG_DATA_HOME");
}

TEST(InstalledDictionaries, SafeFileNamesFromTitles) {
    EXPECT_EQ(SafeFileName("WordNet (r) 3.0 (2006)"), "WordNet (r) 3.0 (2006)");
    EXPECT_EQ(SafeFileName("AC/DC\\lyrics"), "AC DC lyrics");
    EXPECT_EQ(SafeFileName("..hidden"), "hidden");
    EXPECT_EQ(SafeFileName(" \t\nline\nbreaks\x01 "), "line breaks");
    EXPECT_EQ(SafeFileName("///"), "dictionary");
    EXPECT_EQ(SafeFileName(""), "dictionary");
    EXPECT_EQ(SafeFileName("한국어 사전"), "한국어 사전");
    const std::string longName =
        SafeFileName(std::string(50, 'x') + std::string(30, 'y') + "사전사전사전사전사전");
    EXPECT_LE(longName.size(), 100u);
    EXPECT_EQ(FromUtf8(longName).find(u'\uFFFD'), Text::npos) << "cut inside a character";
    EXPECT_EQ(SafeFileName("bad \xFF byte").find('\xFF'), std::string::npos);
}

class ImportJob : public ::testing::Test {
protected:
    ImportRequest Request(const std::string& output) {
        ImportRequest request;
        request.format = DictionaryFormat::kDictd;
        request.input = folder / "in" / "big.index";
        request.output = folder / "Data" / output;
        request.memory = 4096;  // runs on disk too, so cancelling must remove them
        return request;
    }

    testing::TempDir folder;
    CodePage utf8 = *CodePage::Named("utf-8");
};

TEST_F(ImportJob, ProgressGrowsAndReachesTheEnd) {
    WriteDictd(folder / "in" / "big", "Big", 500);
    fs::create_directories(folder / "Data");
    std::vector<ImportProgress> heard;
    ProgressReporter reporter([&](const ImportProgress& progress) {
        heard.push_back(progress);
        return true;
    });
    const ImportStats stats = ImportDictionary(Request("big.txt"), utf8, &reporter);
    EXPECT_EQ(stats.entries, 500);
    ASSERT_GT(heard.size(), 20u);
    for (size_t i = 1; i < heard.size(); ++i)
        EXPECT_GE(heard[i].Fraction(), heard[i - 1].Fraction()) << "at report " << i;
    EXPECT_EQ(heard.back().phase, ImportProgress::Phase::kWriting);
    EXPECT_EQ(heard.back().done, heard.back().total);
    EXPECT_DOUBLE_EQ(heard.back().Fraction(), 1.0);
    EXPECT_GT(heard[heard.size() / 2].entries, 0);
}

TEST_F(ImportJob, CancellingAtAnyPointLeavesNothingInTheTargetFolder) {
    WriteDictd(folder / "in" / "big", "Big", 300);
    fs::create_directories(folder / "Data");
    size_t reports = 0;
    {
        ProgressReporter counter([&](const ImportProgress&) { return ++reports > 0; });
        ImportDictionary(Request("count.txt"), utf8, &counter);
        fs::remove(folder / "Data" / "count.txt");
    }
    ASSERT_GT(reports, 10u);
    for (size_t cancelAt = 1; cancelAt <= reports; ++cancelAt) {
        size_t heard = 0;
        ProgressReporter cancelling([&](const ImportProgress&) { return ++heard < cancelAt; });
        EXPECT_THROW(ImportDictionary(Request("big.txt"), utf8, &cancelling), ImportCancelled)
            << "cancelled at report " << cancelAt;
        EXPECT_TRUE(fs::is_empty(folder / "Data")) << "cancelled at report " << cancelAt;
    }
}

TEST_F(ImportJob, WritingOverItsOwnInputIsRefused) {
    WriteDictd(folder / "in" / "big", "Big");
    ImportRequest request = Request("x");
    request.output = folder / "in" / "big.dict";
    const std::string before = testing::ReadBytes(request.output);
    EXPECT_THROW(ImportDictionary(request, utf8), ToolError);
    EXPECT_EQ(testing::ReadBytes(request.output), before);
}

}  // namespace
}  // namespace tavik
