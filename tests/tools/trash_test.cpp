// Moving files to the desktop's trash: where they go, what the .trashinfo
// says, names that clash, the trash of another file system, and files that
// stay where they are when they cannot be trashed.
#include "tools/trash.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>

#include "support/temp_dir.h"

namespace tavik {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempDir;

// 2026-12-07 14:05:09 on the machine's own clock.
std::chrono::system_clock::time_point When() {
    std::tm local{};
    local.tm_year = 2026 - 1900;
    local.tm_mon = 11;
    local.tm_mday = 7;
    local.tm_hour = 14;
    local.tm_min = 5;
    local.tm_sec = 9;
    local.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&local));
}

std::string Unescaped(std::string_view escaped) {
    std::string bytes;
    for (size_t i = 0; i < escaped.size(); ++i) {
        if (escaped[i] == '%' && i + 2 < escaped.size()) {
            bytes.push_back(char(std::stoi(std::string(escaped.substr(i + 1, 2)), nullptr, 16)));
            i += 2;
        } else {
            bytes.push_back(escaped[i]);
        }
    }
    return bytes;
}

// The Path= value of a .trashinfo, unescaped.
std::string RecordedPath(const fs::path& info) {
    const std::string text = ReadBytes(info);
    const size_t start = text.find("\nPath=");
    if (start == std::string::npos) return {};
    const size_t end = text.find('\n', start + 1);
    return Unescaped(std::string_view(text).substr(start + 6, end - start - 6));
}

size_t CountEntries(const fs::path& folder) {
    std::error_code error;
    size_t count = 0;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        ++count;
    return count;
}

class TrashTest : public ::testing::Test {
protected:
    fs::path Trash() const { return m_dir.Path() / "data" / "Trash"; }
    TrashPlaces Places() const { return {Trash(), ::getuid()}; }
    fs::path Data() const { return fs::canonical(m_dir.Path()) / "Data"; }

    TempDir m_dir;
};

TEST_F(TrashTest, AFileGoesToTheHomeTrashWithWhereItCameFromAndWhen) {
    const fs::path file = m_dir.Write("Data/gcide.txt", "apple/a fruit\n");
    const TrashResult result = MoveToTrash(file, Places(), When());
    ASSERT_TRUE(result.Ok()) << result.reason;
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(result.trashed, Trash() / "files" / "gcide.txt");
    EXPECT_EQ(ReadBytes(Trash() / "files" / "gcide.txt"), "apple/a fruit\n");
    EXPECT_EQ(result.info, Trash() / "info" / "gcide.txt.trashinfo");
    EXPECT_EQ(ReadBytes(result.info), "[Trash Info]\nPath=" + (Data() / "gcide.txt").string() +
                                          "\nDeletionDate=2026-12-07T14:05:09\n");
    // The trash is the user's alone.
    struct stat info;
    ASSERT_EQ(::stat(Trash().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
}

TEST_F(TrashTest, NamesThatAreNotPlainAsciiAreRecordedEscapedAndComeBackWhole) {
    const std::string cp949 = "\xBB\xE7\xC0\xFC 100%.txt";  // 사전 in CP949
    for (const std::string& name : {std::string("사전 파일#1.txt"), cp949}) {
        const fs::path file = m_dir.Write(fs::path("Data") / name, "a/b\n");
        const TrashResult result = MoveToTrash(file, Places(), When());
        ASSERT_TRUE(result.Ok()) << result.reason;
        const std::string text = ReadBytes(result.info);
        const size_t path = text.find("\nPath=") + 1;
        for (const char c : text.substr(path, text.find('\n', path) - path))
            EXPECT_TRUE(c > ' ' && c < 0x7F) << text;
        EXPECT_EQ(RecordedPath(result.info), (Data() / name).string());
        EXPECT_EQ(result.trashed.filename().native(), name);
    }
}

TEST_F(TrashTest, ATakenNameGetsANumberAndNothingInTheTrashIsReplaced) {
    const fs::path file = Data() / "Zeta.txt";
    for (const char* content : {"first\n", "second\n", "third\n"}) {
        m_dir.Write("Data/Zeta.txt", content);
        ASSERT_TRUE(MoveToTrash(file, Places(), When()).Ok());
    }
    // A stray info file without its file, and a stray file without info,
    // both hold their names.
    m_dir.Write("data/Trash/info/Zeta.4.txt.trashinfo", "stray\n");
    m_dir.Write("data/Trash/files/Zeta.5.txt", "stray\n");
    m_dir.Write("Data/Zeta.txt", "fourth\n");
    const TrashResult fourth = MoveToTrash(file, Places(), When());
    ASSERT_TRUE(fourth.Ok()) << fourth.reason;

    EXPECT_EQ(ReadBytes(Trash() / "files" / "Zeta.txt"), "first\n");
    EXPECT_EQ(ReadBytes(Trash() / "files" / "Zeta.2.txt"), "second\n");
    EXPECT_EQ(ReadBytes(Trash() / "files" / "Zeta.3.txt"), "third\n");
    EXPECT_EQ(fourth.trashed, Trash() / "files" / "Zeta.6.txt");
    EXPECT_EQ(ReadBytes(fourth.trashed), "fourth\n");
    EXPECT_EQ(ReadBytes(Trash() / "info" / "Zeta.4.txt.trashinfo"), "stray\n");
    EXPECT_EQ(ReadBytes(Trash() / "files" / "Zeta.5.txt"), "stray\n");
    EXPECT_FALSE(fs::exists(Trash() / "info" / "Zeta.5.txt.trashinfo"));
    for (const char* info : {"Zeta.txt", "Zeta.2.txt", "Zeta.3.txt", "Zeta.6.txt"})
        EXPECT_EQ(RecordedPath(Trash() / "info" / (std::string(info) + ".trashinfo")),
                  file.string());
}

TEST_F(TrashTest, ALinkIsTrashedItselfAndWhatItLeadsToStays) {
    const fs::path target = m_dir.Write("elsewhere/real.txt", "a/b\n");
    fs::create_directories(Data());
    fs::create_symlink(target, Data() / "link.txt");
    ASSERT_TRUE(MoveToTrash(Data() / "link.txt", Places(), When()).Ok());
    EXPECT_TRUE(fs::is_symlink(Trash() / "files" / "link.txt"));
    EXPECT_EQ(ReadBytes(target), "a/b\n");
}

TEST_F(TrashTest, WhatCannotBeTrashedStaysWhereItIsAndSaysWhy) {
    const TrashResult missing = MoveToTrash(Data() / "gone.txt", Places(), When());
    EXPECT_EQ(missing.failure, TrashFailure::kMissing);
    EXPECT_FALSE(missing.reason.empty());

    // The trash's place is taken by a file.
    const fs::path file = m_dir.Write("Data/kept.txt", "a/b\n");
    m_dir.Write("data", "not a folder");
    const TrashResult blocked = MoveToTrash(file, Places(), When());
    EXPECT_EQ(blocked.failure, TrashFailure::kTrashNotWritable);
    EXPECT_FALSE(blocked.reason.empty());
    EXPECT_EQ(ReadBytes(file), "a/b\n");

    // An info folder that is a file.
    fs::remove(m_dir.Path() / "data");
    m_dir.Write("data/Trash/info", "not a folder");
    EXPECT_EQ(MoveToTrash(file, Places(), When()).failure, TrashFailure::kTrashNotWritable);
    EXPECT_EQ(ReadBytes(file), "a/b\n");
    EXPECT_EQ(CountEntries(Trash() / "files"), 0u);
}

TEST_F(TrashTest, TheTrashOfAnotherFileSystemIsItsTopFoldersOwnAndRecordsRelativePaths) {
    const fs::path top = m_dir.Path() / "mnt";
    const std::string uid = std::to_string(::getuid());
    const fs::path file = m_dir.Write("mnt/dicts/WordNet.txt", "a/b\n");

    const auto own = TopdirTrash(top, ::getuid());
    ASSERT_TRUE(own);
    EXPECT_EQ(own->folder, top / (".Trash-" + uid));
    struct stat info;
    ASSERT_EQ(::stat(own->folder.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    const TrashResult result = MoveIntoTrash(file, *own, When());
    ASSERT_TRUE(result.Ok()) << result.reason;
    EXPECT_EQ(result.trashed, own->folder / "files" / "WordNet.txt");
    EXPECT_EQ(RecordedPath(result.info), "dicts/WordNet.txt");

    // The shared trash only when it is a real sticky folder.
    fs::create_directories(top / ".Trash");
    EXPECT_EQ(TopdirTrash(top, ::getuid())->folder, own->folder);
    ::chmod((top / ".Trash").c_str(), 01777);
    EXPECT_EQ(TopdirTrash(top, ::getuid())->folder, top / ".Trash" / uid);
    fs::rename(top / ".Trash", m_dir.Path() / "sticky");
    fs::create_directory_symlink(m_dir.Path() / "sticky", top / ".Trash");
    EXPECT_EQ(TopdirTrash(top, ::getuid())->folder, own->folder);

    // Neither can be used: nothing is trashed.
    const fs::path other = m_dir.Path() / "other";
    m_dir.Write("other/.Trash-" + uid, "a file");
    EXPECT_FALSE(TopdirTrash(other, ::getuid()));
    // A folder another user made in this user's name is not used.
    if (::getuid() == 0) {
        const fs::path third = m_dir.Path() / "third";
        fs::create_directories(third / (".Trash-" + uid));
        ASSERT_EQ(::chown((third / (".Trash-" + uid)).c_str(), 12345, 12345), 0);
        EXPECT_FALSE(TopdirTrash(third, ::getuid()));
    }
}

// A real second file system when the machine has one at hand (/dev/shm).
TEST_F(TrashTest, AFileOnAnotherFileSystemNeverGoesToTheHomeTrash) {
    struct stat shm, temp;
    if (::stat("/dev/shm", &shm) != 0 || ::stat(m_dir.Path().c_str(), &temp) != 0 ||
        shm.st_dev == temp.st_dev || ::access("/dev/shm", W_OK) != 0)
        GTEST_SKIP() << "no second writable file system";
    const fs::path shmTrash = "/dev/shm/.Trash-" + std::to_string(::getuid());
    const bool trashExisted = fs::exists(shmTrash);
    char pattern[] = "/dev/shm/tavik-trash-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    const fs::path folder = pattern;
    testing::WriteBytes(folder / "far.txt", "a/b\n");

    const TrashResult result = MoveToTrash(folder / "far.txt", Places(), When());
    std::error_code ignored;
    if (result.Ok()) {
        EXPECT_EQ(result.trashed.parent_path().parent_path(), shmTrash);
        EXPECT_EQ(RecordedPath(result.info), folder.filename().string() + "/far.txt");
        EXPECT_EQ(ReadBytes(result.trashed), "a/b\n");
        fs::remove(result.trashed, ignored);
        fs::remove(result.info, ignored);
    } else {
        ADD_FAILURE() << result.reason;
    }
    EXPECT_FALSE(fs::exists(Trash()));
    fs::remove_all(folder, ignored);
    if (!trashExisted) fs::remove_all(shmTrash, ignored);
}

TEST(TrashPlaces, TheHomeTrashFollowsXdgDataHomeAndFallsBackToTheHome) {
    const char* savedData = std::getenv("XDG_DATA_HOME");
    const char* savedHome = std::getenv("HOME");
    const std::string data = savedData ? savedData : "";
    const std::string home = savedHome ? savedHome : "";

    ::setenv("HOME", "/home/reader", 1);
    ::setenv("XDG_DATA_HOME", "/srv/data", 1);
    EXPECT_EQ(TrashPlacesFromEnvironment().homeTrash, "/srv/data/Trash");
    ::setenv("XDG_DATA_HOME", "relative/data", 1);
    EXPECT_EQ(TrashPlacesFromEnvironment().homeTrash, "/home/reader/.local/share/Trash");
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(TrashPlacesFromEnvironment().homeTrash, "/home/reader/.local/share/Trash");
    EXPECT_EQ(TrashPlacesFromEnvironment().uid, ::getuid());

    if (savedData) ::setenv("XDG_DATA_HOME", data.c_str(), 1);
    if (savedHome)
        ::setenv("HOME", home.c_str(), 1);
    else
        ::unsetenv("HOME");
}

}  // namespace
}  // namespace tavik
