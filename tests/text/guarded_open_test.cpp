#include "text/guarded_open.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "support/temp_dir.h"

namespace tavik {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::WriteBytes;

constexpr uid_t kNobody = 65534;

class GuardedOpenTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (::geteuid() != 0) GTEST_SKIP() << "giving a link away takes root";
        WriteBytes(Victim(), "export PATH\n");
    }
    fs::path Victim() const { return m_folder.Path() / "bashrc"; }
    // A link to the victim's file, owned by another user.
    void PlantLink(const fs::path& at) const {
        fs::create_symlink(Victim(), at);
        ASSERT_EQ(::lchown(at.c_str(), kNobody, kNobody), 0);
    }
    static bool Append(const GuardedOpen& opened, std::string_view bytes) {
        return opened.file && ::write(opened.file->Get(), bytes.data(), bytes.size()) > 0;
    }

    testing::TempDir m_folder;
};

TEST_F(GuardedOpenTest, AnotherUsersLinkIsRefusedAtAnyHopTheUsersOwnAndRootsAreFollowed) {
    const fs::path words = m_folder.Path() / "OldWord.dat";
    const fs::path planted = m_folder.Path() / "planted";
    PlantLink(planted);
    fs::create_symlink(planted, words);  // the user's own link to another user's
    const GuardedOpen refused = OpenUnlessForeignLink(words, O_WRONLY | O_APPEND | O_CREAT, 0666);
    EXPECT_FALSE(refused.file);
    EXPECT_TRUE(refused.foreignLink);
    EXPECT_FALSE(ResolveOwnLinks(words));

    const fs::path own = m_folder.Path() / "own";
    fs::create_symlink("bashrc", own);
    EXPECT_EQ(ResolveOwnLinks(own), m_folder.Path() / "bashrc");
    EXPECT_TRUE(Append(OpenUnlessForeignLink(own, O_WRONLY | O_APPEND), "x"));
    EXPECT_EQ(ReadBytes(Victim()), "export PATH\nx");

    // A link to a name that is not there yet creates the file it names.
    const fs::path dangling = m_folder.Path() / "dangling";
    fs::create_symlink("new.dat", dangling);
    EXPECT_TRUE(Append(OpenUnlessForeignLink(dangling, O_WRONLY | O_CREAT, 0600), "y"));
    EXPECT_EQ(ReadBytes(m_folder.Path() / "new.dat"), "y");

    // A loop of the user's own links fails as open(2) does, and is no one else's.
    fs::create_symlink("loop-b", m_folder.Path() / "loop-a");
    fs::create_symlink("loop-a", m_folder.Path() / "loop-b");
    const GuardedOpen loop = OpenUnlessForeignLink(m_folder.Path() / "loop-a", O_RDONLY);
    EXPECT_FALSE(loop.file);
    EXPECT_FALSE(loop.foreignLink);
    EXPECT_EQ(loop.error, ELOOP);
}

TEST_F(GuardedOpenTest, ALinkPutInPlaceAfterTheCheckIsNotFollowed) {
    const fs::path words = m_folder.Path() / "OldWord.dat";
    for (const bool exists : {true, false}) {
        SCOPED_TRACE(exists ? "over a word file" : "where no file was");
        if (exists) WriteBytes(words, "apple\n");
        int checks = 0;
        const GuardedOpen opened =
            OpenUnlessForeignLink(words, O_WRONLY | O_APPEND | O_CREAT, 0666, [&] {
                if (checks++ > 0) return;
                fs::remove(words);
                PlantLink(words);
            });
        EXPECT_FALSE(Append(opened, "secret\n"));
        EXPECT_TRUE(opened.foreignLink);
        EXPECT_EQ(checks, 1);  // looked at again and refused before any open
        EXPECT_EQ(ReadBytes(Victim()), "export PATH\n");
        fs::remove(words);
    }
    // Reading, the same.
    WriteBytes(words, "apple\n");
    int checks = 0;
    const GuardedOpen read = OpenUnlessForeignLink(words, O_RDONLY, 0, [&] {
        if (checks++ == 0) fs::remove(words), PlantLink(words);
    });
    EXPECT_FALSE(read.file);
    EXPECT_TRUE(read.foreignLink);
}

}  // namespace
}  // namespace tavik
