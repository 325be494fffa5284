// The desktop rules without a display: the language of the window's texts
// and its catalogue, the search box's undo history, the window's geometry
// in the settings, the title, the compiled-in icons.
#include <gtest/gtest.h>
#include <wx/fileconf.h>
#include <wx/init.h>
#include <wx/translation.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "app/edit_history.h"
#include "app/page_faces.h"
#include "app/program_icons.h"
#include "app/ui_language.h"
#include "app/window_geometry.h"
#include "app/window_title.h"
#include "app/wx_text.h"
#include "dict/notices.h"
#include "dict/search_action.h"
#include "support/temp_dir.h"
#include "tools/first_start_page.h"

namespace tavik {
namespace {

TEST(UiLanguageTest, KoreanUnlessTheDesktopSpeaksAnotherLanguageOrTheUserChose) {
    for (const char* korean : {"", "C", "POSIX", "C.UTF-8", "ko_KR.UTF-8", "ko"})
        EXPECT_EQ(ChooseUiLanguage("", korean), UiLanguage::kKorean) << korean;
    for (const char* other : {"en_US.UTF-8", "fr_FR.UTF-8", "de_DE", "ja_JP.eucJP"})
        EXPECT_EQ(ChooseUiLanguage("", other), UiLanguage::kEnglish) << other;
    // The menu's choice holds whatever the desktop; anything else stored is
    // no choice.
    EXPECT_EQ(ChooseUiLanguage("ko", "en_US.UTF-8"), UiLanguage::kKorean);
    EXPECT_EQ(ChooseUiLanguage("en", "ko_KR.UTF-8"), UiLanguage::kEnglish);
    EXPECT_EQ(ChooseUiLanguage("xx", "C"), UiLanguage::kKorean);
}

TEST(WxTextTest, CharactersReachTheToolkitWholeAndComeBack) {
    // Korean, a pair of surrogates taken as one character, and a lone
    // surrogate, which no toolkit string can hold, as U+FFFD.
    const Text text = u"a한\U0001F600b";
    const wxString wide = ToWx(text);
    ASSERT_EQ(wide.length(), 4u);
    EXPECT_EQ(wide[1], wxUniChar(0xD55C));
    EXPECT_EQ(wide[2], wxUniChar(0x1F600));
    EXPECT_EQ(FromWx(wide), text);
    EXPECT_EQ(ToWx(Text(u"x") + char16_t(0xD800) + u"y"), wxString(L"x\uFFFDy"));
    EXPECT_TRUE(ToWx(Text()).empty());
}

TEST(PageFacesTest, OnlyAKoreanWindowDrawsPagesInTheFaceWhoseBackslashIsTheWonSign) {
    const PageFaces korean = ChoosePageFaces(UiLanguage::kKorean, true);
    EXPECT_EQ(korean.normal, "NanumGothic");
    EXPECT_EQ(korean.fixed, "NanumGothicCoding");
    // An English reader of a dictd pronunciation (\Keg\) sees backslashes.
    for (bool installed : {true, false}) {
        const PageFaces english = ChoosePageFaces(UiLanguage::kEnglish, installed);
        EXPECT_TRUE(english.normal.empty() && english.fixed.empty()) << installed;
    }
    EXPECT_TRUE(ChoosePageFaces(UiLanguage::kKorean, false).normal.empty());
}

TEST(UiLanguageTest, TheEnglishCatalogueIsFoundBesideTheProgramAndTheChoiceIsStored) {
    wxInitializer toolkit;
    ASSERT_TRUE(toolkit.IsOk());
    testing::TempDir dir;
    wxFileConfig settings("Tavik", "", (dir.Path() / "s.ini").string(), "",
                          wxCONFIG_USE_LOCAL_FILE);
    // LC_ALL wins over LANG, as in the C library.
    setenv("LANG", "ko_KR.UTF-8", 1);
    setenv("LC_ALL", "fr_FR.UTF-8", 1);
    EXPECT_EQ(InstallTranslations(settings, TAVIK_BINARY_DIR), UiLanguage::kEnglish);
    EXPECT_EQ(_(L"기본"), "Basic");
    EXPECT_EQ(_(L"아니요"), "No");
    // The search's own notices and messages, and the first start's page, too:
    // every one of them has its English text.
    EXPECT_EQ(NoticeText(NoticeId::kStatusWordNotFound, {u"recieve", u"recife"}),
              u"‘recieve’ is not in the dictionary. Showing the nearest headword, ‘recife’.");
    EXPECT_EQ(TranslatedText(kEmptyWordMessage), u"Please enter a word");
    EXPECT_EQ(TranslatedText(kSearchErrorMessage), u"Search error");
    for (int id = 0; id <= int(NoticeId::kAddDictionaryLink); ++id) {
        const Text text = NoticeText(NoticeId(id), {u"a", u"b"});
        const bool korean = std::any_of(text.begin(), text.end(),
                                        [](char16_t c) { return c >= 0xAC00 && c <= 0xD7A3; });
        EXPECT_FALSE(korean) << id << ": " << ToUtf8(text);
    }
    const std::string firstStart = ToUtf8(FirstStartContent({u"Tavik.txt"}, 2, "/d").value());
    EXPECT_NE(firstStart.find("Dictionaries installed on this computer: 2."), std::string::npos)
        << firstStart;
    EXPECT_NE(firstStart.find("\">Add Dictionary</a> to look words up"), std::string::npos)
        << firstStart;

    StoreUiLanguage(settings, UiLanguage::kKorean);
    EXPECT_EQ(InstallTranslations(settings, TAVIK_BINARY_DIR), UiLanguage::kKorean);
    EXPECT_EQ(_(L"기본"), wxString(L"기본"));
    EXPECT_EQ(TranslatedText(kEmptyWordMessage), kEmptyWordMessage);
    SetNoticeTranslation(nullptr);
    unsetenv("LC_ALL");
    unsetenv("LANG");
}

TEST(EditHistoryTest, UndoWalksBackThroughTheChangesAndStopsAtTheStart) {
    EditHistory<std::string> history;
    EXPECT_FALSE(history.Undo());
    history.Changed("a");
    history.Changed("ab");
    history.Changed("ab");  // no change, no step
    history.Changed("abc");
    EXPECT_EQ(history.Undo(), "ab");
    EXPECT_EQ(history.Undo(), "a");
    history.Changed("ax");  // typing after an undo goes on from there
    EXPECT_EQ(history.Undo(), "a");
    EXPECT_EQ(history.Undo(), "");
    EXPECT_FALSE(history.Undo());

    history.Reset("set by the program");
    EXPECT_FALSE(history.CanUndo());
    // The history is bounded; the oldest steps go first.
    for (int i = 0; i < 150; ++i) history.Changed(std::to_string(i));
    int steps = 0;
    while (history.Undo()) ++steps;
    EXPECT_EQ(steps, 100);
}

TEST(WindowGeometryTest, AStoredWindowIsBroughtOntoTheScreen) {
    const wxRect screen(0, 0, 1920, 1080);
    const wxSize least(300, 200);
    // Fits already: unchanged.
    EXPECT_EQ(FitOnScreen(wxRect(100, 50, 800, 600), least, screen), wxRect(100, 50, 800, 600));
    // Off the screen (a monitor since unplugged): moved back on.
    EXPECT_EQ(FitOnScreen(wxRect(3000, -40, 800, 600), least, screen), wxRect(1120, 0, 800, 600));
    // Larger than the screen: as large as the screen.
    EXPECT_EQ(FitOnScreen(wxRect(0, 0, 1280, 1120), least, wxRect(0, 0, 960, 540)),
              wxRect(0, 0, 960, 540));
    // Smaller than the least: the least.
    EXPECT_EQ(FitOnScreen(wxRect(10, 10, 50, 50), least, screen).GetSize(), least);
}

TEST(WindowGeometryTest, GeometryRoundTripsAndDamagedValuesAreIgnored) {
    wxInitializer toolkit;
    testing::TempDir dir;
    wxFileConfig settings("Tavik", "", (dir.Path() / "s.ini").string(), "",
                          wxCONFIG_USE_LOCAL_FILE);
    EXPECT_FALSE(ReadWindowGeometry(settings));
    WriteWindowGeometry(settings, {wxRect(10, 20, 900, 700), true});
    const auto read = ReadWindowGeometry(settings);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->frame, wxRect(10, 20, 900, 700));
    EXPECT_TRUE(read->maximised);

    for (const char* damaged : {"-5", "0", "9999999", "wide"}) {
        settings.Write("/Window/Width", damaged);
        EXPECT_FALSE(ReadWindowGeometry(settings)) << damaged;
    }
}

TEST(WindowTitleTest, TheTitleNamesTheWordAndTheDictionary) {
    EXPECT_EQ(WindowTitle("light", "/home/u/Data/gcide.txt"),
              wxString::FromUTF8("light — gcide — Tavik"));
    EXPECT_EQ(WindowTitle(wxString(L"사과"), "/d/Tavik.txt"),
              wxString::FromUTF8("사과 — Tavik — Tavik"));
    EXPECT_EQ(WindowTitle("", "/d/Tavik.txt"), "Tavik");
    EXPECT_EQ(WindowTitle("light", ""), wxString::FromUTF8("light — Tavik"));
    // Every dictionary at once is named as the dictionary list names it.
    EXPECT_EQ(WindowTitle("light", kAllDictionariesPath),
              wxString::FromUTF8("light — 모든 사전 — Tavik"));
}

TEST(ProgramIconsTest, EveryInstalledSizeIsCompiledIn) {
    std::vector<int> sizes;
    for (const PngData& png : ProgramIconPngs()) {
        ASSERT_GT(png.size, 24u);
        // The PNG header's width, big-endian at byte 16.
        const unsigned char* width = png.bytes + 16;
        sizes.push_back(width[0] << 24 | width[1] << 16 | width[2] << 8 | width[3]);
    }
    EXPECT_EQ(sizes, (std::vector<int>{16, 32, 48, 128}));
}

}  // namespace
}  // namespace tavik
