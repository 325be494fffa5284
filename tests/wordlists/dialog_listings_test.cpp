// What the wordbook, recent words and dictionary dialogs do, without the
// windows: which entry a delete removes, the selection after it, what the
// files hold afterwards, and the dictionary listing.
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>

#include "dict/recorders.h"
#include "dict/search.h"
#include "support/temp_dir.h"
#include "wordlists/dictionary_choice.h"
#include "wordlists/recent_word_listing.h"
#include "wordlists/word_book_listing.h"

namespace tavik {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempDir;

std::vector<Text> Words(const WordList& list) {
    std::vector<Text> words;
    for (const WordList::Entry& entry : list.Entries()) words.push_back(entry.word);
    return words;
}

std::vector<Text> Shown(const WordBookListing& listing) {
    std::vector<Text> words;
    for (const WordBookListing::Item& item : listing.Items()) words.push_back(item.word);
    return words;
}

class DialogListingTest : public ::testing::Test {
protected:
    // A wordbook loaded from `lines` (the last line is the front entry).
    void LoadWordBook(std::string_view lines) {
        m_dir.Write("Word.dat", lines);
        m_stores.LoadWordBook();
    }
    std::string WordBookFile() const { return ReadBytes(m_stores.WordBookPath()); }

    TempDir m_dir;
    WordStores m_stores{m_dir.Path()};
};

TEST_F(DialogListingTest, WordBookIsSortedAndDeletingSelectsTheItemAbove) {
    LoadWordBook("apple\npear\n");  // front first: pear, apple
    m_stores.AddWordBook(u"Banana");
    WordBookListing listing(m_stores);
    listing.FillWordList();
    EXPECT_EQ(Shown(listing), (std::vector<Text>{u"apple", u"Banana", u"pear"}));
    EXPECT_EQ(listing.Selection(), 0);

    listing.Select(2);
    EXPECT_EQ(listing.SelectedWord(), u"pear");
    EXPECT_TRUE(listing.DeleteSelected());
    EXPECT_EQ(Shown(listing), (std::vector<Text>{u"apple", u"Banana"}));
    EXPECT_EQ(listing.Selection(), 1);
    EXPECT_EQ(Words(m_stores.m_listWordBook), (std::vector<Text>{u"Banana", u"apple"}));
    EXPECT_EQ(WordBookFile(), "apple\nBanana\n");  // the file keeps its order

    listing.Select(0);  // the first item: the new first is selected
    EXPECT_TRUE(listing.DeleteSelected());
    EXPECT_EQ(listing.Selection(), 0);
    EXPECT_EQ(listing.SelectedWord(), u"Banana");
    EXPECT_EQ(WordBookFile(), "Banana\n");

    EXPECT_TRUE(listing.DeleteSelected());  // the last one: nothing left to select
    EXPECT_EQ(listing.Selection(), -1);
    EXPECT_EQ(listing.SelectedWord(), u"");
    EXPECT_EQ(WordBookFile(), "");
    EXPECT_TRUE(m_stores.m_listWordBook.IsEmpty());
}

TEST_F(DialogListingTest, EachOfTwoEqualWordsIsBoundToItsOwnEntry) {
    LoadWordBook("fig\napple\nfig\n");
    WordBookListing listing(m_stores);
    listing.FillWordList();
    ASSERT_EQ(Shown(listing), (std::vector<Text>{u"apple", u"fig", u"fig"}));
    EXPECT_NE(listing.Items()[1].position, listing.Items()[2].position);
    listing.Select(2);
    EXPECT_TRUE(listing.DeleteSelected());
    EXPECT_EQ(Words(m_stores.m_listWordBook), (std::vector<Text>{u"fig", u"apple"}));
    EXPECT_EQ(WordBookFile(), "fig\napple\n");
    listing.Select(1);
    EXPECT_TRUE(listing.DeleteSelected());
    EXPECT_EQ(Words(m_stores.m_listWordBook), (std::vector<Text>{u"apple"}));
}

TEST_F(DialogListingTest, DeleteWithNothingSelectedLeavesListAndFileAlone) {
    LoadWordBook("apple\npear\n");
    WordBookListing listing(m_stores);
    listing.FillWordList();
    listing.Select(-1);
    const fs::file_time_type written = fs::last_write_time(m_stores.WordBookPath());
    EXPECT_TRUE(listing.DeleteSelected());
    EXPECT_EQ(listing.Items().size(), 2u);
    EXPECT_EQ(listing.Selection(), -1);
    EXPECT_EQ(m_stores.m_listWordBook.Count(), 2u);
    EXPECT_EQ(fs::last_write_time(m_stores.WordBookPath()), written);

    listing.Select(7);  // out of range selects nothing
    EXPECT_EQ(listing.Selection(), -1);
}

TEST_F(DialogListingTest, AFailedRewriteIsReportedAndLosesNothingOnDisk) {
    LoadWordBook("apple\npear\n");
    WordBookListing listing(m_stores);
    listing.FillWordList();
    // Something else took the file's place: it cannot be replaced.
    fs::rename(m_stores.WordBookPath(), m_dir.Path() / "saved");
    fs::create_directory(m_stores.WordBookPath());
    m_dir.Write("Word.dat/keep", "x");
    EXPECT_FALSE(listing.DeleteSelected());
    EXPECT_EQ(Shown(listing), std::vector<Text>{u"pear"});
    EXPECT_EQ(ReadBytes(m_stores.WordBookPath() / "keep"), "x");
}

TEST_F(DialogListingTest, RecentWordsKeepRepeatsAndDeletingAllIsRemembered) {
    m_stores.LoadRecentWords();
    for (const char16_t* word : {u"cat", u"dog", u"cat"}) m_stores.AddRecentWord(word);
    RecentWordListing recent(m_stores);
    recent.FillWordList();
    EXPECT_EQ(recent.Items(), (std::vector<Text>{u"cat", u"dog", u"cat"}));
    EXPECT_EQ(recent.Selection(), 0);
    EXPECT_FALSE(recent.AllDeleted());
    recent.DeleteAll();
    EXPECT_TRUE(recent.AllDeleted());
    EXPECT_EQ(recent.SelectedWord(), u"");
    EXPECT_TRUE(m_stores.m_listRecentWord.IsEmpty());
    EXPECT_FALSE(fs::exists(m_stores.RecentWordPath()));
}

// The names as the folder itself reports them, for comparison.
std::vector<Text> ReaddirOrder(const fs::path& folder) {
    std::vector<Text> names;
    DIR* dir = ::opendir(folder.c_str());
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name[0] != '.' && fs::is_regular_file(folder / name)) names.push_back(FromUtf8(name));
    }
    ::closedir(dir);
    return names;
}

TEST(DictionaryChoice, ListsTheFolderInItsOwnOrderWithTheStoredFileSelected) {
    TempDir dir;
    for (const char* name : {"Zeta.txt", "Tavik.txt", "k.txt", "avik.txt", "b.txt", ".hidden"})
        dir.Write(fs::path("Data") / name, "a/b\n");
    fs::create_directories(dir.Path() / "Data" / "Sub.txt");
    fs::create_symlink("Zeta.txt", dir.Path() / "Data" / "link.txt");
    fs::create_symlink("gone.txt", dir.Path() / "Data" / "dangling.txt");
    const fs::path stored = dir.Path() / "Data" / "Tavik.txt";

    const std::vector<fs::path> data{dir.Path() / "Data"};
    const DictionaryListing listing = ListDictionaries(data, stored);
    EXPECT_EQ(listing.names, ReaddirOrder(dir.Path() / "Data"));
    EXPECT_EQ(listing.names.size(), 6u);  // five files and the link to one
    ASSERT_GE(listing.selection, 0);
    EXPECT_EQ(listing.names[size_t(listing.selection)], u"Tavik.txt");
    EXPECT_EQ(FindCurrentDictionary(listing.names, dir.Path() / "Data" / "link.txt"),
              FindCurrentDictionary(listing.names, fs::path("/elsewhere/link.txt")));

    EXPECT_EQ(ListDictionaries(data, dir.Path() / "Data" / "gone.txt").selection, -1);
    EXPECT_TRUE(ListDictionaries({dir.Path() / "missing"}, stored).names.empty());

    EXPECT_EQ(ChosenDictionaryPath(data, u"Zeta.txt"), dir.Path() / "Data" / "Zeta.txt");
    EXPECT_EQ(ChosenDictionaryPath(data, u"사전.txt"),
              dir.Path() / "Data" / fs::path(u8"사전.txt"));
    EXPECT_FALSE(ChosenDictionaryPath(data, u""));
}

// The home's Data and an installed one, listed as one: the user's files
// first, and the user's file where both hold the same name.
TEST(DictionaryChoice, TheUsersAndTheInstalledDataAreOneListAndTheUsersFileWinsAClash) {
    TempDir dir;
    const fs::path user = dir.Path() / "home" / "Data";
    const fs::path system = dir.Path() / "share" / "tavik" / "Data";
    dir.Write("home/Data/Mine.txt", "m/n\n");
    dir.Write("home/Data/Tavik.txt", "apple/my own\n");
    dir.Write("share/tavik/Data/Tavik.txt", "apple/installed\n");
    dir.Write("share/tavik/Data/Extra.txt", "x/y\n");

    const DictionaryListing listing = ListDictionaries({user, system}, system / "Extra.txt");
    std::vector<Text> mine(listing.names.begin(), listing.names.begin() + 2);
    std::sort(mine.begin(), mine.end());
    EXPECT_EQ(mine, (std::vector<Text>{u"Mine.txt", u"Tavik.txt"}));
    ASSERT_EQ(listing.names.size(), 3u);  // Tavik.txt once
    EXPECT_EQ(listing.names[2], u"Extra.txt");
    EXPECT_EQ(listing.selection, 2);
    EXPECT_EQ(listing.files[2], system / "Extra.txt");

    EXPECT_EQ(ChosenDictionaryPath({user, system}, u"Tavik.txt"), user / "Tavik.txt");
    EXPECT_EQ(ChosenDictionaryPath({user, system}, u"Extra.txt"), system / "Extra.txt");
    // A stored path of the installed file of a hidden name still marks the
    // name; without a Data of the user's own the installed file is listed.
    EXPECT_EQ(ListDictionaries({user, system}, system / "Tavik.txt").selection,
              ListDictionaries({user, system}, user / "Tavik.txt").selection);
    EXPECT_EQ(ChosenDictionaryPath({dir.Path() / "none", system}, u"Tavik.txt"),
              system / "Tavik.txt");
}

// A name in CP949 (made on Korean Windows) is shown in Korean and its file
// is found with the name's own bytes; bytes that are neither are shown
// escaped and still found.
TEST(DictionaryChoice, NamesThatAreNotUtf8AreShownReadablyAndLeadToTheirOwnFile) {
    TempDir dir;
    const std::string cp949Name = "\xBB\xE7\xC0\xFC.txt";  // 사전.txt
    const std::string brokenName = "bad\xFF\xFE.txt";
    dir.Write(fs::path("Data") / cp949Name, "apple/cp949 name\n");
    dir.Write(fs::path("Data") / brokenName, "apple/broken name\n");
    const std::vector<fs::path> data{dir.Path() / "Data"};

    const DictionaryListing listing = ListDictionaries(data, dir.Path() / "Data" / cp949Name);
    ASSERT_GE(listing.selection, 0);
    EXPECT_EQ(listing.names[size_t(listing.selection)], u"사전.txt");
    EXPECT_EQ(FileNameText(brokenName), u"bad\\xFF\\xFE.txt");
    EXPECT_EQ(FileNameText(u8"사전.txt"), u"사전.txt");

    const auto chosen = ChosenDictionaryPath(data, u"사전.txt");
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->filename().native(), cp949Name);
    EXPECT_EQ(ReadBytes(*chosen), "apple/cp949 name\n");
    // ... and searched.
    RecordingNeighbourList neighbours;
    RecordingPage page;
    RecordingMessages messages;
    EntryScreen screen{neighbours, page, messages};
    const CodePage codePage = CodePage::Default();
    const LookupResult found =
        LookUpAndShow(u"apple", Dictionary{*chosen, codePage}, dir.Path(), screen);
    EXPECT_EQ(found.strHeadword, u"apple");
    EXPECT_TRUE(messages.Messages().empty());
    EXPECT_NE(page.CopyText().find(u"cp949 name"), Text::npos);
    const auto broken = ChosenDictionaryPath(data, u"bad\\xFF\\xFE.txt");
    ASSERT_TRUE(broken);
    EXPECT_EQ(ReadBytes(*broken), "apple/broken name\n");
}

// The window's list shows the dictionaries by name, case ignored, the
// current one still selected.
TEST(DictionaryChoice, SortedByNameKeepsEachFileWithItsNameAndTheSelection) {
    DictionaryListing listing;
    listing.names = {u"zeta.txt", u"Tavik.txt", u"b.txt", u"B.txt", u"apple.txt"};
    for (const Text& name : listing.names) listing.files.push_back("/d/" + ToUtf8(name));
    listing.selection = 1;
    const DictionaryListing sorted = SortedByName(listing);
    EXPECT_EQ(sorted.names,
              (std::vector<Text>{u"apple.txt", u"B.txt", u"b.txt", u"Tavik.txt", u"zeta.txt"}));
    for (size_t i = 0; i < sorted.names.size(); ++i)
        EXPECT_EQ(sorted.files[i], "/d/" + ToUtf8(sorted.names[i]));
    EXPECT_EQ(sorted.selection, 3);
    listing.selection = -1;
    EXPECT_EQ(SortedByName(listing).selection, -1);
}

}  // namespace
}  // namespace tavik
