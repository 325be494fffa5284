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

#include "dict/recorders.h"
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

// Grown past its first size, the table still finds every probe kept before.
TEST(ProbeCache, KeepsWhatItTookWhileItGrows) {
    ProbeCache cache;
    for (int64_t mid = 0; mid < 1500; ++mid)
        cache.Add(mid * 4099, {mid % 3 != 0, mid, mid + 7, FromUtf8("h" + std::to_string(mid))});
    ASSERT_EQ(cache.Size(), 1500u);
    for (int64_t mid = 0; mid < 1500; ++mid) {
        const auto probe = cache.Find(mid * 4099);
        ASSERT_TRUE(probe) << mid;
        EXPECT_EQ(probe->read, mid % 3 != 0);
        EXPECT_EQ(probe->lineStart, mid);
        EXPECT_EQ(probe->lineEnd, mid + 7);
        EXPECT_EQ(probe->headword, FromUtf8("h" + std::to_string(mid)));
        EXPECT_FALSE(cache.Find(mid * 4099 + 1));
    }
    // A probe taken twice is kept once.
    cache.Add(0, {true, 99, 99, u"other"});
    EXPECT_EQ(cache.Size(), 1500u);
    EXPECT_EQ(cache.Find(0)->lineStart, 0);
}

TEST(ProbeCache, KeepsShortHeadwordsWithinItsBound) {
    ProbeCache cache;
    cache.Add(1, {true, 2, 9, Text(300, u'x')});
    EXPECT_FALSE(cache.Find(1));
    for (int64_t mid = 0; mid < 100000; ++mid) cache.Add(mid, {true, mid, mid + 5, u"headword"});
    EXPECT_LE(cache.Bytes(), kProbeCacheBytes);
    EXPECT_GT(cache.Size(), 1000u);
    ASSERT_TRUE(cache.Find(7));
    EXPECT_EQ(cache.Find(7)->lineEnd, 12);
    EXPECT_FALSE(cache.Find(99999));
    cache.Clear();
    EXPECT_EQ(cache.Size(), 0u);
    EXPECT_EQ(cache.Bytes(), 0u);
}

}  // namespace
}  // namespace tavik
