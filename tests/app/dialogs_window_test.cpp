// The wordbook, recent words, dictionary and about dialogs as a user meets
// them: opened from the menu and the toolbar, driven on the real windows,
// with Word.dat, OldWord.dat and the stored dictionary checked on disk.
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/listbox.h>
#include <wx/msgdlg.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/uiaction.h>
#include <wx/xrc/xmlres.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "app/about_dlg.h"
#include "app/dic_select_dlg.h"
#include "app/dictionary_rows.h"
#include "app/recent_word_dlg.h"
#include "app/window_fixture.h"
#include "app/word_book_dlg.h"
#include "app/wx_text.h"
#include "dict/dictionary_folder.h"
#include "support/temp_dir.h"
#include "version/tavik_version.h"
#include "wordlists/dictionary_choice.h"

namespace tavik {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;

wxString Korean(const char* utf8) { return wxString::FromUTF8(utf8); }

void WriteBytes(const fs::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

std::vector<wxString> Items(wxDialog& dialog, int id) {
    const wxListBox& list = *dynamic_cast<wxListBox*>(dialog.FindWindow(id));
    std::vector<wxString> items;
    for (unsigned i = 0; i < list.GetCount(); ++i) items.push_back(list.GetString(i));
    return items;
}

wxListBox& List(wxDialog& dialog, int id) {
    return *dynamic_cast<wxListBox*>(dialog.FindWindow(id));
}

void Press(wxDialog& dialog, int id) { PressDialogButton(dialog, id); }

void PressKey(wxWindow& window, int key) {
    wxKeyEvent event(wxEVT_CHAR_HOOK);
    event.m_keyCode = key;
    event.SetEventObject(&window);
    window.ProcessWindowEvent(event);
}

class DialogsTest : public WindowTest {
protected:
    WordStores& Words() { return theApp().Words(); }
    fs::path Home() { return theApp().m_strAppDir; }
    std::string WordBookFile() { return ReadBytes(Words().WordBookPath()); }
    std::string SettingsFile() { return ReadBytes(Home() / "settings.ini"); }
    bool StoredPathIs(const fs::path& path) {
        return SettingsFile().find("CurDicPath=" + path.string() + "\n") != std::string::npos;
    }
    void LoadWordBook(std::string_view lines) {
        WriteBytes(Words().WordBookPath(), lines);
        Words().LoadWordBook();
    }
    // The confirmation box, answered `answer` without being shown; checks
    // what it asks and how.
    void ExpectQuestion(const char* question, int answer) {
        g_dialogs.Answer([question, answer](wxDialog& dialog) -> int {
            auto* box = dynamic_cast<wxMessageDialog*>(&dialog);
            EXPECT_NE(box, nullptr);
            if (!box) return wxID_CANCEL;
            EXPECT_EQ(box->GetMessage(), Korean(question));
            EXPECT_EQ(box->GetCaption(), "TAVIK");
            // The buttons speak the window's language.
            EXPECT_EQ(box->GetYesLabel(), Korean("예"));
            EXPECT_EQ(box->GetNoLabel(), Korean("아니요"));
            const long style = box->GetMessageDialogStyle();
            EXPECT_EQ(style & (wxYES_NO | wxCANCEL | wxOK), wxYES_NO);
            EXPECT_FALSE(style & wxNO_DEFAULT);
            EXPECT_EQ(style & wxICON_MASK, wxICON_NONE);
            EXPECT_NE(dynamic_cast<CWordBookDlg*>(box->GetParent()) ||
                          dynamic_cast<CRecentWordDlg*>(box->GetParent()),
                      false)
                << "the box is owned by the dialog";
            return answer;
        });
    }
};

TEST_F(DialogsTest, EveryDialogResourceLoadsWithItsControlsInTabOrder) {
    struct Control {
        int id;
        wxClassInfo* kind;
        const char* label;
        wxPoint pos;
        wxSize size;
    };
    struct Template {
        const char* name;
        const char* title;
        wxSize size;
        std::vector<Control> controls;
    };
    const std::vector<Template> templates = {
        {"130",
         "단어장",
         {139, 153},
         {{1006, wxCLASSINFO(wxListBox), "", {7, 7}, {70, 139}},
          {wxID_OK, wxCLASSINFO(wxButton), "검색", {82, 7}, {50, 14}},
          {1004, wxCLASSINFO(wxButton), "전체 삭제", {82, 92}, {50, 14}},
          {1003, wxCLASSINFO(wxButton), "삭제", {82, 111}, {50, 14}},
          {wxID_CANCEL, wxCLASSINFO(wxButton), "닫기", {82, 132}, {50, 14}}}},
        {"131",
         "최근 검색어",
         {139, 153},
         {{1005, wxCLASSINFO(wxListBox), "", {7, 7}, {70, 139}},
          {wxID_OK, wxCLASSINFO(wxButton), "검색", {82, 7}, {50, 14}},
          {1004, wxCLASSINFO(wxButton), "전체 삭제", {82, 113}, {50, 14}},
          {wxID_CANCEL, wxCLASSINFO(wxButton), "닫기", {82, 132}, {50, 14}}}},
        {"132",
         "사전 선택",
         {247, 187},
         {{1005, wxCLASSINFO(wxListCtrl), "", {7, 7}, {233, 126}},
          {wxID_ANY, wxCLASSINFO(wxStaticText), "코드 페이지", {7, 137}, {123, 8}},
          {wxID_ANY, wxCLASSINFO(wxComboBox), "", {7, 147}, {}},
          {wxID_OK, wxCLASSINFO(wxButton), "선택", {7, 166}, {50, 14}},
          {wxID_CANCEL, wxCLASSINFO(wxButton), "취소", {80, 166}, {50, 14}},
          {wxID_ANY, wxCLASSINFO(wxButton), "삭제", {190, 166}, {50, 14}}}},
        {"100",
         "TAVIK 이란 ?",
         {138, 152},
         {{128, wxCLASSINFO(wxStaticBitmap), "", {16, 15}, {}},
          {wxID_ANY, wxCLASSINFO(wxStaticText), "Tavik ver 1.0", {47, 21}, {65, 8}},
          {wxID_ANY,
           wxCLASSINFO(wxStaticText),
           "© Tavik 개발자\n자유 소프트웨어, MIT License",
           {7, 113},
           {119, 16}},
          {1025,
           wxCLASSINFO(wxStaticText),
           "An offline dictionary\nfor the Linux desktop",
           {7, 44},
           {123, 21}},
          {155, wxCLASSINFO(wxStaticBitmap), "", {41, 76}, {}},
          {wxID_OK, wxCLASSINFO(wxButton), "닫기", {44, 132}, {50, 14}}}},
    };
    for (const Template& expected : templates) {
        SCOPED_TRACE(expected.name);
        wxDialog dialog;
        ASSERT_TRUE(wxXmlResource::Get()->LoadDialog(&dialog, &Frame(), expected.name));
        EXPECT_EQ(dialog.GetTitle(), Korean(expected.title));
        EXPECT_EQ(dialog.GetClientSize(), dialog.ConvertDialogToPixels(expected.size));
        const wxWindowList& children = dialog.GetChildren();
        ASSERT_EQ(children.size(), expected.controls.size());
        size_t i = 0;
        for (wxWindow* child : children) {
            const Control& control = expected.controls[i++];
            SCOPED_TRACE(i);
            if (control.id != wxID_ANY) {
                EXPECT_EQ(child->GetId(), control.id);
            }
            EXPECT_TRUE(child->IsKindOf(control.kind));
            if (*control.label) {
                EXPECT_EQ(child->GetLabel(), Korean(control.label));
            }
            EXPECT_EQ(child->GetPosition(), dialog.ConvertDialogToPixels(control.pos));
            if (control.size != wxSize()) {
                EXPECT_EQ(child->GetSize(), dialog.ConvertDialogToPixels(control.size));
            }
        }
        if (auto* ok = dynamic_cast<wxButton*>(dialog.FindWindow(wxID_OK))) {
            EXPECT_EQ(dialog.GetDefaultItem(), ok);
        }
    }
}

TEST_F(DialogsTest, WordBookDeletesTheSelectedWordFromListMemoryAndFile) {
    LoadWordBook("apple\npear\n");  // the wordbook, front first: pear, apple
    const wxString page = Shown();
    g_dialogs.WhenShown([&](wxDialog& dialog) {
        EXPECT_EQ(Items(dialog, kIdWordBookList), (std::vector<wxString>{"apple", "pear"}));
        EXPECT_EQ(List(dialog, kIdWordBookList).GetSelection(), 0);
        List(dialog, kIdWordBookList).SetSelection(1);
        ExpectQuestion("선택된 항목을 삭제 하시겠습니까 ?", wxID_YES);
        Press(dialog, kIdWordBookDelete);
        EXPECT_EQ(Items(dialog, kIdWordBookList), std::vector<wxString>{"apple"});
        EXPECT_EQ(List(dialog, kIdWordBookList).GetSelection(), 0);
        EXPECT_EQ(WordBookFile(), "apple\n");
        Press(dialog, wxID_CANCEL);
    });
    Menu(kCmdWordBook);
    EXPECT_EQ(Words().m_listWordBook.Count(), 1u);
    EXPECT_EQ(Shown(), page);  // closing starts no search
}

TEST_F(DialogsTest, WordBookNoChangesNothingAndTheChosenWordIsSearched) {
    LoadWordBook("cat\nbird\ndog\n");
    g_dialogs.WhenShown([&](wxDialog& dialog) {
        const std::vector<wxString> all{"bird", "cat", "dog"};
        ASSERT_EQ(Items(dialog, kIdWordBookList), all);
        ExpectQuestion("선택된 항목을 삭제 하시겠습니까 ?", wxID_NO);
        Press(dialog, kIdWordBookDelete);
        ExpectQuestion("항목 전체를 삭제 하시겠습니까 ?", wxID_NO);
        Press(dialog, kIdWordBookDeleteAll);
        EXPECT_EQ(Items(dialog, kIdWordBookList), all);
        EXPECT_EQ(WordBookFile(), "cat\nbird\ndog\n");

        ExpectQuestion("선택된 항목을 삭제 하시겠습니까 ?", wxID_YES);
        Press(dialog, kIdWordBookDelete);  // the first of three
        EXPECT_EQ(Items(dialog, kIdWordBookList), (std::vector<wxString>{"cat", "dog"}));
        EXPECT_EQ(List(dialog, kIdWordBookList).GetSelection(), 0);
        EXPECT_EQ(WordBookFile(), "cat\ndog\n");

        // The second item, and Enter on the list as the user presses it.
        List(dialog, kIdWordBookList).SetSelection(1);
        List(dialog, kIdWordBookList).SetFocus();
        PressKey(List(dialog, kIdWordBookList), WXK_RETURN);
    });
    Menu(kCmdWordBookButton);
    EXPECT_EQ(SearchEdit().GetValue(), "dog");
    EXPECT_TRUE(ShowsHeadword("dog")) << Shown();
}

TEST_F(DialogsTest, WordBookDeleteAllThenCloseLeavesNoFileAndStartsNoSearch) {
    LoadWordBook("apple\npear\n");
    const wxString page = Shown();
    g_dialogs.WhenShown([&](wxDialog& dialog) {
        ExpectQuestion("항목 전체를 삭제 하시겠습니까 ?", wxID_YES);
        Press(dialog, kIdWordBookDeleteAll);
        EXPECT_TRUE(Items(dialog, kIdWordBookList).empty());
        EXPECT_FALSE(fs::exists(Words().WordBookPath()));
        PressKey(dialog, WXK_ESCAPE);
    });
    Menu(kCmdWordBook);
    EXPECT_TRUE(Words().m_listWordBook.IsEmpty());
    EXPECT_FALSE(fs::exists(Words().WordBookPath()));
    EXPECT_EQ(Shown(), page);

    // The next word kept makes the file again.
    Type("egg");
    Click(kIdSearchButton);
    Menu(kCmdAddWordBook);
    EXPECT_EQ(WordBookFile(), "egg\n");
}

TEST_F(DialogsTest, RecentWordsListRepeatsAndTheChosenOneIsSearchedAgain) {
    for (const char* word : {"cat", "dog", "cat"}) {
        Type(word);
        Click(kIdSearchButton);
    }
    g_dialogs.WhenShown([&](wxDialog& dialog) {
        const std::vector<wxString> items = Items(dialog, kIdRecentWordList);
        ASSERT_GE(items.size(), 3u);
        EXPECT_EQ(std::vector<wxString>(items.begin(), items.begin() + 3),
                  (std::vector<wxString>{"cat", "dog", "cat"}));
        EXPECT_EQ(List(dialog, kIdRecentWordList).GetSelection(), 0);
        // Down to the second word and Enter, on the keyboard.
        dialog.Raise();
        List(dialog, kIdRecentWordList).SetFocus();
        Pump();
        wxUIActionSimulator keyboard;
        keyboard.Char(WXK_DOWN);
        keyboard.Char(WXK_RETURN);
        for (int i = 0; i < 40 && dialog.IsModal(); ++i) Pump();
    });
    Menu(kCmdRecentWord);
    EXPECT_TRUE(ShowsHeadword("dog")) << Shown();
    EXPECT_EQ(SearchEdit().GetValue(), "dog");
    EXPECT_EQ(Words().m_listRecentWord.Entries().front().word, u"dog");
    const std::string file = ReadBytes(Words().RecentWordPath());
    EXPECT_TRUE(file.ends_with("cat\ndog\ncat\ndog\n")) << file;
}

TEST_F(DialogsTest, ADoubleClickInTheWordListsChoosesTheWord) {
    LoadWordBook("cat\nbird\n");
    auto doubleClick = [](wxDialog& dialog, int list, int index) {
        List(dialog, list).SetSelection(index);
        wxCommandEvent event(wxEVT_LISTBOX_DCLICK, list);
        event.SetEventObject(&List(dialog, list));
        event.SetInt(index);
        List(dialog, list).ProcessWindowEvent(event);
        EXPECT_FALSE(dialog.IsModal());
    };
    g_dialogs.WhenShown([&](wxDialog& dialog) { doubleClick(dialog, kIdWordBookList, 1); });
    Menu(kCmdWordBook);
    EXPECT_EQ(SearchEdit().GetValue(), "cat");
    EXPECT_TRUE(ShowsHeadword("cat")) << Shown();

    Type("egg");
    Click(kIdSearchButton);
    g_dialogs.WhenShown([&](wxDialog& dialog) { doubleClick(dialog, kIdRecentWordList, 1); });
    Menu(kCmdRecentWord);
    EXPECT_EQ(SearchEdit().GetValue(), "cat");
    EXPECT_TRUE(ShowsHeadword("cat")) << Shown();
}

TEST_F(DialogsTest, RecentWordsAllDeletedThenCloseEmptiesTheSearchBox) {
    Type("bird");
    Click(kIdSearchButton);
    const wxString page = Shown();
    ASSERT_GT(SearchEdit().GetCount(), 0u);
    g_dialogs.WhenShown([&](wxDialog& dialog) {
        ExpectQuestion("항목 전체를 삭제 하시겠습니까 ?", wxID_NO);
        Press(dialog, kIdRecentWordDeleteAll);
        EXPECT_FALSE(Items(dialog, kIdRecentWordList).empty());
        EXPECT_TRUE(fs::exists(Words().RecentWordPath()));
        ExpectQuestion("항목 전체를 삭제 하시겠습니까 ?", wxID_YES);
        Press(dialog, kIdRecentWordDeleteAll);
        EXPECT_TRUE(Items(dialog, kIdRecentWordList).empty());
        Press(dialog, wxID_CANCEL);
    });
    Menu(kCmdRecentWordButton);
    EXPECT_TRUE(Words().m_listRecentWord.IsEmpty());
    EXPECT_FALSE(fs::exists(Words().RecentWordPath()));
    EXPECT_EQ(SearchEdit().GetCount(), 0u);
    EXPECT_EQ(SearchEdit().GetValue(), "");
    EXPECT_EQ(wxWindow::FindFocus(), &SearchEdit());
    EXPECT_EQ(Shown(), page);
}

TEST_F(DialogsTest, DictionaryDialogListsTheFolderSortedWithSizesAndCancelChangesNothing) {
    const fs::path data = DataFolder(Home());
    const fs::path tavik = data / "Tavik.txt";
    ASSERT_TRUE(StoredPathIs(tavik)) << SettingsFile();
    // Copied in after the start: the dialog shows them, and so does the
    // list in the window once the dialog closes.
    WriteBytes(data / "Zeta.txt", "zebra/a striped horse\n");
    WriteBytes(data / "k.txt", "kiwi/a fruit\n");
    WriteBytes(data / ".hidden", "x/y\n");
    fs::create_directories(data / "folder");

    wxChoice& combo = Control<wxChoice>(kIdSelectDicList);
    g_dialogs.WhenShown([&](wxDialog& dialog) {
        EXPECT_EQ(RowTexts(dialog), (std::vector<wxString>{"k.txt", "Tavik.txt", "Zeta.txt"}));
        EXPECT_EQ(
            RowTexts(dialog, kDicColumnSize),
            (std::vector<wxString>{"13 B", ToWx(FileSizeText(fs::file_size(tavik))), "22 B"}));
        // Nothing chosen for them: what their bytes were found to be.
        for (const wxString& codePage : RowTexts(dialog, kDicColumnCodePage))
            EXPECT_TRUE(codePage.EndsWith(Korean(" (자동)")) && codePage.size() > 5) << codePage;
        EXPECT_EQ(SelectedRowName(dialog), "Tavik.txt");
        SelectRow(dialog, "Zeta.txt");
        Press(dialog, wxID_CANCEL);
    });
    Menu(kCmdSelectDic);
    EXPECT_TRUE(StoredPathIs(tavik)) << SettingsFile();
    EXPECT_EQ(theApp().m_strDicPath, tavik);
    // Every dictionary at once first, then the files.
    ASSERT_EQ(combo.GetCount(), 4u);
    EXPECT_EQ(combo.GetString(1), "k.txt");
    EXPECT_EQ(combo.GetString(3), "Zeta.txt");
    EXPECT_EQ(combo.GetStringSelection(), "Tavik.txt");
}

TEST_F(DialogsTest, TheDictionaryListShowsTheDictionaryInUseInTheListingsOrder) {
    const fs::path data = DataFolder(Home());
    wxChoice& combo = Control<wxChoice>(kIdSelectDicList);
    const fs::path before = theApp().m_strDicPath;
    for (const char* name : {"aardvark.txt", "gcide.txt", "Zoo.txt"}) {
        WriteBytes(data / name, "apple/an apple\n");
        theApp().ChooseDictionary(data / name);
        View().FillDicList();
        EXPECT_EQ(combo.GetStringSelection(), name);
    }
    std::vector<wxString> items;
    for (unsigned i = 1; i < combo.GetCount(); ++i) items.push_back(combo.GetString(i));
    EXPECT_EQ(items, (std::vector<wxString>{"aardvark.txt", "gcide.txt", "k.txt", "Tavik.txt",
                                            "Zeta.txt", "Zoo.txt"}));
    // The file in use gone behind the program's back: nothing is selected
    // rather than another file.
    fs::remove(data / "Zoo.txt");
    View().FillDicList();
    EXPECT_EQ(combo.GetSelection(), wxNOT_FOUND);
    EXPECT_EQ(combo.FindString("Zoo.txt"), wxNOT_FOUND);

    theApp().ChooseDictionary(before);
    for (const char* name : {"aardvark.txt", "gcide.txt"}) fs::remove(data / name);
    // The window coming back to the front lists the folder again.
    wxActivateEvent activated(wxEVT_ACTIVATE, true);
    activated.SetEventObject(&Frame());
    Frame().ProcessWindowEvent(activated);
    EXPECT_EQ(combo.FindString("gcide.txt"), wxNOT_FOUND);
    EXPECT_EQ(combo.GetStringSelection(), "Tavik.txt");
}

TEST_F(DialogsTest, AChosenDictionaryShowsTheWordAgainAtOnceWithTheFocusInTheSearchBox) {
    const fs::path data = DataFolder(Home());
    wxChoice& combo = Control<wxChoice>(kIdSelectDicList);
    Type("zebra");
    Click(kIdSearchButton);
    EXPECT_FALSE(Shown().Contains("striped")) << Shown();

    g_dialogs.WhenShown([&](wxDialog& dialog) {
        // A double click chooses, as the OK button does.
        ActivateRow(dialog, "Zeta.txt");
        EXPECT_FALSE(dialog.IsModal());
    });
    Menu(kCmdSelectDic);
    EXPECT_TRUE(StoredPathIs(data / "Zeta.txt")) << SettingsFile();
    EXPECT_EQ(theApp().m_strDicPath, data / "Zeta.txt");
    EXPECT_TRUE(ShowsHeadword("zebra")) << Shown();
    EXPECT_TRUE(Shown().Contains("striped")) << Shown();
    EXPECT_EQ(combo.GetStringSelection(), "Zeta.txt");
    EXPECT_TRUE(PumpUntil([&] { return wxWindow::FindFocus() == &SearchEdit(); }));

    // Choosing with nothing selected changes nothing.
    g_dialogs.WhenShown([&](wxDialog& dialog) {
        EXPECT_EQ(SelectedRowName(dialog), "Zeta.txt");
        ClearRowSelection(dialog);
        Press(dialog, wxID_OK);
    });
    Menu(kCmdSelectDic);
    EXPECT_TRUE(StoredPathIs(data / "Zeta.txt")) << SettingsFile();

    // Back to the bundled dictionary through the list in the window: the
    // word is looked up there at once.
    Control<wxButton>(kIdSearchButton).SetFocus();
    combo.SetStringSelection("Tavik.txt");
    wxCommandEvent pick(wxEVT_CHOICE, kIdSelectDicList);
    pick.SetEventObject(&combo);
    combo.ProcessWindowEvent(pick);
    Pump();
    EXPECT_TRUE(StoredPathIs(data / "Tavik.txt")) << SettingsFile();
    EXPECT_FALSE(Shown().Contains("striped")) << Shown();
    EXPECT_EQ(SearchEdit().GetValue(), "zebra");
    EXPECT_TRUE(PumpUntil([&] { return wxWindow::FindFocus() == &SearchEdit(); }));

    // With nothing in the search box there is nothing to show again.
    Type("");
    const wxString page = Shown();
    combo.SetStringSelection("Zeta.txt");
    combo.ProcessWindowEvent(pick);
    Pump();
    EXPECT_EQ(Shown(), page);
    EXPECT_TRUE(g_messages.empty()) << g_messages.front();

    // Enter in the dialog's list chooses too.
    g_dialogs.WhenShown([&](wxDialog& dialog) {
        SelectRow(dialog, "Tavik.txt");
        DictionaryRows(dialog).SetFocus();
        PressKey(DictionaryRows(dialog), WXK_RETURN);
        EXPECT_FALSE(dialog.IsModal());
    });
    Menu(kCmdSelectDic);
    EXPECT_EQ(theApp().m_strDicPath, data / "Tavik.txt");
    EXPECT_EQ(combo.GetStringSelection(), "Tavik.txt");
}

TEST_F(DialogsTest, RemoveMovesTheFileToTheTrashAfterAskingAndAnotherOneTakesOverIfItWasInUse) {
    const fs::path data = DataFolder(Home());
    const fs::path trash = Home() / "data" / "Trash";  // XDG_DATA_HOME of the tests
    WriteBytes(data / "Old.txt", "apple/an old apple\n");
    WriteBytes(data / "Aaa.txt", "apple/the first apple\n");
    const wxString question =
        wxString::Format(Korean("‘%s’ 사전을 휴지통으로 옮기시겠습니까?"), "Old.txt");
    const auto answer = [&](int reply) {
        g_dialogs.Answer([&, reply](wxDialog& box) -> int {
            EXPECT_EQ(dynamic_cast<wxMessageDialog&>(box).GetMessage(), question);
            EXPECT_NE(dynamic_cast<CDicSelectDlg*>(box.GetParent()), nullptr);
            return reply;
        });
    };
    g_dialogs.WhenShown([&](wxDialog& dialog) {
        SelectRow(dialog, "Old.txt");
        answer(wxID_NO);
        Press(dialog, XRCID("remove_button"));
        EXPECT_TRUE(fs::exists(data / "Old.txt"));
        answer(wxID_YES);
        Press(dialog, XRCID("remove_button"));
        EXPECT_FALSE(fs::exists(data / "Old.txt"));
        EXPECT_EQ(RowTexts(dialog),
                  (std::vector<wxString>{"Aaa.txt", "k.txt", "Tavik.txt", "Zeta.txt"}));
        EXPECT_EQ(SelectedRowName(dialog), "Tavik.txt");  // the one in use
        Press(dialog, wxID_CANCEL);
    });
    Menu(kCmdSelectDic);
    EXPECT_EQ(ReadBytes(trash / "files" / "Old.txt"), "apple/an old apple\n");
    const std::string info = ReadBytes(trash / "info" / "Old.txt.trashinfo");
    EXPECT_TRUE(info.starts_with("[Trash Info]\nPath=" + fs::canonical(data).string() +
                                 "/Old.txt\nDeletionDate="))
        << info;
    EXPECT_EQ(theApp().m_strDicPath, data / "Tavik.txt");
    EXPECT_TRUE(g_messages.empty());

    // The dictionary in use: the first one left takes over, the user is
    // told, and the page shows the word in it.
    theApp().ChooseDictionary(data / "Zeta.txt");
    Type("apple");
    Click(kIdSearchButton);
    g_dialogs.WhenShown([&](wxDialog& dialog) {
        EXPECT_EQ(SelectedRowName(dialog), "Zeta.txt");
        g_dialogs.Answer([](wxDialog&) { return int(wxID_YES); });
        Press(dialog, XRCID("remove_button"));
        EXPECT_EQ(SelectedRowName(dialog), "Aaa.txt");
        Press(dialog, wxID_CANCEL);
    });
    Menu(kCmdSelectDic);
    EXPECT_FALSE(fs::exists(data / "Zeta.txt"));
    EXPECT_EQ(ReadBytes(trash / "files" / "Zeta.txt"), "zebra/a striped horse\n");
    EXPECT_EQ(theApp().m_strDicPath, data / "Aaa.txt");
    EXPECT_TRUE(StoredPathIs(data / "Aaa.txt")) << SettingsFile();
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_TRUE(g_messages[0].Contains("Zeta.txt") && g_messages[0].Contains("Aaa.txt"))
        << g_messages[0];
    EXPECT_EQ(Control<wxChoice>(kIdSelectDicList).GetStringSelection(), "Aaa.txt");
    EXPECT_TRUE(Shown().Contains("the first apple")) << Shown();

    // The last one gone: none is in use, and the user is told so.
    fs::remove(data / "k.txt");
    fs::remove(data / "Aaa.txt");
    theApp().ChooseDictionary(data / "Tavik.txt");
    g_messages.clear();
    g_dialogs.WhenShown([&](wxDialog& dialog) {
        EXPECT_EQ(RowTexts(dialog), std::vector<wxString>{"Tavik.txt"});
        g_dialogs.Answer([](wxDialog&) { return int(wxID_YES); });
        Press(dialog, XRCID("remove_button"));
        EXPECT_TRUE(RowTexts(dialog).empty());
        EXPECT_FALSE(dialog.FindWindow(XRCID("remove_button"))->IsEnabled());
        Press(dialog, wxID_OK);
    });
    Menu(kCmdSelectDic);
    EXPECT_EQ(theApp().m_strDicPath, fs::path());
    EXPECT_TRUE(StoredPathIs(fs::path())) << SettingsFile();
    ASSERT_FALSE(g_messages.empty());
    EXPECT_TRUE(g_messages[0].Contains("Tavik.txt")) << g_messages[0];
    EXPECT_EQ(Control<wxChoice>(kIdSelectDicList).GetCount(), 1u);  // every dictionary, of none

    fs::copy_file(trash / "files" / "Tavik.txt", data / "Tavik.txt");
    theApp().ChooseDictionary(data / "Tavik.txt");
    View().FillDicList();
    g_messages.clear();
}

// A file gone while the dialog was open is not made the dictionary in use.
TEST_F(DialogsTest, ChoosingAFileThatWentAwayMeanwhileSaysSoAndKeepsTheDialogOpen) {
    const fs::path data = DataFolder(Home());
    const fs::path before = theApp().m_strDicPath;
    WriteBytes(data / "Gone.txt", "apple/soon gone\n");
    g_dialogs.WhenShown([&](wxDialog& dialog) {
        ASSERT_TRUE(SelectRow(dialog, "Gone.txt"));
        fs::remove(data / "Gone.txt");
        Press(dialog, wxID_OK);
        EXPECT_TRUE(dialog.IsModal());
        ASSERT_EQ(g_messages.size(), 1u);
        EXPECT_TRUE(g_messages[0].Contains("Gone.txt")) << g_messages[0];
        const std::vector<wxString> rows = RowTexts(dialog);
        EXPECT_EQ(std::count(rows.begin(), rows.end(), "Gone.txt"), 0);
        EXPECT_FALSE(rows.empty());
        Press(dialog, wxID_CANCEL);
    });
    Menu(kCmdSelectDic);
    EXPECT_EQ(theApp().m_strDicPath, before);
    g_messages.clear();
}

TEST_F(DialogsTest, ADictionaryNamedInCp949IsListedInKoreanChosenAndSearched) {
    const fs::path data = DataFolder(Home());
    const std::string name = "\xBB\xE7\xC0\xFC.txt";  // 사전.txt in CP949
    WriteBytes(data / name, "kiwi/a fruit from a CP949-named file\n");
    g_dialogs.WhenShown([&](wxDialog& dialog) {
        EXPECT_TRUE(SelectRow(dialog, Korean("사전.txt")));
        Press(dialog, wxID_OK);
    });
    Menu(kCmdSelectDic);
    EXPECT_EQ(theApp().m_strDicPath, data / name);
    EXPECT_EQ(theApp().StoredDictionaryPath(), data / name);
    Type("kiwi");
    Click(kIdSearchButton);
    EXPECT_TRUE(ShowsHeadword("kiwi")) << Shown();
    EXPECT_TRUE(Shown().Contains("CP949-named")) << Shown();
    theApp().ChooseDictionary(data / "Tavik.txt");
    fs::remove(data / name);
}

TEST_F(DialogsTest, AboutBoxShowsItsPicturesCentredOverTheWindowEachTime) {
    for (int key : {int(WXK_ESCAPE), int(WXK_RETURN), 0}) {
        g_dialogs.WhenShown([&](wxDialog& dialog) {
            EXPECT_EQ(dialog.GetTitle(), Korean("TAVIK 이란 ?"));
            EXPECT_EQ(dialog.GetParent(), &Frame());
            auto& icon = *dynamic_cast<wxStaticBitmap*>(dialog.FindWindow(kIdAboutIcon));
            auto& picture = *dynamic_cast<wxStaticBitmap*>(dialog.FindWindow(kIdAboutPicture));
            EXPECT_EQ(icon.GetBitmap().GetSize(), wxSize(32, 32));
            EXPECT_EQ(picture.GetBitmap().GetSize(), wxSize(80, 36));
            EXPECT_EQ(picture.GetPosition(), dialog.ConvertDialogToPixels(wxPoint(41, 76)));
            EXPECT_EQ(dialog.FindWindow(kIdAboutContact)->GetLabel(),
                      "An offline dictionary\nfor the Linux desktop");
            EXPECT_EQ(dialog.FindWindow(XRCID("about_version"))->GetLabel(),
                      wxString("Tavik ver ") + kTavikVersion);
            EXPECT_TRUE(
                dialog.FindWindow(XRCID("about_rights"))->GetLabel().Contains("MIT License"));
            const wxPoint centre = dialog.GetRect().GetPosition() + dialog.GetSize() / 2;
            const wxPoint frameCentre = Frame().GetRect().GetPosition() + Frame().GetSize() / 2;
            EXPECT_LE(std::abs(centre.x - frameCentre.x), 2);
            EXPECT_LE(std::abs(centre.y - frameCentre.y), 2);
            // Escape, Enter, or its own close button.
            if (key)
                PressKey(dialog, key);
            else
                Press(dialog, wxID_OK);
        });
        Menu(kCmdAppAbout);
    }
}

}  // namespace
}  // namespace tavik
