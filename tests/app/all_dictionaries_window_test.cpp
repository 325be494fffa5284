// "모든 사전" in the window's dictionary list: chosen, searched, stepped
// through, copied and kept for the next start.
#include <wx/choice.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "app/all_dictionaries_choice.h"
#include "app/settings.h"
#include "app/window_fixture.h"
#include "app/wx_text.h"
#include "dict/dictionary_folder.h"
#include "support/temp_dir.h"

namespace tavik {
namespace {

namespace fs = std::filesystem;

class AllDictionariesWindowTest : public WindowTest {
protected:
    fs::path Data() { return DataFolder(theApp().m_strAppDir); }
    wxChoice& Dictionaries() { return Control<wxChoice>(kIdSelectDicList); }
    void Write(const fs::path& file, std::string_view bytes) {
        std::ofstream(file, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    }
    void ChooseInList(int index) {
        Dictionaries().SetSelection(index);
        wxCommandEvent pick(wxEVT_CHOICE, kIdSelectDicList);
        pick.SetEventObject(&Dictionaries());
        pick.SetInt(index);
        Dictionaries().ProcessWindowEvent(pick);
        Pump();
    }
    std::vector<wxString> Items() {
        std::vector<wxString> items;
        for (unsigned i = 0; i < Dictionaries().GetCount(); ++i)
            items.push_back(Dictionaries().GetString(i));
        return items;
    }
};

TEST_F(AllDictionariesWindowTest, EveryDictionaryShowsEachEntryUnderItsNameAndStaysChosen) {
    const fs::path before = theApp().m_strDicPath;
    Write(Data() / "zz-other.txt", "kiwi/a kiwi\n");
    Write(Data() / "aa-extra.txt", "apple/an extra apple\nmango/a mango\n");
    View().FillDicList();
    // Every dictionary first, then the files by name (earlier tests may have
    // left files of their own).
    const std::vector<wxString> items = Items();
    ASSERT_GE(items.size(), 4u);
    EXPECT_EQ(items[0], wxString::FromUTF8("모든 사전"));
    EXPECT_EQ(items[1], "aa-extra.txt");
    EXPECT_EQ(items.back(), "zz-other.txt");
    for (size_t i = 2; i < items.size(); ++i) EXPECT_LT(items[i - 1].Lower(), items[i].Lower());
    EXPECT_EQ(Dictionaries().GetStringSelection(), "Tavik.txt");

    ChooseInList(0);
    EXPECT_TRUE(IsAllDictionaries(theApp().m_strDicPath));
    EXPECT_EQ(theApp().Settings().Read(kDictionaryPathKey, wxString()), kAllDictionariesPath);

    Type("apple");
    PressEnter(SearchEdit());
    const wxString page = Shown();
    const int extra = page.Find("<b>aa-extra</b>");
    const int bundled = page.Find("<b>Tavik</b>");
    ASSERT_NE(extra, wxNOT_FOUND) << page;
    ASSERT_NE(bundled, wxNOT_FOUND) << page;
    EXPECT_LT(extra, page.Find("an extra apple"));
    EXPECT_LT(page.Find("an extra apple"), bundled);
    EXPECT_EQ(page.Find("zz-other"), wxNOT_FOUND);
    EXPECT_EQ(Frame().GetTitle(), wxString::FromUTF8("apple — 모든 사전 — Tavik"));
    // The bundled entry read in its own code page (CP949), not the other's.
    EXPECT_NE(page.Find(wxString::FromUTF8("사과")), wxNOT_FOUND) << page;
    // The neighbours are the first dictionary's.
    ASSERT_EQ(Neighbours().GetCount(), 2u);
    EXPECT_EQ(Neighbours().GetStringSelection(), "apple");
    // Copy takes both entries with their dictionaries' names.
    const Text copy = View().CopyText();
    EXPECT_EQ(copy.find(u"aa-extra\napple\nan extra apple"), 0u) << ToUtf8(copy);
    EXPECT_NE(copy.find(u"\n\nTavik\napple\n"), Text::npos) << ToUtf8(copy);

    // ▼ steps through the first dictionary's list and searches them all.
    Click(kIdListDown);
    EXPECT_EQ(SearchEdit().GetValue(), "mango");
    EXPECT_NE(Shown().Find("<b>aa-extra</b>"), wxNOT_FOUND);
    Menu(kCmdAddWordBook);
    const auto& book = theApp().Words().m_listWordBook.Entries();
    EXPECT_TRUE(std::any_of(book.begin(), book.end(),
                            [](const auto& entry) { return entry.word == u"mango"; }));

    // A word no dictionary holds: the first one's nearest entry, as alone.
    Type("mangoes");
    PressEnter(SearchEdit());
    EXPECT_TRUE(ShowsHeadword("mango")) << Shown();
    EXPECT_EQ(Shown().Find("<b>aa-extra</b>"), wxNOT_FOUND);

    // The next start reads the stored choice and lists it chosen.
    EXPECT_TRUE(IsAllDictionaries(RestoreDictionaryPath(theApp().Settings(), theApp().Places())));
    View().FillDicList();
    EXPECT_EQ(Dictionaries().GetSelection(), 0);

    // A dictionary chosen in the list ends it.
    ChooseInList(Dictionaries().FindString("Tavik.txt"));
    EXPECT_EQ(theApp().m_strDicPath, Data() / "Tavik.txt");
    Type("apple");
    PressEnter(SearchEdit());
    EXPECT_EQ(Shown().Find("<b>aa-extra</b>"), wxNOT_FOUND);
    EXPECT_EQ(Shown().Find("<b>Tavik</b>"), wxNOT_FOUND);
    EXPECT_EQ(Frame().GetTitle(), wxString::FromUTF8("apple — Tavik — Tavik"));

    theApp().ChooseDictionary(before);
    fs::remove(Data() / "zz-other.txt");
    fs::remove(Data() / "aa-extra.txt");
    View().FillDicList();
}

}  // namespace
}  // namespace tavik
