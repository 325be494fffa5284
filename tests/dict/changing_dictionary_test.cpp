// A dictionary that changes between searches (truncated, grown, replaced by
// another program) and paths longer than any fixed buffer: every search still
// ends and reads the file as it is at that moment.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "dict/recorders.h"
#include "dict/search.h"
#include "support/temp_dir.h"

namespace tavik {
namespace {

class ChangingDictionary : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 2000; ++i) m_bytes += "word" + std::to_string(10000 + i) + "/entry\n";
        m_path = m_dir.Write("Data/dict.txt", m_bytes);
    }
    LookupResult Search(const Text& word) {
        m_page = RecordingPage();
        EntryScreen screen{m_list, m_page, m_messages};
        return LookUpAndShow(word, Dictionary{m_path, m_codePage}, m_dir.Path(), screen);
    }

    testing::TempDir m_dir;
    std::string m_bytes;
    std::filesystem::path m_path;
    CodePage m_codePage = CodePage::Default();
    RecordingNeighbourList m_list;
    RecordingPage m_page;
    RecordingMessages m_messages;
};

TEST_F(ChangingDictionary, TruncatedBetweenSearches) {
    ASSERT_EQ(Search(u"word11500").strHeadword, u"word11500");
    // Cut in the middle of a line: the words before the cut are still found.
    ASSERT_EQ(::truncate(m_path.c_str(), off_t(m_bytes.size() / 2 + 3)), 0);
    EXPECT_EQ(Search(u"word10200").strHeadword, u"word10200");
    EXPECT_FALSE(Search(u"word11500").strHeadword.empty());  // ends on the last line
    ASSERT_EQ(::truncate(m_path.c_str(), 0), 0);
    EXPECT_TRUE(Search(u"word10200").strHeadword.empty());
}

TEST_F(ChangingDictionary, GrownOrReplacedBetweenSearches) {
    m_dir.Write("Data/dict.txt", m_bytes + "zebra/stripes\n");
    EXPECT_EQ(Search(u"zebra").strHeadword, u"zebra");
    // Another program writes a new file and renames it over the old one.
    const auto fresh = m_dir.Write("Data/fresh.txt", "apple/a\nbanana/b\ncherry/c\n");
    std::filesystem::rename(fresh, m_path);
    EXPECT_EQ(Search(u"cherry").strHeadword, u"cherry");
    EXPECT_EQ(m_page.Pieces().at(5), u"c");
}

TEST_F(ChangingDictionary, PathsLongerThanAnyBuffer) {
    std::filesystem::path deep = "Data";
    for (int i = 0; i < 12; ++i) deep /= std::string(60, char('a' + i));
    m_path = m_dir.Write(deep / "사전.txt", m_bytes);
    ASSERT_GT(m_path.string().size(), 700u);
    EXPECT_EQ(Search(u"word10999").strHeadword, u"word10999");
}

}  // namespace
}  // namespace tavik
