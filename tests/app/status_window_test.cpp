// The window telling the user what happened: dictionaries in UTF-8 and CP949
// side by side with no setting touched, the dictionary dialog's code page,
// the status line and the notice page for dictionaries that cannot be read,
// and the built-in layout when the skin cannot place the form.
#include <sys/stat.h>
#include <wx/combobox.h>
#include <wx/statusbr.h>
#include <wx/xrc/xmlres.h>

#include <filesystem>

#include "app/dic_select_dlg.h"
#include "app/dictionary_rows.h"
#include "app/window_fixture.h"
#include "app/wx_text.h"
#include "dict/dictionary_folder.h"
#include "support/temp_dir.h"

namespace tavik {
namespace {

namespace fs = std::filesystem;

wxString Korean(const char* utf8) { return wxString::FromUTF8(utf8); }

// 가 and 나 with their meanings, in each code page.
constexpr char kUtf8Dictionary[] =
    "a/a\n\xEA\xB0\x80/ga utf8 \xEA\xB0\x80\n\xEB\x82\x98/na utf8 \xEB\x82\x98\n";
constexpr char kCp949Dictionary[] = "a/a\n\xB0\xA1/ga cp949 \xB0\xA1\n\xB3\xAA/na cp949 \xB3\xAA\n";

class StatusWindowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        m_tavik = theApp().m_strDicPath;
    }
    void TearDown() override {
        for (const fs::path& file : m_made) {
            std::error_code ignored;
            fs::remove_all(file, ignored);
        }
        theApp().ChooseDictionary(m_tavik);
        View().ShowStatus(Text());
        WindowTest::TearDown();
    }
    fs::path Make(const std::string& name, std::string_view bytes) {
        const fs::path path = DataFolder(theApp().m_strAppDir) / name;
        testing::WriteBytes(path, bytes);
        m_made.push_back(path);
        return path;
    }
    wxString Status() { return Frame().GetStatusBar()->GetStatusText(); }
    void Search(const wxString& word) {
        Type(word);
        Click(kIdSearchButton);
    }
    // Chooses `name` in the dictionary dialog, with `codePage` typed in its
    // code-page box (nothing typed when empty).
    void ChooseInDialog(const wxString& name, const wxString& codePage = wxString()) {
        g_dialogs.WhenShown([name, codePage](wxDialog& dialog) {
            ASSERT_TRUE(SelectRow(dialog, name)) << name;
            if (!codePage.empty()) CodePageBox(dialog).SetValue(codePage);
            wxCommandEvent click(wxEVT_BUTTON, wxID_OK);
            click.SetEventObject(dialog.FindWindow(wxID_OK));
            dialog.FindWindow(wxID_OK)->ProcessWindowEvent(click);
            if (dialog.IsModal()) dialog.EndModal(wxID_CANCEL);
        });
        Menu(kCmdSelectDic);
    }
    static wxComboBox& CodePageBox(wxDialog& dialog) {
        return *dynamic_cast<wxComboBox*>(dialog.FindWindow(XRCID("code_page_box")));
    }

    fs::path m_tavik;
    std::vector<fs::path> m_made;
};

TEST_F(StatusWindowTest, Utf8AndCp949DictionariesBothShowRightWithNoSettingTouched) {
    Make("Korean-utf8.txt", kUtf8Dictionary);
    Make("Korean-cp949.txt", kCp949Dictionary);
    for (int round = 0; round < 2; ++round) {
        ChooseInDialog("Korean-utf8.txt");
        Search(Korean("나"));
        EXPECT_TRUE(Shown().Contains(Korean("na utf8 나"))) << Shown();
        EXPECT_EQ(Status(), "");
        ChooseInDialog("Korean-cp949.txt");
        Search(Korean("가"));
        EXPECT_TRUE(Shown().Contains(Korean("ga cp949 가"))) << Shown();
        EXPECT_EQ(Neighbours().GetString(1), Korean("가"));
    }
    // The bundled dictionary still reads as it always did.
    ChooseInDialog("Tavik.txt");
    Search("apple");
    EXPECT_TRUE(ShowsHeadword("apple")) << Shown();
    EXPECT_TRUE(Shown().Contains(Korean("사과"))) << Shown();
}

TEST_F(StatusWindowTest, TheDialogsCodePageIsStoredAndUsedAndAnUnknownNameIsRefused) {
    const fs::path file = Make("Korean-forced.txt", kCp949Dictionary);
    ChooseInDialog("Korean-forced.txt", "UTF-8");  // wrong on purpose: the user's word wins
    EXPECT_EQ(theApp().CodePages().Choice(file), "UTF-8");
    Search(Korean("가"));
    EXPECT_FALSE(Shown().Contains(Korean("ga cp949 가"))) << Shown();

    // An unknown name: a message, the dialog stays open, nothing changes.
    g_dialogs.WhenShown([](wxDialog& dialog) {
        EXPECT_EQ(CodePageBox(dialog).GetValue(), "UTF-8");
        CodePageBox(dialog).SetValue("klingon-8");
        wxCommandEvent click(wxEVT_BUTTON, wxID_OK);
        click.SetEventObject(dialog.FindWindow(wxID_OK));
        dialog.FindWindow(wxID_OK)->ProcessWindowEvent(click);
        EXPECT_TRUE(dialog.IsModal());
        ASSERT_EQ(g_messages.size(), 1u);
        EXPECT_TRUE(g_messages[0].Contains("klingon-8")) << g_messages[0];
        dialog.EndModal(wxID_CANCEL);
    });
    Menu(kCmdSelectDic);
    EXPECT_EQ(theApp().CodePages().Choice(file), "UTF-8");

    // A name typed in, and back to automatic.
    ChooseInDialog("Korean-forced.txt", "euc-kr");
    EXPECT_EQ(theApp().CodePages().Choice(file), "EUC-KR");
    Search(Korean("가"));
    EXPECT_TRUE(Shown().Contains(Korean("ga cp949 가"))) << Shown();
    g_dialogs.WhenShown([](wxDialog& dialog) {
        EXPECT_EQ(CodePageBox(dialog).GetValue(), "EUC-KR");
        CodePageBox(dialog).SetSelection(0);
        wxCommandEvent click(wxEVT_BUTTON, wxID_OK);
        click.SetEventObject(dialog.FindWindow(wxID_OK));
        dialog.FindWindow(wxID_OK)->ProcessWindowEvent(click);
    });
    Menu(kCmdSelectDic);
    EXPECT_EQ(theApp().CodePages().Choice(file), "auto");
}

TEST_F(StatusWindowTest, DictionariesThatCannotBeReadAndWordsNotFoundAreSaid) {
    Search("apple");
    ASSERT_TRUE(ShowsHeadword("apple"));
    Search("applz");
    EXPECT_TRUE(Status().Contains(Korean("‘applz’은(는) 사전에 없습니다"))) << Status();
    Search("apple");
    EXPECT_EQ(Status(), "");

    const fs::path data = DataFolder(theApp().m_strAppDir);
    const fs::path folder = data / "Folder.txt";
    fs::create_directories(folder);
    m_made.push_back(folder);
    const fs::path fifo = data / "Fifo.txt";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    m_made.push_back(fifo);
    const fs::path emptied = Make("Emptied.txt", "");
    for (const fs::path& file : {data / "Gone.txt", folder, fifo, emptied}) {
        SCOPED_TRACE(file);
        Search("apple");
        theApp().ChooseDictionary(file);
        Search("banana");
        EXPECT_FALSE(ShowsHeadword("apple")) << Shown();
        EXPECT_TRUE(Shown().Contains(PathToWx(file))) << Shown();
        EXPECT_EQ(Status(), Korean("사전을 읽을 수 없습니다: ") + PathToWx(file));
        EXPECT_EQ(Neighbours().GetCount(), 0u);
        EXPECT_TRUE(g_messages.empty());
        theApp().ChooseDictionary(m_tavik);
    }
}

TEST_F(StatusWindowTest, AnEmptyDataFolderSaysWhereDictionariesGo) {
    const fs::path data = DataFolder(theApp().m_strAppDir);
    const fs::path kept = data.string() + ".kept";
    fs::rename(data, kept);
    fs::create_directories(data);
    Search("apple");
    EXPECT_TRUE(Shown().Contains(PathToWx(data))) << Shown();
    EXPECT_TRUE(Shown().Contains("tavik-dict import")) << Shown();
    EXPECT_EQ(Status(), Korean("사전이 없습니다. 사전 파일을 넣을 곳: ") + PathToWx(data));
    fs::remove_all(data);
    fs::rename(kept, data);
    Search("apple");
    EXPECT_TRUE(ShowsHeadword("apple")) << Shown();
}

TEST_F(StatusWindowTest, WithoutAUsableSkinTheControlsKeepTheBuiltInForm) {
    const SkinLayout skin = theApp().m_rcSkin;
    const fs::path skinFile = SkinFilePath(theApp().m_strAppDir);
    const fs::path kept = skinFile.string() + ".kept";
    fs::rename(skinFile, kept);
    wxWindow& form = *View().Form();
    wxWindow& viewer = *View().HtmlView();
    auto builtIn = [&](int id, int x, int y) {
        EXPECT_EQ(form.FindWindow(id)->GetPosition(), form.ConvertDialogToPixels(wxPoint(x, y)))
            << id;
        EXPECT_TRUE(form.FindWindow(id)->IsShown()) << id;
    };
    struct Case {
        const char* file;  // nullptr: no skin file at all
        const char* says;
    };
    for (const Case& c :
         {Case{nullptr, "스킨 파일이 없어"},
          Case{"garbage \x01\x02 [[[", "스킨 파일의 배치를 쓸 수 없어"},
          Case{"[Control]\r\nSearchEdit=76,8,160,30\r\nContentEdit=10,96,10,470\r\n",
               "스킨 파일의 배치를 쓸 수 없어"},
          Case{"[Control]\r\nSearchEdit=76,8,60,30\r\nContentEdit=10,96,630,470\r\n",
               "스킨 파일의 배치를 쓸 수 없어"}}) {
        SCOPED_TRACE(c.says);
        if (c.file) testing::WriteBytes(skinFile, c.file);
        theApp().m_rcSkin = LoadSkinLayout(theApp().m_strAppDir);
        View().OnInitialUpdate();
        Pump();
        builtIn(kIdSearchEdit, 7, 7);
        builtIn(kIdSearchButton, 91, 7);
        builtIn(kIdSearchList, 7, 23);
        builtIn(kIdListUp, 87, 87);
        builtIn(kIdSelectDicList, 7, 36);
        EXPECT_TRUE(viewer.IsShown());
        EXPECT_GT(viewer.GetSize().x, 100);
        EXPECT_GT(viewer.GetSize().y, 100);
        // Nothing covers the search box.
        EXPECT_FALSE(SearchEdit().GetRect().Intersects(Neighbours().GetRect()));
        EXPECT_FALSE(SearchEdit().GetRect().Intersects(viewer.GetRect()));
        const wxString says = Korean(c.says);
        EXPECT_TRUE(Status().StartsWith(says)) << Status();
        EXPECT_TRUE(Status().EndsWith(PathToWx(skinFile))) << Status();
        // A found word leaves the note in place.
        Search("apple");
        EXPECT_TRUE(Status().StartsWith(says)) << Status();
    }
    fs::remove(skinFile);
    fs::rename(kept, skinFile);
    theApp().m_rcSkin = skin;
    View().OnInitialUpdate();
    Pump();
    EXPECT_EQ(SearchEdit().GetPosition(), wxPoint(76, 8));
    EXPECT_EQ(Status(), "");
}

}  // namespace
}  // namespace tavik
