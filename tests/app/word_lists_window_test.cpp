// The word lists in the window: a change that cannot be saved is said on the
// status line, and the file is left as it was.
#include <sys/stat.h>
#include <wx/listbox.h>
#include <wx/msgdlg.h>
#include <wx/statusbr.h>

#include <filesystem>

#include "app/recent_word_dlg.h"
#include "app/window_fixture.h"
#include "app/word_book_dlg.h"
#include "app/wx_text.h"
#include "support/temp_dir.h"

namespace tavik {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::WriteBytes;

// Clicks the delete button `id`, answers Yes to its question, and closes the
// dialog.
void DeleteConfirmed(wxDialog& dialog, int id) {
    g_dialogs.Answer([](wxDialog&) { return wxID_YES; });
    wxCommandEvent click(wxEVT_BUTTON, id);
    click.SetEventObject(dialog.FindWindow(id));
    dialog.FindWindow(id)->ProcessWindowEvent(click);
    dialog.EndModal(wxID_CANCEL);
}

class WordListsWindowTest : public WindowTest {
protected:
    WordStores& Words() { return theApp().Words(); }
    wxString Status() { return Frame().GetStatusBar()->GetStatusText(); }
    bool SaysNotSaved(const fs::path& file) {
        const wxString status = Status();
        return status.Contains(wxString::FromUTF8("Tavik을 닫을 때까지만")) &&
               status.Contains(PathToWx(file));
    }
    void TearDown() override {
        ::chmod(Words().WordBookPath().c_str(), 0644);
        ::chmod(Words().RecentWordPath().c_str(), 0644);
        WindowTest::TearDown();
    }
};

TEST_F(WordListsWindowTest, AReadOnlyWordBookIsSaidOnTheStatusLineAndLeftAsItWas) {
    WriteBytes(Words().WordBookPath(), "apple\npear\n");
    Words().LoadWordBook();
    ::chmod(Words().WordBookPath().c_str(), 0444);
    View().ShowStatus(Text());

    Type("cat");
    Click(kIdSearchButton);
    Menu(kCmdAddWordBook);
    EXPECT_TRUE(SaysNotSaved(Words().WordBookPath())) << Status();
    EXPECT_EQ(Words().m_listWordBook.Count(), 3u);  // kept until Tavik closes

    View().ShowStatus(Text());
    g_dialogs.WhenShown([&](wxDialog& dialog) {
        auto& list = *dynamic_cast<wxListBox*>(dialog.FindWindow(kIdWordBookList));
        list.SetSelection(0);
        DeleteConfirmed(dialog, kIdWordBookDelete);
    });
    Menu(kCmdWordBook);
    EXPECT_TRUE(SaysNotSaved(Words().WordBookPath())) << Status();
    EXPECT_EQ(ReadBytes(Words().WordBookPath()), "apple\npear\n");
}

TEST_F(WordListsWindowTest, AReadOnlyRecentWordFileIsNotDeletedByDeleteAll) {
    Type("dog");
    Click(kIdSearchButton);
    const std::string before = ReadBytes(Words().RecentWordPath());
    ::chmod(Words().RecentWordPath().c_str(), 0444);
    View().ShowStatus(Text());
    g_dialogs.WhenShown([&](wxDialog& dialog) { DeleteConfirmed(dialog, kIdRecentWordDeleteAll); });
    Menu(kCmdRecentWord);
    EXPECT_TRUE(Words().m_listRecentWord.IsEmpty());
    EXPECT_EQ(ReadBytes(Words().RecentWordPath()), before);
    EXPECT_TRUE(SaysNotSaved(Words().RecentWordPath())) << Status();
}

}  // namespace
}  // namespace tavik
