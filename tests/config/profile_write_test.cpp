// Writing profile files: where the key line goes, what is copied unchanged,
// and that a failed write leaves the file exactly as it was.
#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "config/profile.h"
#include "support/temp_dir.h"

namespace tavik {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;
using namespace std::string_literals;

class ProfileWriteTest : public ::testing::Test {
protected:
    // The file after writing `key`=`value` into `section` of `bytes`.
    std::string Rewritten(const std::string& bytes, const char* section, const char* key,
                          const char* value) {
        WriteBytes(m_file, bytes);
        EXPECT_EQ(ProfileWriteString(section, key, value, m_file), int(std::strlen(value)));
        return ReadBytes(m_file);
    }

    // The names in the folder: a write leaves nothing of its own behind.
    std::vector<std::string> FolderNames() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_folder.Path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TempDir m_folder;
    std::filesystem::path m_file = m_folder / "SkinInfo.Cfg";
};

const std::string kSkin =
    "; Tavik skin\r\n"
    "[Control]\r\n"
    "SearchEdit=1,2,3,4\r\n"
    "SearchList=5,6,7,8\r\n"
    "\r\n"
    "[Content]\r\n"
    "Word=#0000ff\r\n";

TEST_F(ProfileWriteTest, ExistingKeyIsReplacedWhereItStands) {
    EXPECT_EQ(Rewritten(kSkin, "Control", "SearchEdit", "0,0,9,9"),
              "; Tavik skin\r\n[Control]\r\nSearchEdit=0,0,9,9\r\nSearchList=5,6,7,8\r\n\r\n"
              "[Content]\r\nWord=#0000ff\r\n");
    // A comment is never the key's line, however it reads; a line that
    // starts with a space before "[" is no header and does not end the
    // section.
    EXPECT_EQ(Rewritten("[A]\n;K=1\n [B]\n\b;K=2\nK=3\n", "A", "K", "x"),
              "[A]\n;K=1\n [B]\n\b;K=2\nK=x\r\n");
    // Only the first key line of the first header is the key's.
    EXPECT_EQ(Rewritten("[A]\nK=1\nK=2\n[A]\nK=3\n", "A", "K", "x"), "[A]\nK=x\r\nK=2\n[A]\nK=3\n");
}

TEST_F(ProfileWriteTest, NewKeyBecomesTheLastLineOfItsSection) {
    EXPECT_EQ(Rewritten(kSkin, "Control", "SearchButton", "9,9,9,9"),
              "; Tavik skin\r\n[Control]\r\nSearchEdit=1,2,3,4\r\nSearchList=5,6,7,8\r\n\r\n"
              "SearchButton=9,9,9,9\r\n[Content]\r\nWord=#0000ff\r\n");
    EXPECT_EQ(Rewritten(kSkin, "Content", "Text", "#000000"), kSkin + "Text=#000000\r\n");
    EXPECT_EQ(Rewritten("[A]\nx=1", "A", "K", "v"), "[A]\nx=1\nK=v\r\n");
}

TEST_F(ProfileWriteTest, NewSectionIsAddedAtTheEnd) {
    EXPECT_EQ(Rewritten(kSkin, "Extra", "Key", "v"), kSkin + "[Extra]\nKey=v\r\n");
    EXPECT_EQ(Rewritten("[control]\r\nK=1", "Control", "K", "2"),
              "[control]\r\nK=1\n[Control]\nK=2\r\n");
    EXPECT_EQ(Rewritten("", "S", "K", ""), "[S]\nK=\r\n");
}

TEST_F(ProfileWriteTest, WrittenValuesReadBack) {
    WriteBytes(m_file, kSkin);
    EXPECT_EQ(ProfileWriteInt("Content", "Size", INT_MIN, m_file), 11);
    EXPECT_EQ(ProfileReadInt("Content", "Size", 0, m_file), INT_MIN);
    EXPECT_EQ(ProfileWriteString("Content", "Word", "'#123456'", m_file), 9);
    char buffer[kProfileLineBuffer];
    EXPECT_EQ(ProfileReadString("Content", "Word", "", buffer, sizeof buffer, m_file), 7);
    EXPECT_STREQ(buffer, "#123456");
}

TEST_F(ProfileWriteTest, LongLinesAndOddBytesAreKeptWhole) {
    const std::string longComment = ";" + std::string(400, 'c');
    const std::string longValue(300, 'v');
    EXPECT_EQ(Rewritten("[S]\n" + longComment + "\nK=old\n", "S", "K", longValue.c_str()),
              "[S]\n" + longComment + "\nK=" + longValue + "\r\n");
    // A long key line is replaced whole, and so is its continuation.
    EXPECT_EQ(Rewritten("[S]\nK=" + longValue + "\n[T]\n", "S", "K", "short"),
              "[S]\nK=short\r\n[T]\n");
    // Bytes after a 0x00 and from a 0xFF on stay in the file.
    EXPECT_EQ(Rewritten("[S]\nA=a\0b\n"s, "S", "K", "v"), "[S]\nA=a\0b\nK=v\r\n"s);
    EXPECT_EQ(Rewritten("[S]\nA=1\n\xff\n[T]\n", "T", "K", "v"),
              "[S]\nA=1\n[T]\nK=v\r\n\xff\n[T]\n");
}

// Found by fuzzing: the reads see a long line as several lines, one per
// 255-byte piece, so a piece in the middle of a long line can be the section's
// header or the key's line. The write must find the same ones.
TEST_F(ProfileWriteTest, PiecesOfLongLinesCountAsTheReadsSeeThem) {
    const std::string filler(255, 'x');  // a full first piece
    const auto readBack = [this](const char* section, const char* key) {
        char buffer[kProfileLineBuffer];
        ProfileReadString(section, key, "missing", buffer, sizeof buffer, m_file);
        return std::string(buffer);
    };
    // The section's header is the second piece of a long line.
    EXPECT_EQ(Rewritten(filler + "[S]\nK=old\n", "S", "K", "new"), filler + "[S]\nK=new\r\n");
    EXPECT_EQ(readBack("S", "K"), "new\r");
    // The key's line is the second piece of a long line in the section: that
    // piece and the rest of its line are replaced.
    EXPECT_EQ(
        Rewritten("[S]\n;" + filler.substr(1) + "K=old" + filler + "\nK=later\n", "S", "K", "new"),
        "[S]\n;" + filler.substr(1) + "K=new\r\nK=later\n");
    EXPECT_EQ(readBack("S", "K"), "new\r");
    // A header in the middle of a long line ends the section.
    EXPECT_EQ(Rewritten("[S]\n;" + filler.substr(1) + "[T]\nK=t\n", "S", "K", "s"),
              "[S]\n;" + filler.substr(1) + "K=s\r\n[T]\nK=t\n");
    EXPECT_EQ(readBack("S", "K"), "s\r");
    EXPECT_EQ(readBack("T", "K"), "t");
}

TEST_F(ProfileWriteTest, FilesPastTheReadLimitAreRewrittenWhole) {
    const std::string filler(size_t(kProfileReadLimit), ';');
    const std::string tail = "\n[T]\nL=late\n";
    EXPECT_EQ(Rewritten("[S]\nK=old\n" + filler + tail, "S", "K", "new"),
              "[S]\nK=new\r\n" + filler + tail);
}

TEST_F(ProfileWriteTest, MissingFileIsNotCreated) {
    EXPECT_EQ(ProfileWriteString("S", "K", "v", m_file), 0);
    EXPECT_FALSE(std::filesystem::exists(m_file));
    EXPECT_EQ(ProfileWriteInt("S", "K", 1, m_folder.Path()), 0);
    EXPECT_TRUE(FolderNames().empty());
}

TEST_F(ProfileWriteTest, ReplacementKeepsPermissionsAndLeavesNoTemporaryFile) {
    WriteBytes(m_file, kSkin);
    ::chmod(m_file.c_str(), 0640);
    EXPECT_EQ(ProfileWriteString("Content", "Word", "red", m_file), 3);
    struct stat info;
    ASSERT_EQ(::stat(m_file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"SkinInfo.Cfg"});
}

TEST_F(ProfileWriteTest, LinkedProfileIsNotReplaced) {
    const auto target = m_folder / "real.cfg";
    WriteBytes(target, kSkin);
    std::filesystem::create_symlink(target, m_file);
    EXPECT_EQ(ProfileWriteString("Content", "Word", "red", m_file), 0);
    EXPECT_TRUE(std::filesystem::is_symlink(m_file));
    EXPECT_EQ(ReadBytes(target), kSkin);
    EXPECT_EQ(FolderNames(), (std::vector<std::string>{"SkinInfo.Cfg", "real.cfg"}));
    // Reading through the link still works.
    char buffer[kProfileLineBuffer];
    EXPECT_EQ(ProfileReadString("Content", "Word", "", buffer, sizeof buffer, m_file), 8);
}

// Runs `body` in a child process and gives its exit status, or -1 when the
// child did not exit normally. With `unprivileged`, a child running as root
// first becomes the user "nobody", so that permissions bind it.
constexpr int kNoPrivilegeDrop = 99;

int RunInChild(const std::function<int()>& body, bool unprivileged) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (unprivileged && ::geteuid() == 0) {
            if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(kNoPrivilegeDrop);
        }
        ::_exit(body() & 0x7f);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

class FailedProfileWriteTest : public ProfileWriteTest {
protected:
    // Writes the skin in a child process, in a folder with `folderMode`.
    // Returns the write's result, or kNoPrivilegeDrop.
    int WriteInChild(
        mode_t folderMode, bool unprivileged, const std::function<void()>& prepare = [] {}) {
        WriteBytes(m_file, kSkin);
        // The child may run as another user: let it reach and read the file.
        ::chmod(m_file.c_str(), 0644);
        ::chmod(m_folder.Path().c_str(), folderMode);
        const int result = RunInChild(
            [&] {
                prepare();
                return ProfileWriteString("Content", "Word", "red", m_file);
            },
            unprivileged);
        ::chmod(m_folder.Path().c_str(), 0700);
        return result;
    }

    void ExpectNothingChanged(int result) {
        EXPECT_EQ(result, 0);
        EXPECT_EQ(ReadBytes(m_file), kSkin);
        EXPECT_EQ(FolderNames(), std::vector<std::string>{"SkinInfo.Cfg"});
    }
};

TEST_F(FailedProfileWriteTest, ReadOnlyFolder) {
    const int result = WriteInChild(0555, true);
    if (result == kNoPrivilegeDrop) GTEST_SKIP() << "cannot run the write as an ordinary user";
    ExpectNothingChanged(result);
}

TEST_F(FailedProfileWriteTest, FailedRename) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to set up a file that the writer may not replace";
    // In a sticky folder only a file's owner may replace it: the child, as
    // "nobody", can create its temporary file there but not rename it over
    // root's profile file.
    const int result = WriteInChild(01777, true);
    if (result == kNoPrivilegeDrop) GTEST_SKIP() << "cannot run the write as an ordinary user";
    ExpectNothingChanged(result);
}

TEST_F(FailedProfileWriteTest, FailedWrite) {
    // A file-size limit below the skin's size makes writing the copy fail.
    ExpectNothingChanged(WriteInChild(0700, false, [] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{16, 16};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(100);
    }));
}

}  // namespace
}  // namespace tavik
