// The code page each dictionary file is read in: found from its bytes,
// remembered in the settings until the file changes, or chosen by the user.
#include <gtest/gtest.h>
#include <wx/fileconf.h>

#include "app/dictionary_codepages.h"
#include "app/settings.h"
#include "support/temp_dir.h"

namespace tavik {
namespace {

using testing::ReadBytes;
using testing::TempDir;

class DictionaryCodePagesTest : public ::testing::Test {
protected:
    std::string Name(DictionaryCodePages& pages, const std::filesystem::path& file) {
        return pages.For(file).Name();
    }
    std::unique_ptr<wxFileConfig> Open() {
        return std::make_unique<wxFileConfig>("Tavik", kVendorName,
                                              wxString::FromUTF8(m_file.string()), wxString(),
                                              wxCONFIG_USE_LOCAL_FILE);
    }
    TempDir m_dir;
    std::filesystem::path m_file = m_dir.Path() / "settings.ini";
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
