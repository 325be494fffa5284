// Where the tools write: FIFOs, open descriptors and links are written
// through, never replaced by a regular file; folders are refused; what a
// killed run left behind is removed by the next run for the same output.
#include "tools/output_target.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

#include "test_files.h"
#include "text/file.h"
#include "tools/external_sort.h"
#include "tools/tool_error.h"

namespace tavik {
namespace {

namespace fs = std::filesystem;

class OutputTargetTest : public ::testing::Test {
protected:
    void SetUp() override { input = folder.Write("in.txt", "pear/2\napple/1\n"); }

    testing::TempDir folder;
    fs::path input;
    CodePage utf8 = *CodePage::Named("utf-8");
};

std::string ReadAll(int fd) {
    std::string out;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) out.append(buffer, size_t(n));
    return out;
}

TEST_F(OutputTargetTest, FifosAndOpenDescriptorsAreWrittenThroughNotReplaced) {
    const fs::path fifo = folder / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string fromFifo;
    std::thread reader([&] {
        const FileHandle in(::open(fifo.c_str(), O_RDONLY | O_CLOEXEC));
        fromFifo = ReadAll(in.Get());
    });
    SortDictionaryFile(input, fifo, utf8);
    reader.join();
    EXPECT_EQ(fromFifo, "apple/1\npear/2\n");
    EXPECT_TRUE(fs::is_fifo(fifo));

    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    FileHandle readEnd(pipeEnds[0]);
    {
        FileHandle writeEnd(pipeEnds[1]);
        SortDictionaryFile(input, "/dev/fd/" + std::to_string(writeEnd.Get()), utf8);
    }
    EXPECT_EQ(ReadAll(readEnd.Get()), "apple/1\npear/2\n");
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_EQ(ResolveOutput("/dev/null").direct, true);
}

TEST_F(OutputTargetTest, LinksAreFollowedAndFoldersRefused) {
    fs::create_directory(folder / "real");
    fs::create_symlink("real/dict.txt", folder / "link.txt");  // dangling
    SortDictionaryFile(input, folder / "link.txt", utf8);
    EXPECT_TRUE(fs::is_symlink(folder / "link.txt"));
    EXPECT_EQ(testing::ReadBytes(folder / "real" / "dict.txt"), "apple/1\npear/2\n");

    folder.Write("real/dict.txt", "old/0\n");
    SortDictionaryFile(input, folder / "link.txt", utf8);
    EXPECT_TRUE(fs::is_symlink(folder / "link.txt"));
    EXPECT_EQ(testing::ReadBytes(folder / "real" / "dict.txt"), "apple/1\npear/2\n");

    try {
        SortDictionaryFile(input, folder / "real", utf8);
        ADD_FAILURE() << "a folder was accepted";
    } catch (const ToolError& e) {
        EXPECT_NE(std::string(e.what()).find("is a folder"), std::string::npos) << e.what();
    }
    EXPECT_EQ(testing::ReadBytes(folder / "real" / "dict.txt"), "apple/1\npear/2\n");
}

pid_t DeadPid() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

TEST_F(OutputTargetTest, LeftoversOfKilledRunsAreRemovedByTheNextRunForTheSameOutput) {
    // A sort killed while its runs are on disk.
    const pid_t killed = ::fork();
    if (killed == 0) {
        ExternalSorter sorter(utf8, folder / "out.txt", 64);
        for (int i = 0; i < 100; ++i) sorter.Add("word" + std::to_string(i) + "/x\n");
        ::kill(::getpid(), SIGKILL);
    }
    ASSERT_GT(killed, 0);
    ::waitpid(killed, nullptr, 0);
    const std::string killedTag = ".out.txt.sort-" + std::to_string(killed) + "-";
    auto holds = [&](const std::string& prefix) {
        for (const auto& entry : fs::directory_iterator(folder.Path()))
            if (entry.path().filename().string().starts_with(prefix)) return true;
        return false;
    };
    ASSERT_TRUE(holds(killedTag));

    const std::string dead = std::to_string(DeadPid());
    folder.Write(".out.txt.tavik-" + dead + "-aB3dE6", "half a dictionary");
    const std::string live = ".out.txt.tavik-" + std::to_string(::getppid()) + "-aB3dE6";
    folder.Write(live, "another run's output");
    folder.Write(".other.txt.tavik-" + dead + "-aB3dE6", "another output's");
    folder.Write(".out.txt.notes", "not ours");

    SortDictionaryFile(input, folder / "out.txt", utf8);
    EXPECT_FALSE(holds(killedTag));
    EXPECT_FALSE(holds(".out.txt.tavik-" + dead));
    EXPECT_TRUE(fs::exists(folder / live));
    EXPECT_TRUE(fs::exists(folder / (".other.txt.tavik-" + dead + "-aB3dE6")));
    EXPECT_TRUE(fs::exists(folder / ".out.txt.notes"));
    EXPECT_EQ(testing::ReadBytes(folder / "out.txt"), "apple/1\npear/2\n");
}

}  // namespace
}  // namespace tavik
