// Adding dictionaries to Data: what a picked file is, the names new files
// get, which installed dictionaries are still to add, copies and sorts that
// leave nothing when cancelled, the worker that runs them, and the page a
// first start shows.
#include "tools/dictionary_adding.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>

#include "test_files.h"
#include "tools/first_start_page.h"
#include "tools/import_runner.h"

namespace tavik {
namespace {

namespace fs = std::filesystem;
using testing::WriteBytes;
using testing::WriteDictd;

class Adding : public ::testing::Test {
protected:
    fs::path Data() const { return folder / "Data"; }
    std::vector<fs::path> Folders() const { return {Data(), folder / "installed"}; }
    std::vector<std::string> DataFiles() const {
        std::vector<std::string> names;
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(Data(), error))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    AddJob TextJob(const fs::path& file, TextFileWay way) {
        AddJob job;
        job.source = DescribePickedFile(file);
        job.target = NewDictionaryPath(job.source.title, Folders());
        job.way = way;
        job.codePage = utf8;
        return job;
    }

    testing::TempDir folder;
    CodePage utf8 = *CodePage::Named("UTF-8");
};

TEST_F(Adding, PickedFilesAreToldByTheirNameAndTheirLines) {
    WriteDictd(folder / "in" / "gcide", "GNU Collaborative Dictionary");
    WriteBytes(folder / "in" / "words.tab", "apple\tan apple\nbanana\ta/b fruit\nx/y\tz\n");
    WriteBytes(folder / "in" / "Zeta.txt", "apple/an apple\t(fruit)\nbanana/fruit\n");
    WriteBytes(folder / "in" / "blob.bin", std::string("\x1f\x8b\0\0", 4));

    for (const char* picked : {"gcide.index", "gcide.dict"}) {
        const DictionarySource dictd = DescribePickedFile(folder / "in" / picked);
        EXPECT_EQ(dictd.format, DictionaryFormat::kDictd) << picked;
        EXPECT_EQ(dictd.title, "GNU Collaborative Dictionary") << picked;
        EXPECT_EQ(dictd.path, folder / "in" / "gcide.index") << picked;
        EXPECT_GT(dictd.size, 0u);
    }
    EXPECT_EQ(DescribePickedFile(folder / "in" / "words.tab").format, DictionaryFormat::kTab);
    const DictionarySource text = DescribePickedFile(folder / "in" / "Zeta.txt");
    EXPECT_FALSE(text.format);
    EXPECT_EQ(text.title, "Zeta");

    // Each refusal names the file.
    for (const char* bad : {"blob.bin", "missing.txt"}) {
        try {
            DescribePickedFile(folder / "in" / bad);
            ADD_FAILURE() << bad << " was taken";
        } catch (const ToolError& error) {
            EXPECT_NE(std::string(error.what()).find(bad), std::string::npos) << error.what();
        }
    }
    fs::remove(folder / "in" / "gcide.dict");
    EXPECT_THROW(DescribePickedFile(folder / "in" / "gcide.index"), ToolError);
}

TEST_F(Adding, NewFilesTakeTheTitleAndHideNoOtherDictionary) {
    WriteBytes(Data() / "WordNet.txt", "a/b\n");
    WriteBytes(folder / "installed" / "Tavik.txt", "a/b\n");
    WriteBytes(Data() / "WordNet (2).txt", "a/b\n");
    EXPECT_EQ(NewDictionaryPath("WordNet", Folders()), Data() / "WordNet (3).txt");
    EXPECT_EQ(NewDictionaryPath("Tavik", Folders()), Data() / "Tavik (2).txt");
    EXPECT_EQ(NewDictionaryPath("a/b: c", Folders()), Data() / "a b: c.txt");

    std::vector<InstalledDictionary> installed(3);
    installed[0].title = "WordNet";
    installed[1].title = "GCIDE";
    installed[2].title = "Tavik";
    const auto left = NotYetAdded(installed, Folders());
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].title, "GCIDE");
}

TEST_F(Adding, ATextFileInOrderIsCopiedAndOneOutOfOrderIsSorted) {
    const std::string sorted = "apple/1\nBanana/2\ncherry/3\n";
    WriteBytes(folder / "in" / "Fruit.txt", sorted);
    WriteBytes(folder / "in" / "Mixed.txt", "cherry/3\napple/1\nBanana/2\n");
    EXPECT_EQ(LinesOutOfOrder(folder / "in" / "Fruit.txt", utf8), 0);
    EXPECT_GT(LinesOutOfOrder(folder / "in" / "Mixed.txt", utf8), 0);

    EXPECT_EQ(RunAddJob(TextJob(folder / "in" / "Fruit.txt", TextFileWay::kCopy), nullptr).entries,
              3);
    EXPECT_EQ(RunAddJob(TextJob(folder / "in" / "Mixed.txt", TextFileWay::kSort), nullptr).entries,
              3);
    EXPECT_EQ(testing::ReadBytes(Data() / "Fruit.txt"), sorted);
    EXPECT_EQ(testing::ReadBytes(Data() / "Mixed.txt"), sorted);
    EXPECT_EQ(DataFiles(), (std::vector<std::string>{"Fruit.txt", "Mixed.txt"}));
}

TEST_F(Adding, CopiesAndSortsReachTheEndOrLeaveNothingWhenCancelledAnywhere) {
    std::string lines;
    for (int i = 0; i < 40000; ++i) lines += "w" + std::to_string(i * 7919 % 40000) + "/x\n";
    WriteBytes(folder / "in" / "Big.txt", lines);
    fs::create_directories(Data());
    for (const TextFileWay way : {TextFileWay::kCopy, TextFileWay::kSort}) {
        const AddJob job = TextJob(folder / "in" / "Big.txt", way);
        std::vector<ImportProgress> heard;
        ProgressReporter all([&](const ImportProgress& progress) {
            heard.push_back(progress);
            return true;
        });
        RunAddJob(job, &all);
        ASSERT_GT(heard.size(), 4u);
        EXPECT_DOUBLE_EQ(heard.back().Fraction(), 1.0);
        EXPECT_EQ(fs::file_size(Data() / "Big.txt"), lines.size());
        fs::remove(Data() / "Big.txt");

        for (size_t cancelAt = 1; cancelAt <= heard.size(); ++cancelAt) {
            size_t told = 0;
            ProgressReporter cancelling([&](const ImportProgress&) { return ++told < cancelAt; });
            EXPECT_THROW(RunAddJob(job, &cancelling), ImportCancelled) << cancelAt;
            EXPECT_TRUE(DataFiles().empty()) << "cancelled at report " << cancelAt;
        }
    }
}

// Runs a job on the runner and waits for its end.
struct Finished {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<JobEnd> ends;
    std::atomic<int> reports{0};

    JobEnd Wait() {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return !ends.empty(); });
        return ends.front();
    }
    ImportRunner::EndCallback OnEnd() {
        return [this](const JobEnd& end) {
            std::lock_guard lock(mutex);
            ends.push_back(end);
            changed.notify_all();
        };
    }
};

TEST_F(Adding, TheWorkerTellsProgressAndExactlyOneEnd) {
    WriteDictd(folder / "in" / "big", "Big", 400);
    fs::create_directories(Data());
    AddJob job;
    job.source = DescribePickedFile(folder / "in" / "big.index");
    job.target = NewDictionaryPath(job.source.title, Folders());
    job.codePage = utf8;
    Finished finished;
    {
        ImportRunner runner([&](ProgressReporter& progress) { RunAddJob(job, &progress); },
                            [&](const ImportProgress&) { ++finished.reports; }, finished.OnEnd());
        EXPECT_EQ(finished.Wait().kind, JobEnd::Kind::kDone);
    }
    EXPECT_EQ(finished.ends.size(), 1u);
    EXPECT_GT(finished.reports, 3);
    EXPECT_EQ(DataFiles(), std::vector<std::string>{"Big.txt"});

    // A failure comes back as its message, naming the file.
    WriteBytes(folder / "in" / "bad.index", "word0\tA\tZZZZZZ\n");
    WriteBytes(folder / "in" / "bad.dict", "tiny");
    job.source.path = folder / "in" / "bad.index";
    job.target = Data() / "Bad.txt";
    Finished failing;
    {
        ImportRunner runner([&](ProgressReporter& progress) { RunAddJob(job, &progress); }, {},
                            failing.OnEnd());
        const JobEnd end = failing.Wait();
        EXPECT_EQ(end.kind, JobEnd::Kind::kFailed);
        EXPECT_NE(end.error.find("bad."), std::string::npos) << end.error;
    }
    EXPECT_EQ(DataFiles(), std::vector<std::string>{"Big.txt"});
}

TEST_F(Adding, CancellingFromAnotherThreadStopsTheJobAndLeavesNothing) {
    WriteDictd(folder / "in" / "big", "Big", 400);
    fs::create_directories(Data());
    AddJob job;
    job.source = DescribePickedFile(folder / "in" / "big.index");
    job.target = Data() / "Big.txt";
    job.codePage = utf8;
    // The job waits at its third report until the cancel has been asked.
    std::mutex mutex;
    std::condition_variable asked;
    bool cancelled = false;
    Finished finished;
    {
        ImportRunner runner([&](ProgressReporter& progress) { RunAddJob(job, &progress); },
                            [&](const ImportProgress&) {
                                if (++finished.reports != 3) return;
                                std::unique_lock lock(mutex);
                                asked.wait(lock, [&] { return cancelled; });
                            },
                            finished.OnEnd());
        while (finished.reports < 3) std::this_thread::yield();
        runner.Cancel();
        {
            std::lock_guard lock(mutex);
            cancelled = true;
        }
        asked.notify_all();
        EXPECT_EQ(finished.Wait().kind, JobEnd::Kind::kCancelled);
    }
    EXPECT_EQ(finished.reports, 3);
    EXPECT_TRUE(DataFiles().empty());

    // A runner dropped at once cancels its job before it writes anything.
    Finished dropped;
    {
        ImportRunner runner([&](ProgressReporter& progress) { RunAddJob(job, &progress); }, {},
                            dropped.OnEnd());
    }
    ASSERT_EQ(dropped.ends.size(), 1u);
    EXPECT_TRUE(DataFiles().empty() || dropped.ends[0].kind == JobEnd::Kind::kDone);
}

TEST(FirstStartPage, SpeaksOnlyWhenTheUserHasNoDictionaryOfTheirOwn) {
    const fs::path data = "/home/u/<Tavik> & co/Data";
    const auto empty = FirstStartContent({}, 2, data);
    ASSERT_TRUE(empty);
    const std::string page = ToUtf8(*empty);
    EXPECT_NE(page.find("/home/u/&#60;Tavik&#62; &#38; co/Data"), std::string::npos) << page;
    EXPECT_EQ(page.find("<Tavik>"), std::string::npos);
    EXPECT_NE(page.find("<a href=\"tavik-command:add-dictionary\">"), std::string::npos);
    EXPECT_NE(page.find("2개"), std::string::npos);
    // With nothing installed the empty Data still gets its folder and link.
    const auto bare = ToUtf8(FirstStartContent({}, 0, data).value());
    EXPECT_NE(bare.find("tavik-command:add-dictionary"), std::string::npos);

    const auto bundled = FirstStartContent({u"Tavik.txt"}, 3, data);
    ASSERT_TRUE(bundled);
    EXPECT_NE(ToUtf8(*bundled).find("3개"), std::string::npos);
    EXPECT_NE(ToUtf8(*bundled).find("tavik-command:add-dictionary"), std::string::npos);

    EXPECT_FALSE(FirstStartContent({u"Tavik.txt"}, 0, data));
    EXPECT_FALSE(FirstStartContent({u"Tavik.txt", u"WordNet.txt"}, 3, data));
    EXPECT_FALSE(FirstStartContent({u"WordNet.txt"}, 3, data));
}

}  // namespace
}  // namespace tavik
