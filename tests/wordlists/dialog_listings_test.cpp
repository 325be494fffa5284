// What the wordbook, recent words and dictionary dialogs do, without the
// windows: which entry a delete removes, the selection after it, what the
// files hold afterwards, and the dictionary listing.
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

// Sorted by name as a person reads it, not in the folder's own order: case
// decides only between names that are otherwise the same.
TEST(DictionaryChoice, ListsTheFilesSortedByNameWithTheirSizesAndTheStoredFileSelected) {
    TempDir dir;
    for (const char* name : {"Zeta.txt", "Tavik.txt", "k.txt", "avik.txt", "b.txt", "B.txt"})
        dir.Write(fs::path("Data") / name, "a/b\n");
    dir.Write("Data/.hidden", "x/y\n");
    dir.Write("Data/Zeta.txt", std::string(1500, 'z'));
    fs::create_directories(dir.Path() / "Data" / "Sub.txt");
    fs::create_symlink("Zeta.txt", dir.Path() / "Data" / "link.txt");
    fs::create_symlink("gone.txt", dir.Path() / "Data" / "dangling.txt");
    const fs::path stored = dir.Path() / "Data" / "Tavik.txt";

    const std::vector<fs::path> data{dir.Path() / "Data"};
    const DictionaryListing listing = ListDictionaries(data, stored);
    EXPECT_EQ(listing.names, (std::vector<Text>{u"avik.txt", u"B.txt", u"b.txt", u"k.txt",
                                                u"link.txt", u"Tavik.txt", u"Zeta.txt"}));
    ASSERT_EQ(listing.files.size(), listing.names.size());
    ASSERT_EQ(listing.sizes.size(), listing.names.size());
    for (size_t i = 0; i < listing.names.size(); ++i)
        EXPECT_EQ(FileNameText(listing.files[i].filename()), listing.names[i]);
    // A link counts with the size of the file it leads to.
    EXPECT_EQ(listing.sizes[0], 4u);
    EXPECT_EQ(listing.sizes[4], 1500u);
    EXPECT_EQ(listing.sizes[6], 1500u);
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

TEST(DictionaryChoice, SizesReadAsTheFileManagerShowsThem) {
    const std::pair<std::uint64_t, const char16_t*> cases[] = {
        {0, u"0 B"},
        {999, u"999 B"},
        {1000, u"1.0 kB"},
        {1049, u"1.0 kB"},
        {1050, u"1.1 kB"},
        {9949, u"9.9 kB"},
        {9950, u"10 kB"},
        {999'499, u"999 kB"},
        {999'500, u"1.0 MB"},  // not "1000 kB"
        {176'312'345, u"176 MB"},
        {176'500'000, u"177 MB"},
        {4'200'000'000, u"4.2 GB"},
        {UINT64_MAX, u"18 EB"},
    };
    for (const auto& [bytes, text] : cases) EXPECT_EQ(FileSizeText(bytes), text) << bytes;
}

// Removing the dictionary in use leaves the first one left in use, or none;
// removing another one changes nothing.
TEST(DictionaryChoice, RemovingTheDictionaryInUseMovesToTheFirstOneLeft) {
    TempDir dir;
    const fs::path user = dir.Path() / "home" / "Data";
    const fs::path system = dir.Path() / "share" / "Data";
    const fs::path mine = dir.Write("home/Data/mine.txt", "a/b\n");
    const fs::path gcide = dir.Write("home/Data/gcide.txt", "a/b\n");
    const std::vector<fs::path> folders{user, system};

    EXPECT_EQ(DictionaryAfterRemoval(folders, gcide, mine), mine);
    fs::remove(mine);
    EXPECT_EQ(DictionaryAfterRemoval(folders, mine, mine), gcide);
    EXPECT_EQ(DictionaryAfterRemoval(folders, user / "." / "mine.txt", mine), gcide);
    // An installed dictionary is one left too.
    const fs::path installed = dir.Write("share/Data/Tavik.txt", "a/b\n");
    const fs::path aaa = dir.Write("share/Data/Aaa.txt", "a/b\n");
    EXPECT_EQ(DictionaryAfterRemoval(folders, mine, mine), aaa);
    fs::remove(gcide);
    fs::remove(installed);
    fs::remove(aaa);
    EXPECT_EQ(DictionaryAfterRemoval(folders, gcide, gcide), std::nullopt);
}

// The home's Data and an installed one, listed as one sorted list, with the
// user's file where both hold the same name.
TEST(DictionaryChoice, TheUsersAndTheInstalledDataAreOneListAndTheUsersFileWinsAClash) {
    TempDir dir;
    const fs::path user = dir.Path() / "home" / "Data";
    const fs::path system = dir.Path() / "share" / "tavik" / "Data";
    dir.Write("home/Data/Mine.txt", "m/n\n");
    dir.Write("home/Data/Tavik.txt", "apple/my own\n");
    dir.Write("share/tavik/Data/Tavik.txt", "apple/installed\n");
    dir.Write("share/tavik/Data/Extra.txt", "x/y\n");

    const DictionaryListing listing = ListDictionaries({user, system}, system / "Extra.txt");
    EXPECT_EQ(listing.names, (std::vector<Text>{u"Extra.txt", u"Mine.txt", u"Tavik.txt"}));
    ASSERT_EQ(listing.files.size(), 3u);  // Tavik.txt once, the user's
    EXPECT_EQ(listing.files[2], user / "Tavik.txt");
    EXPECT_EQ(listing.selection, 0);
    EXPECT_EQ(listing.files[0], system / "Extra.txt");

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

}  // namespace
}  // namespace tavik
