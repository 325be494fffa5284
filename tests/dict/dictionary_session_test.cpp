// A dictionary kept open for a batch of words and changed between two of
// them (grown, cut, replaced, rewritten in place, removed): each word is
// answered from the file as it is at that moment, never from kept lines of
// the file before.
#include "dict/dictionary_session.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <utility>

#include "dict/recorders.h"
#include "dict/search.h"
#include "dict/suggestions.h"
#include "dict/window_gatherer.h"
#include "support/temp_dir.h"

namespace tavik {
namespace {

// Lines "<prefix>10000/<content>" to "<prefix>29999/<content>": many probes
// deep, so the upper levels are kept.
std::string Lines(const std::string& prefix, const std::string& content) {
    std::string bytes;
    for (int i = 0; i < 20000; ++i)
        bytes += prefix + std::to_string(10000 + i) + "/" + content + "\n";
    return bytes;
}

class KeptDictionary : public ::testing::Test {
protected:
    void SetUp() override {
        m_bytes = Lines("word", "entry");
        m_path = m_dir.Write("Data/dict.txt", m_bytes);
    }
    SearchOutcome Search(DictionarySession& session, const Text& word) {
        m_page = RecordingPage();
        m_messages = RecordingMessages();
        EntryScreen screen{m_list, m_page, m_messages};
        return session.Search(word, m_dir.Path(), screen);
    }
    // Searches spread over the file, so that many upper probes are kept.
    void Warm(DictionarySession& session) {
        for (int i = 10000; i < 30000; i += 997)
            ASSERT_TRUE(Search(session, u"word" + FromUtf8(std::to_string(i))).shown.exact);
        ASSERT_GT(session.Cache().Size(), 20u);
    }
    Text Content() const { return m_page.Pieces().size() == 7 ? m_page.Pieces()[5] : Text(); }

    testing::TempDir m_dir;
    std::string m_bytes;
    std::filesystem::path m_path;
    CodePage m_codePage = CodePage::Default();
    RecordingNeighbourList m_list;
    RecordingPage m_page;
    RecordingMessages m_messages;
};

TEST_F(KeptDictionary, GrownOrCutBetweenWords) {
    DictionarySession session(Dictionary{m_path, m_codePage});
    Warm(session);
    {
        std::FILE* out = std::fopen(m_path.c_str(), "ab");
        ASSERT_NE(out, nullptr);
        std::fputs("zebra/stripes\n", out);
        std::fclose(out);
    }
    EXPECT_TRUE(Search(session, u"zebra").shown.exact);
    EXPECT_EQ(Content(), u"stripes");

    // Cut in the middle of a line: the words before the cut are still found,
    // the ones after it no longer.
    ASSERT_EQ(::truncate(m_path.c_str(), off_t(m_bytes.size() / 2 + 3)), 0);
    EXPECT_TRUE(Search(session, u"word10200").shown.exact);
    const SearchOutcome gone = Search(session, u"word25000");
    EXPECT_FALSE(gone.shown.exact);
    EXPECT_NE(gone.result.strHeadword, u"word25000");
    ASSERT_EQ(::truncate(m_path.c_str(), 0), 0);
    EXPECT_TRUE(Search(session, u"word10200").result.strHeadword.empty());
}

TEST_F(KeptDictionary, ReplacedByAFileOfTheSameSize) {
    DictionarySession session(Dictionary{m_path, m_codePage});
    Warm(session);
    // Same size, same line starts, other headwords: only a dropped cache
    // steers the probes right.
    const auto fresh = m_dir.Write("Data/fresh.txt", Lines("vord", "ENTRY"));
    std::filesystem::rename(fresh, m_path);
    for (const Text word : {u"vord10001", u"vord17777", u"vord29998"}) {
        EXPECT_TRUE(Search(session, word).shown.exact) << ToUtf8(word);
        EXPECT_EQ(Content(), u"ENTRY");
    }
    EXPECT_FALSE(Search(session, u"word20000").shown.exact);
}

// A batch gathers each word's window apart from its lookup, a few words
// later: a word looked up before the file was replaced is still shown from
// the file it was found in, the next from the new one, whose first line is
// longer than the back-off before a hit near it (the windows of a file keep
// where that line ends).
TEST_F(KeptDictionary, WindowsGatheredLaterComeFromTheFileLookedUp) {
    DictionarySession session(Dictionary{m_path, m_codePage});
    WindowGatherer windows(m_codePage);
    Warm(session);
    const DictionarySession::LookedUp before = session.LookUp(u"word10001");
    const auto fresh =
        m_dir.Write("Data/fresh.txt", "a-much-longer-first-line/" + std::string(6000, 'x') + "\n" +
                                          Lines("word", "ENTRY"));
    std::filesystem::rename(fresh, m_path);
    const DictionarySession::LookedUp after = session.LookUp(u"word10001");
    EXPECT_NE(before.file, after.file);

    auto gathered = [&](const DictionarySession::LookedUp& looked) {
        RecordingNeighbourList list;
        RecordingPage page;
        RecordingMessages messages;
        EntryScreen screen{list, page, messages};
        EXPECT_TRUE(windows.Gather(looked, m_dir.Path(), screen).exact);
        return std::make_pair(page.Pieces().size() == 7 ? page.Pieces()[5] : Text(),
                              list.Items().front());
    };
    EXPECT_EQ(gathered(before), std::make_pair(Text(u"entry"), Text(u"word10000")));
    EXPECT_EQ(gathered(after), std::make_pair(Text(u"ENTRY"), Text(u"a-much-longer-first-line")));
    // And what a search of its own shows of the file now.
    EXPECT_TRUE(Search(session, u"word10001").shown.exact);
    EXPECT_EQ(m_list.Item(0), u"a-much-longer-first-line");
    const Text typo = u"wrod10001";
    const std::vector<Text> offered = windows.Suggest(session.LookUp(typo));
    EXPECT_FALSE(offered.empty());
    EXPECT_EQ(offered, SuggestWords(m_path, m_codePage, typo));
}

TEST_F(KeptDictionary, RewrittenInPlaceWithTheSameSize) {
    DictionarySession session(Dictionary{m_path, m_codePage});
    Warm(session);
    const auto before = std::filesystem::last_write_time(m_path);
    testing::WriteBytes(m_path, Lines("vord", "ENTRY"));
    // The clock may not have moved since the first write: make sure it did.
    std::filesystem::last_write_time(m_path, before - std::chrono::seconds(5));
    EXPECT_TRUE(Search(session, u"vord23456").shown.exact);
    EXPECT_EQ(Content(), u"ENTRY");
}

TEST_F(KeptDictionary, RemovedAndBack) {
    DictionarySession session(Dictionary{m_path, m_codePage});
    Warm(session);
    std::filesystem::remove(m_path);
    const SearchOutcome missing = Search(session, u"word12345");
    EXPECT_FALSE(missing.Opened());
    EXPECT_TRUE(missing.result.strHeadword.empty());
    EXPECT_EQ(missing.result.strWord, u"word12345");
    EXPECT_EQ(m_page.ClearCount(), 0);  // the screen stays as it was
    m_dir.Write("Data/dict.txt", "apple/a\nword12345/back\n");
    EXPECT_TRUE(Search(session, u"word12345").shown.exact);
    EXPECT_EQ(Content(), u"back");
}

// Words on standard input may come long after the opening.
TEST_F(KeptDictionary, ReplacedBeforeTheFirstWord) {
    DictionarySession session(Dictionary{m_path, m_codePage});
    ASSERT_TRUE(session.OpenError().empty());
    const auto fresh = m_dir.Write("Data/fresh.txt", "apple/a\nword12345/new\n");
    std::filesystem::rename(fresh, m_path);
    EXPECT_TRUE(Search(session, u"word12345").shown.exact);
    EXPECT_EQ(Content(), u"new");
}

TEST_F(KeptDictionary, AFolderIsNoDictionary) {
    DictionarySession session(Dictionary{m_dir.Path() / "Data", m_codePage});
    EXPECT_EQ(session.OpenError(), "is a folder");
    EXPECT_FALSE(Search(session, u"word12345").Opened());
}

// The end of the first line is kept with the probes: a first line that grew
// by the same bytes the second lost (same size) must still start the window
// right, and the second word's entry is found whole.
TEST_F(KeptDictionary, FirstLineChangedBetweenWords) {
    DictionarySession session(Dictionary{m_path, m_codePage});
    ASSERT_TRUE(Search(session, u"word10001").shown.exact);
    ASSERT_EQ(m_list.Item(0), u"word10000");
    std::string bytes = m_bytes;
    bytes.replace(0, std::string("word10000/entry\nword10001/entry").size(),
                  "word10000/entry ent\nword10001/e");
    ASSERT_EQ(bytes.size(), m_bytes.size());
    const auto before = std::filesystem::last_write_time(m_path);
    testing::WriteBytes(m_path, bytes);
    std::filesystem::last_write_time(m_path, before - std::chrono::seconds(5));
    EXPECT_TRUE(Search(session, u"word10000").shown.exact);
    EXPECT_EQ(Content(), u"entry ent");
    EXPECT_TRUE(Search(session, u"word10001").shown.exact);
    EXPECT_EQ(Content(), u"e");
    EXPECT_EQ(m_list.Item(0), u"word10000");
}

// Headwords alike in their first dozen letters: the kept beginnings of the
// probes' headwords seldom tell which way a search goes, and the search
// reads those lines again; what it finds, and the words it offers for a word
// it lacks, stay what a search of its own finds and offers.
TEST_F(KeptDictionary, HeadwordsAlikeFarIntoThemselves) {
    std::string bytes;
    for (int i = 0; i < 6000; ++i) {
        const std::string number = std::to_string(100000 + i * 7);
        bytes += "counterpoise" + number + "/a\n";
        if (i % 50 == 0) bytes += "counterpoise" + number + "x/b\n";
        if (i % 500 == 0) bytes += "co" + number.substr(0, 3) + "/short\n";
    }
    m_path = m_dir.Write("Data/alike.txt", bytes);
    const Dictionary dictionary{m_path, m_codePage};
    DictionarySession session(dictionary);
    std::vector<Text> words;
    for (int i = 0; i < 6000; i += 37) {
        const std::string number = std::to_string(100000 + i * 7);
        words.push_back(FromUtf8("counterpoise" + number));
        words.push_back(FromUtf8("COUNTERPOISE" + number + "x"));
        words.push_back(FromUtf8("counterpoise" + number + "5"));  // absent
        words.push_back(FromUtf8("co" + number.substr(0, 3)));
        words.push_back(FromUtf8("counterpois"));
    }
    for (int pass = 0; pass < 2; ++pass) {
        for (const Text& word : words) {
            RecordingNeighbourList aloneList;
            RecordingPage alonePage;
            RecordingMessages aloneMessages;
            EntryScreen alone{aloneList, alonePage, aloneMessages};
            const SearchOutcome expected = SearchDictionary(word, dictionary, m_dir.Path(), alone);
            const SearchOutcome got = Search(session, word);
            ASSERT_EQ(got.result.nOffset, expected.result.nOffset) << ToUtf8(word);
            EXPECT_EQ(got.result.strHeadword, expected.result.strHeadword) << ToUtf8(word);
            EXPECT_EQ(m_page.Pieces(), alonePage.Pieces()) << ToUtf8(word);
            if (!got.shown.exact) {
                EXPECT_EQ(session.Suggest(got.result), SuggestWords(m_path, m_codePage, word))
                    << ToUtf8(word);
            }
        }
    }
    EXPECT_GT(session.Cache().Size(), 1000u);
}

ProbeCache::Probe Kept(int64_t lineStart, int64_t lineEnd, TextView headword) {
    return {true, lineStart, lineEnd, headword, headword.size()};
}

TEST(ProbeCache, KeepsTheLowerLevelsOnlyInALongerRunOfSearches) {
    ProbeCache cache;
    cache.SearchBegins();
    cache.Add(1, 500, Kept(510, 530, u"upper"));
    cache.Add(ProbeCache::kUpperNodes, 800, Kept(810, 830, u"lower"));
    ASSERT_TRUE(cache.Find(1, 500));
    EXPECT_FALSE(cache.Find(ProbeCache::kUpperNodes, 800)) << "a few searches keep a few KB";
    EXPECT_LT(cache.Bytes(), size_t(16) << 10);

    for (int i = 1; i < ProbeCache::kLowerLevelsFrom; ++i) cache.SearchBegins();
    for (uint32_t node = 1; node < ProbeCache::kNodes; ++node) {
        const Text headword = FromUtf8("h" + std::to_string(node));
        cache.Add(node, node * 1000, Kept(node * 1000 + node % 7, node * 1000 + 50, headword));
    }
    cache.Add(ProbeCache::kNodes, 1, Kept(2, 3, u"below"));
    EXPECT_EQ(cache.Size(), size_t(ProbeCache::kNodes - 1));
    EXPECT_LE(cache.Bytes(), kProbeCacheBytes);
    for (uint32_t node = 2; node < ProbeCache::kNodes; node += 97) {
        const auto probe = cache.Find(node, node * 1000);
        ASSERT_TRUE(probe) << node;
        EXPECT_EQ(probe->lineStart, node * 1000 + node % 7);
        EXPECT_EQ(probe->lineEnd, node * 1000 + 50);
        const Text headword = FromUtf8("h" + std::to_string(node));
        EXPECT_EQ(probe->headwordLength, headword.size());
        EXPECT_EQ(probe->headwordStart, TextView(headword).substr(0, kKeptHeadwordUnits));
        EXPECT_EQ(probe->WholeHeadword(), headword.size() <= kKeptHeadwordUnits);
    }
    EXPECT_FALSE(cache.Find(0, 0));
    EXPECT_FALSE(cache.Find(ProbeCache::kNodes, 1));

    // Taken once: a second probe at a node does not replace the first.
    EXPECT_EQ(cache.Find(1, 500)->headwordStart, u"upper");
    cache.Clear();
    EXPECT_EQ(cache.Size(), 0u);
    EXPECT_EQ(cache.Bytes(), 0u);
    EXPECT_FALSE(cache.Find(1, 500));
}

TEST(ProbeCache, LeavesOutWhatItCannotNote) {
    ProbeCache cache;
    cache.SearchBegins();
    // A line starting more than 4 GiB past its midpoint (a huge line).
    cache.Add(2, 0, Kept(int64_t(5) << 30, (int64_t(5) << 30) + 10, u"far"));
    EXPECT_FALSE(cache.Find(2, 0));
    // The end of the file: nothing read, no headword.
    cache.Add(3, 40, {false, 40, 40, TextView(), 0});
    ASSERT_TRUE(cache.Find(3, 40));
    EXPECT_FALSE(cache.Find(3, 40)->read);
}

}  // namespace
}  // namespace tavik
