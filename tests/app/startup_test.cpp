// The home folder rules, the first start of a per-user home, and the stored
// dictionary path and code page.
#include <gtest/gtest.h>
#include <wx/fileconf.h>

#include "app/dictionary_codepages.h"
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

class DictionaryCodePagesTest : public StoredSettingsTest {
protected:
    std::string Name(DictionaryCodePages& pages, const std::filesystem::path& file) {
        return pages.For(file).Name();
    }
    CodePage m_cp949 = CodePage::Default();
};

TEST_F(DictionaryCodePagesTest, EachFileIsReadInTheCodePageItsBytesShow) {
    const auto utf8 = m_dir.Write("Data/utf8.txt", "a/a\n\xEA\xB0\x80/ga\n");
    const auto cp949 = m_dir.Write("Data/cp949.txt", "a/a\n\xB0\xA1/ga\n");
    const auto ascii = m_dir.Write("Data/ascii.txt", "a/a\nb/b\n");
    const auto bom = m_dir.Write("Data/bom.txt",
                                 "\xEF\xBB\xBF"
                                 "a/a\n");
    auto settings = Open();
    DictionaryCodePages pages(*settings, *CodePage::Named("EUC-KR"));
    EXPECT_EQ(Name(pages, utf8), "UTF-8");
    EXPECT_EQ(Name(pages, bom), "UTF-8");
    // What says nothing, or is not UTF-8, follows the old single setting.
    EXPECT_EQ(Name(pages, cp949), "EUC-KR");
    EXPECT_EQ(Name(pages, ascii), "EUC-KR");
    EXPECT_EQ(Name(pages, utf8), "UTF-8");  // after another file
    EXPECT_EQ(Name(pages, m_dir / "Data" / "missing.txt"), "EUC-KR");
    EXPECT_EQ(Name(pages, m_dir / "Data"), "EUC-KR");
    // An old setting of UTF-8 still reads CP949 files right.
    DictionaryCodePages utf8Fallback(*settings, *CodePage::Named("UTF-8"));
    EXPECT_EQ(Name(utf8Fallback, cp949), "CP949");
    EXPECT_EQ(Name(utf8Fallback, ascii), "UTF-8");
}

TEST_F(DictionaryCodePagesTest, AFindingIsRememberedUntilTheFileChanges) {
    const auto file = m_dir.Write("Data/Tavik.txt", "a/a\n\xEA\xB0\x80/ga\n");
    {
        auto settings = Open();
        DictionaryCodePages pages(*settings, m_cp949);
        EXPECT_EQ(Name(pages, file), "UTF-8");
    }
    EXPECT_NE(ReadBytes(m_file).find("Detected=UTF-8"), std::string::npos) << ReadBytes(m_file);

    // Same size and time: the remembered finding stands, the file is not read.
    const auto time = std::filesystem::last_write_time(file);
    testing::WriteBytes(file, "a/a\n\xB0\xA1x/ga\n");
    std::filesystem::last_write_time(file, time);
    {
        auto settings = Open();
        DictionaryCodePages pages(*settings, m_cp949);
        EXPECT_EQ(Name(pages, file), "UTF-8");
    }
    // Replaced by a file of another size: found again.
    testing::WriteBytes(file, "a/a\n\xB0\xA1/ga ga\n");
    auto settings = Open();
    DictionaryCodePages pages(*settings, m_cp949);
    EXPECT_EQ(Name(pages, file), "CP949");
    EXPECT_NE(ReadBytes(m_file).find("Detected=legacy"), std::string::npos);
}

TEST_F(DictionaryCodePagesTest, TheUsersChoiceWinsAndUnknownNamesAreRefused) {
    const auto file = m_dir.Write("Data/Tavik.txt", "a/a\n\xEA\xB0\x80/ga\n");
    auto settings = Open();
    DictionaryCodePages pages(*settings, m_cp949);
    EXPECT_EQ(pages.Choice(file), "auto");
    EXPECT_EQ(Name(pages, file), "UTF-8");
    EXPECT_TRUE(pages.SetChoice(file, "949"));
    EXPECT_EQ(pages.Choice(file), "CP949");
    EXPECT_EQ(Name(pages, file), "CP949");
    EXPECT_TRUE(pages.SetChoice(file, "euc-kr"));
    EXPECT_EQ(Name(pages, file), "EUC-KR");
    EXPECT_FALSE(pages.SetChoice(file, "klingon-8"));
    EXPECT_FALSE(pages.SetChoice(file, "UTF-16"));  // not ASCII-compatible
    EXPECT_EQ(pages.Choice(file), "EUC-KR");
    EXPECT_TRUE(pages.SetChoice(file, ""));
    EXPECT_EQ(pages.Choice(file), "auto");
    EXPECT_EQ(Name(pages, file), "UTF-8");

    // A name edited into the settings by hand that no code page answers to:
    // the file decides.
    settings->Write(DictionaryCodePageGroup(file) + "/Choice", "klingon-8");
    EXPECT_EQ(Name(pages, file), "UTF-8");
}

TEST_F(DictionaryCodePagesTest, AnyPathKeepsAGroupOfItsOwn) {
    const std::vector<std::filesystem::path> files = {
        m_dir / "Data" / "a b=c[d]%2F.txt", m_dir / "Data" / "a b=c[d]/.txt",
        m_dir / "Data" / "\xEC\x82\xAC\xEC\xA0\x84.txt", m_dir / "Data" / "back\\slash;#.txt"};
    {
        auto settings = Open();
        DictionaryCodePages pages(*settings, m_cp949);
        const std::vector<std::string> names = {"UTF-8", "EUC-KR", "CP949", "ISO-8859-1"};
        for (size_t i = 0; i < files.size(); ++i) ASSERT_TRUE(pages.SetChoice(files[i], names[i]));
    }
    auto settings = Open();
    DictionaryCodePages pages(*settings, m_cp949);
    EXPECT_EQ(pages.Choice(files[0]), "UTF-8");
    EXPECT_EQ(pages.Choice(files[1]), "EUC-KR");
    EXPECT_EQ(pages.Choice(files[2]), "CP949");
    EXPECT_EQ(pages.Choice(files[3]), "ISO-8859-1");
    EXPECT_EQ(pages.Choice(m_dir / "Data" / "other.txt"), "auto");
    // The same file named another way is the same file.
    EXPECT_EQ(pages.Choice(m_dir / "Data" / "." / "a b=c[d]%2F.txt"), "UTF-8");
    EXPECT_EQ(DictionaryCodePageGroup("/x/a b.txt"), "/DictionaryCodePages/%2Fx%2Fa%20b.txt");
}

}  // namespace
}  // namespace tavik
