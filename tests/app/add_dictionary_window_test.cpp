// 사전 추가 as a user meets it: opened from the menu and from the first start
// page's link, a dictd dictionary the test makes added from the list with the
// progress dialog, cancelled halfway, and a corrupt file picked by hand.
#include <wx/listctrl.h>
#include <wx/msgdlg.h>
#include <wx/xrc/xmlres.h>

#include <condition_variable>
#include <mutex>

#include "app/add_dictionary_dlg.h"
#include "app/first_start.h"
#include "app/import_progress_dlg.h"
#include "app/window_fixture.h"
#include "app/wx_text.h"
#include "tools/test_files.h"

namespace tavik {
namespace {

namespace fs = std::filesystem;

wxListCtrl& InstalledList(wxDialog& dialog) {
    return *dynamic_cast<wxListCtrl*>(dialog.FindWindow(wxXmlResource::GetXRCID("installed_list")));
}

class AddDictionaryTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        testing::WriteDictd(installed / "dictd" / "tiny", "Tiny Test Dictionary", 40);
        saved = AddDictionaryDefaults();
        AddDictionaryDefaults().installedFolders = [this] {
            return DictionaryFolders{{installed / "dictd"}, {}};
        };
        before = theApp().m_strDicPath;
        dataBefore = DataFiles();
    }
    void TearDown() override {
        AddDictionaryDefaults() = saved;
        for (const std::string& name : DataFiles())
            if (std::find(dataBefore.begin(), dataBefore.end(), name) == dataBefore.end())
                fs::remove(Data() / name);
        theApp().ChooseDictionary(before);
        View().FillDicList();
        WindowTest::TearDown();
    }
    fs::path Data() { return theApp().m_strAppDir / "Data"; }
    std::vector<std::string> DataFiles() {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(Data()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    void OpenFromMenu() {
        wxCommandEvent event(wxEVT_MENU, AddDictionaryCommandId());
        event.SetEventObject(&Frame());
        Frame().ProcessWindowEvent(event);
        Pump();
    }
    // The progress dialog, left to run to its end.
    void LetProgressFinish() {
        g_dialogs.WhenShown([](wxDialog& progress) {
            EXPECT_NE(dynamic_cast<ImportProgressDlg*>(&progress), nullptr);
            EXPECT_TRUE(PumpUntil([&] { return !progress.IsModal(); }));
        });
    }

    testing::TempDir installed;
    AddDictionaryServices saved;
    fs::path before;
    std::vector<std::string> dataBefore;
};

TEST_F(AddDictionaryTest, TheMenuAndTheFirstStartLinkOpenTheDialog) {
    // With only the bundled dictionary, the page offers the one installed;
    // with none, it names the folder.
    testing::WriteBytes(installed / "bundled" / "Tavik.txt", "a/b\n");
    fs::create_directories(installed / "empty" / "Data");
    ShowFirstStartPage(*View().HtmlView(), {installed / "bundled"},
                       AddDictionaryDefaults().installedFolders());
    EXPECT_TRUE(Shown().Contains("tavik-command:add-dictionary")) << Shown();
    EXPECT_TRUE(Shown().Contains(wxString::FromUTF8("1개"))) << Shown();
    ShowFirstStartPage(*View().HtmlView(), {installed / "empty" / "Data"}, DictionaryFolders{});
    EXPECT_TRUE(Shown().Contains(PathToWx(installed / "empty" / "Data"))) << Shown();
    EXPECT_TRUE(Shown().Contains("tavik-command:add-dictionary")) << Shown();

    for (int way = 0; way < 2; ++way) {
        g_dialogs.WhenShown([](wxDialog& dialog) {
            EXPECT_NE(dynamic_cast<AddDictionaryDlg*>(&dialog), nullptr);
            EXPECT_EQ(dialog.GetTitle(), wxString::FromUTF8("사전 추가"));
            wxListCtrl& list = InstalledList(dialog);
            EXPECT_EQ(list.GetItemCount(), 1);
            EXPECT_EQ(list.GetItemText(0, 0), "Tiny Test Dictionary");
            EXPECT_EQ(list.GetItemText(0, 1), "dictd");
            EXPECT_FALSE(list.GetItemText(0, 2).empty());
            PressDialogButton(dialog, wxID_CLOSE);
        });
        if (way == 0)
            OpenFromMenu();
        else
            View().OnHotspot("tavik-command:add-dictionary");
        EXPECT_TRUE(g_dialogs.AllUsed());
    }
    EXPECT_TRUE(g_messages.empty());
    EXPECT_EQ(DataFiles(), dataBefore);
}

TEST_F(AddDictionaryTest, AnInstalledDictionaryIsImportedChosenAndSearched) {
    Type("word7");
    g_dialogs.WhenShown([this](wxDialog& dialog) {
        LetProgressFinish();
        PressDialogButton(dialog, wxXmlResource::GetXRCID("import_button"));
        // Added: no longer offered.
        EXPECT_EQ(InstalledList(dialog).GetItemCount(), 0);
        PressDialogButton(dialog, wxID_CLOSE);
    });
    OpenFromMenu();
    const fs::path added = Data() / "Tiny Test Dictionary.txt";
    EXPECT_TRUE(fs::exists(added));
    EXPECT_EQ(theApp().m_strDicPath, added);
    EXPECT_EQ(Control<wxChoice>(kIdSelectDicList).GetStringSelection(), "Tiny Test Dictionary.txt");
    EXPECT_TRUE(ShowsHeadword("word7")) << Shown();
    EXPECT_TRUE(Shown().Contains("meaning 7")) << Shown();
    EXPECT_TRUE(g_messages.empty());
}

TEST_F(AddDictionaryTest, CancellingHalfwayLeavesNothingInData) {
    // The worker waits at its second report until the user has cancelled.
    std::mutex mutex;
    std::condition_variable released;
    bool cancelled = false;
    int reports = 0;
    AddDictionaryDefaults().onWorkerProgress = [&](const ImportProgress&) {
        std::unique_lock lock(mutex);
        if (++reports == 2) released.wait(lock, [&] { return cancelled; });
    };
    g_dialogs.WhenShown([&](wxDialog& dialog) {
        g_dialogs.WhenShown([&](wxDialog& progress) {
            EXPECT_TRUE(PumpUntil([&] {
                std::lock_guard lock(mutex);
                return reports >= 2;
            }));
            PressDialogButton(progress, wxID_CANCEL);
            {
                std::lock_guard lock(mutex);
                cancelled = true;
            }
            released.notify_all();
            EXPECT_TRUE(PumpUntil([&] { return !progress.IsModal(); }));
        });
        PressDialogButton(dialog, wxXmlResource::GetXRCID("import_button"));
        // Still offered.
        EXPECT_EQ(InstalledList(dialog).GetItemCount(), 1);
        PressDialogButton(dialog, wxID_CLOSE);
    });
    OpenFromMenu();
    EXPECT_EQ(reports, 2) << "the job went on after the cancel";
    EXPECT_EQ(DataFiles(), dataBefore);
    EXPECT_EQ(theApp().m_strDicPath, before);
    EXPECT_TRUE(g_messages.empty());
}

TEST_F(AddDictionaryTest, ACorruptPickedFileGivesAMessageNamingIt) {
    const fs::path corrupt = installed / "picked" / "broken.index";
    testing::WriteBytes(corrupt, "word0\tA\tZZZZZZZZ\n");
    testing::WriteBytes(installed / "picked" / "broken.dict", "tiny");
    AddDictionaryDefaults().pickFile = [&](wxWindow*) { return std::optional<fs::path>(corrupt); };
    g_dialogs.WhenShown([this](wxDialog& dialog) {
        LetProgressFinish();
        PressDialogButton(dialog, wxXmlResource::GetXRCID("pick_file_button"));
        PressDialogButton(dialog, wxID_CLOSE);
    });
    OpenFromMenu();
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_TRUE(g_messages[0].Contains(PathToWx(corrupt))) << g_messages[0];
    EXPECT_EQ(DataFiles(), dataBefore);
    EXPECT_EQ(theApp().m_strDicPath, before);
}

TEST_F(AddDictionaryTest, APickedFileOutOfOrderIsSortedIntoDataWhenTheUserAgrees) {
    const fs::path mixed = installed / "picked" / "Mixed Fruit.txt";
    testing::WriteBytes(mixed, "cherry/3\napple/1\nbanana/2\n");
    AddDictionaryDefaults().pickFile = [&](wxWindow*) { return std::optional<fs::path>(mixed); };
    for (const int answer : {wxID_NO, wxID_YES}) {
        g_dialogs.WhenShown([&](wxDialog& dialog) {
            LetProgressFinish();  // the check of its order
            g_dialogs.Answer([answer](wxDialog& question) {
                auto* box = dynamic_cast<wxMessageDialog*>(&question);
                EXPECT_NE(box, nullptr);
                if (box) {
                    EXPECT_TRUE(box->GetMessage().Contains("Mixed Fruit")) << box->GetMessage();
                }
                EXPECT_NE(dynamic_cast<AddDictionaryDlg*>(question.GetParent()), nullptr);
                return answer;
            });
            if (answer == wxID_YES) LetProgressFinish();  // the sort
            PressDialogButton(dialog, wxXmlResource::GetXRCID("pick_file_button"));
            PressDialogButton(dialog, wxID_CLOSE);
        });
        OpenFromMenu();
        if (answer == wxID_NO) {
            EXPECT_EQ(DataFiles(), dataBefore);
        }
    }
    const fs::path added = Data() / "Mixed Fruit.txt";
    EXPECT_EQ(testing::ReadBytes(added), "apple/1\nbanana/2\ncherry/3\n");
    EXPECT_EQ(testing::ReadBytes(mixed), "cherry/3\napple/1\nbanana/2\n");
    EXPECT_EQ(theApp().m_strDicPath, added);
    EXPECT_TRUE(g_messages.empty());
}

}  // namespace
}  // namespace tavik
