// The home folder rules, the first start of a per-user home, and the stored
// dictionary path and code page.
#include <gtest/gtest.h>
#include <wx/fileconf.h>

#include "app/home_folder.h"
#include "app/settings.h"
#include "dict/dictionary_folder.h"
#include "support/temp_dir.h"

namespace tavik {
namespace {

using testing::ReadBytes;
using testing::TempDir;

class HomeFolderTest : public ::testing::Test {
protected:
    HomeFolderTest() {
        m_exe = m_dir.Path() / "bin";
        std::filesystem::create_directories(m_exe);
        m_inputs.executableFolder = m_exe;
        m_inputs.userHome = m_dir.Path() / "user";
    }
    TempDir m_dir;
    std::filesystem::path m_exe;
    HomeInputs m_inputs;
};

TEST_F(HomeFolderTest, CommandLineWinsOverEnvironmentWinsOverPortableCopy) {
    std::filesystem::create_directories(m_exe / "Skin");
    m_inputs.commandLine = "/opt/one";
    m_inputs.tavikHome = "/opt/two";
    EXPECT_EQ(ChooseHomeFolder(m_inputs).folder, "/opt/one");
    m_inputs.commandLine.reset();
    EXPECT_EQ(ChooseHomeFolder(m_inputs).folder, "/opt/two");
    m_inputs.tavikHome.reset();
    const HomeChoice portable = ChooseHomeFolder(m_inputs);
    EXPECT_EQ(portable.folder, m_exe);
    EXPECT_FALSE(portable.perUser);
}

TEST_F(HomeFolderTest, WithoutSkinBesideTheProgramTheUsersDataFolderIsUsed) {
    HomeChoice choice = ChooseHomeFolder(m_inputs);
    EXPECT_EQ(choice.folder, m_dir.Path() / "user" / ".local" / "share" / "tavik");
    EXPECT_TRUE(choice.perUser);

    m_inputs.xdgDataHome = m_dir.Path() / "xdg";
    EXPECT_EQ(ChooseHomeFolder(m_inputs).folder, m_dir.Path() / "xdg" / "tavik");
    m_inputs.xdgDataHome = "relative/xdg";  // not absolute: ignored
    EXPECT_EQ(ChooseHomeFolder(m_inputs).folder,
              m_dir.Path() / "user" / ".local" / "share" / "tavik");
}

TEST_F(HomeFolderTest, FirstStartFillsTheUserFolderAndLaterStartsKeepItsFiles) {
    const auto share = InstalledDataFolder(m_exe);
    EXPECT_EQ(share, m_dir.Path() / "share" / "tavik");
    m_dir.Write("share/tavik/Data/Tavik.txt", "apple/installed\n");
    m_dir.Write("share/tavik/Skin/SkinInfo.Cfg", "[Control]\n");
    const auto home = m_dir.Path() / "user" / ".local" / "share" / "tavik";

    std::string error;
    ASSERT_TRUE(PrepareUserHome(home, share, &error)) << error;
    EXPECT_EQ(ReadBytes(home / "Data" / "Tavik.txt"), "apple/installed\n");
    EXPECT_EQ(ReadBytes(home / "Skin" / "SkinInfo.Cfg"), "[Control]\n");

    m_dir.Write("user/.local/share/tavik/Data/Tavik.txt", "apple/mine\n");
    m_dir.Write("share/tavik/Data/Extra.txt", "x/y\n");
    ASSERT_TRUE(PrepareUserHome(home, share, &error));
    EXPECT_EQ(ReadBytes(home / "Data" / "Tavik.txt"), "apple/mine\n");
    EXPECT_EQ(ReadBytes(home / "Data" / "Extra.txt"), "x/y\n");
}

TEST_F(HomeFolderTest, AFileInTheWayOfTheUserFolderIsReported) {
    const auto blocked = m_dir.Write("blocked", "file");
    std::string error;
    EXPECT_FALSE(PrepareUserHome(blocked / "tavik", m_dir.Path() / "share", &error));
    EXPECT_FALSE(error.empty());
}

class StoredSettingsTest : public ::testing::Test {
protected:
    std::unique_ptr<wxFileConfig> Open() {
        return std::make_unique<wxFileConfig>("Tavik", kVendorName,
                                              wxString::FromUTF8(m_file.string()), wxString(),
                                              wxCONFIG_USE_LOCAL_FILE);
    }
    TempDir m_dir;
    std::filesystem::path m_file = m_dir.Path() / "settings.ini";
};

TEST_F(StoredSettingsTest, FirstStartStoresTheDefaultDictionaryAndCodePage) {
    const auto home = m_dir.Path() / "home";
    EXPECT_EQ(RestoreDictionaryPath(*Open(), home), home / "Data" / "Tavik.txt");
    EXPECT_EQ(RestoreCodePage(*Open()), "949");
    const std::string stored = ReadBytes(m_file);
    EXPECT_NE(stored.find("[DicInfo]"), std::string::npos);
    EXPECT_NE(stored.find("CurDicPath=" + (home / "Data" / "Tavik.txt").string()),
              std::string::npos);
    EXPECT_NE(stored.find("CodePage=949"), std::string::npos);
}

TEST_F(StoredSettingsTest, AStoredPathIsUsedAndKeptEvenWhenItsFileIsGone) {
    StoreDictionaryPath(*Open(), "/gone/Other dictionary.txt");
    EXPECT_EQ(RestoreDictionaryPath(*Open(), m_dir.Path()), "/gone/Other dictionary.txt");
    EXPECT_EQ(RestoreDictionaryPath(*Open(), m_dir.Path()), "/gone/Other dictionary.txt");
}

TEST(DictionaryFolder, ListsRegularFilesOnlyAndMatchesTheStoredFileNameExactly) {
    TempDir dir;
    dir.Write("Data/Tavik.txt", "a/b\n");
    dir.Write("Data/k.txt", "a/b\n");
    dir.Write("Data/.hidden.txt", "a/b\n");
    std::filesystem::create_directories(dir.Path() / "Data" / "folder");
    std::vector<Text> names = DictionaryNames(DataFolder(dir.Path()));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<Text>{u"Tavik.txt", u"k.txt"}));
    const auto stored = dir.Path() / "Data" / "Tavik.txt";
    EXPECT_TRUE(IsCurrentDictionary(u"Tavik.txt", stored));
    EXPECT_FALSE(IsCurrentDictionary(u"k.txt", stored));  // only a part of the name
    EXPECT_FALSE(IsCurrentDictionary(u"tavik.txt", stored));
    EXPECT_TRUE(DictionaryNames(dir.Path() / "missing").empty());
}

}  // namespace
}  // namespace tavik
