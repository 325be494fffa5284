// The home folder both programs share: which folder, which settings file,
// the installed data read beside it, and a home that does not exist.
#include "config/home_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "support/temp_dir.h"

namespace tavik {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

class HomeFolderTest : public ::testing::Test {
protected:
    HomeFolderTest() {
        m_exe = m_dir.Path() / "prefix" / "bin";
        fs::create_directories(m_exe);
        m_inputs.executableFolder = m_exe;
        m_inputs.userHome = m_dir.Path() / "user";
        m_inputs.xdgDataDirs = (m_dir.Path() / "nothing").string();
    }
    TempDir m_dir;
    fs::path m_exe;
    HomeInputs m_inputs;
};

TEST_F(HomeFolderTest, CommandLineWinsOverEnvironmentWinsOverPortableCopyWinsOverTheUsers) {
    fs::create_directories(m_exe / "Skin");
    m_inputs.commandLine = "/opt/one";
    m_inputs.tavikHome = "/opt/two";
    EXPECT_EQ(ChooseHomeFolder(m_inputs).folder, "/opt/one");
    EXPECT_EQ(ChooseHomeFolder(m_inputs).source, HomeSource::kCommandLine);
    m_inputs.commandLine.reset();
    EXPECT_EQ(ChooseHomeFolder(m_inputs).folder, "/opt/two");
    m_inputs.tavikHome.reset();
    const HomeChoice portable = ChooseHomeFolder(m_inputs);
    EXPECT_EQ(portable.folder, m_exe);
    EXPECT_FALSE(portable.PerUser());

    fs::remove(m_exe / "Skin");
    HomeChoice user = ChooseHomeFolder(m_inputs);
    EXPECT_EQ(user.folder, m_dir.Path() / "user" / ".local" / "share" / "tavik");
    EXPECT_TRUE(user.PerUser());
    m_inputs.xdgDataHome = m_dir.Path() / "xdg";
    EXPECT_EQ(ChooseHomeFolder(m_inputs).folder, m_dir.Path() / "xdg" / "tavik");
    m_inputs.xdgDataHome = "relative/xdg";  // not absolute: ignored
    EXPECT_EQ(ChooseHomeFolder(m_inputs).folder,
              m_dir.Path() / "user" / ".local" / "share" / "tavik");
}

TEST_F(HomeFolderTest, ARelativeHomeBecomesAbsoluteAndAMissingOneIsAnErrorNamingIt) {
    fs::create_directories(m_dir.Path() / "homes" / "A");
    const fs::path before = fs::current_path();
    fs::current_path(m_dir.Path() / "homes");
    m_inputs.commandLine = "A/";
    const HomePlaces places = FindHomePlaces(m_inputs);
    m_inputs.tavikHome = "missing";
    m_inputs.commandLine.reset();
    std::string error;
    try {
        FindHomePlaces(m_inputs);
    } catch (const HomeError& e) {
        error = e.what();
    }
    m_inputs.commandLine = "gone";
    std::string optionError;
    try {
        FindHomePlaces(m_inputs);
    } catch (const HomeError& e) {
        optionError = e.what();
    }
    fs::current_path(before);

    EXPECT_EQ(places.Folder(), m_dir.Path() / "homes" / "A");
    EXPECT_EQ(places.settingsFile, m_dir.Path() / "homes" / "A" / "Tavik.conf");
    EXPECT_EQ(error, "TAVIK_HOME folder '" + (m_dir.Path() / "homes" / "missing").string() +
                         "' does not exist");
    EXPECT_EQ(optionError,
              "--home folder '" + (m_dir.Path() / "homes" / "gone").string() + "' does not exist");
    m_inputs.commandLine = m_dir.Write("a-file", "x");
    EXPECT_THROW(FindHomePlaces(m_inputs), HomeError);
}

TEST_F(HomeFolderTest, EachHomeKeepsItsOwnSettingsAndTheUsersHomeKeepsTheXdgOne) {
    fs::create_directories(m_dir.Path() / "A");
    fs::create_directories(m_dir.Path() / "B");
    m_inputs.commandLine = m_dir.Path() / "A";
    const HomePlaces a = FindHomePlaces(m_inputs);
    m_inputs.commandLine = m_dir.Path() / "B";
    const HomePlaces b = FindHomePlaces(m_inputs);
    EXPECT_EQ(a.settingsFile, m_dir.Path() / "A" / "Tavik.conf");
    EXPECT_EQ(b.settingsFile, m_dir.Path() / "B" / "Tavik.conf");
    EXPECT_NE(HomeKey(a.Folder()), HomeKey(b.Folder()));
    EXPECT_EQ(HomeKey(a.Folder()), HomeKey(m_dir.Path() / "A" / "."));

    m_inputs.commandLine.reset();
    const HomePlaces user = FindHomePlaces(m_inputs);
    EXPECT_EQ(user.settingsFile, m_dir.Path() / "user" / ".config" / "Tavik" / "Tavik.conf");
    m_inputs.xdgConfigHome = m_dir.Path() / "config";
    EXPECT_EQ(FindHomePlaces(m_inputs).settingsFile,
              m_dir.Path() / "config" / "Tavik" / "Tavik.conf");
    m_inputs.settingsFile = m_dir.Path() / "elsewhere.conf";
    EXPECT_EQ(FindHomePlaces(m_inputs).settingsFile, m_dir.Path() / "elsewhere.conf");
}

TEST_F(HomeFolderTest, InstalledDataIsFoundBesideTheProgramAndInXdgDataDirsAndTheSkinLayered) {
    m_dir.Write("prefix/share/tavik/Data/Tavik.txt", "a/b\n");
    m_dir.Write("prefix/share/tavik/Skin/SkinInfo.Cfg", "[Control]\n");
    m_dir.Write("system/tavik/Data/Other.txt", "a/b\n");
    m_inputs.xdgDataDirs = (m_dir.Path() / "system").string() +
                           ":relative:" + (m_dir.Path() / "prefix" / "share").string();
    const HomePlaces places = FindHomePlaces(m_inputs);
    ASSERT_EQ(places.installed.size(), 2u);  // the program's own, once
    EXPECT_EQ(places.installed[0], m_dir.Path() / "prefix" / "share" / "tavik");
    EXPECT_EQ(places.installed[1], m_dir.Path() / "system" / "tavik");
    EXPECT_EQ(places.DataFolders(),
              (std::vector<fs::path>{places.Folder() / "Data", places.installed[0] / "Data",
                                     places.installed[1] / "Data"}));
    EXPECT_EQ(places.skinHome, places.installed[0]);
    EXPECT_EQ(LayeredDataFile(places.DataFolders(), "Tavik.txt"),
              places.installed[0] / "Data" / "Tavik.txt");
    EXPECT_EQ(LayeredDataFile(places.DataFolders(), "None.txt"),
              places.Folder() / "Data" / "None.txt");

    // A Skin and a Tavik.txt of the user's own win; nothing was copied.
    EXPECT_FALSE(fs::exists(places.Folder()));
    m_dir.Write("user/.local/share/tavik/Skin/SkinInfo.Cfg", "[Control]\n");
    m_dir.Write("user/.local/share/tavik/Data/Tavik.txt", "a/mine\n");
    const HomePlaces own = FindHomePlaces(m_inputs);
    EXPECT_EQ(own.skinHome, own.Folder());
    EXPECT_EQ(LayeredDataFile(own.DataFolders(), "Tavik.txt"), own.Folder() / "Data" / "Tavik.txt");
}

TEST(SettingsLink, ALinkOfTheUsersIsWrittenThroughAndAnotherUsersLinkIsNotFollowed) {
    TempDir dir;
    const fs::path target = dir.Write("dotfiles/Tavik.conf", "");
    fs::create_directories(dir.Path() / "home");
    fs::create_symlink("../dotfiles/Tavik.conf", dir.Path() / "home" / "Tavik.conf");
    EXPECT_EQ(SettingsWriteTarget(dir.Path() / "home" / "Tavik.conf"), target);
    EXPECT_EQ(SettingsWriteTarget(target), target);
    EXPECT_EQ(SettingsWriteTarget(dir.Path() / "none.conf"), dir.Path() / "none.conf");
    fs::create_symlink("loop", dir.Path() / "loop");
    EXPECT_EQ(SettingsWriteTarget(dir.Path() / "loop"), dir.Path() / "loop");

    if (::geteuid() != 0) GTEST_SKIP() << "planting another user's link needs root";
    const fs::path planted = dir.Path() / "shared" / "Tavik.conf";
    fs::create_directories(planted.parent_path());
    fs::create_symlink(target, planted);
    ASSERT_EQ(::lchown(planted.c_str(), 65534, 65534), 0);
    EXPECT_EQ(SettingsWriteTarget(planted), planted);
}

}  // namespace
}  // namespace tavik
