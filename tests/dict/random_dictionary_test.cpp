// Random dictionaries against a plain model: every headword of a sorted file
// is found and shown with all its lines; any other word ends on a real
// headword; any bytes at all end the search.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "dict/dictionary_session.h"
#include "dict/gather.h"
#include "dict/recorders.h"
#include "dict/search.h"
#include "support/temp_dir.h"
#include "text/compare.h"

namespace tavik {
namespace {

struct ModelLine {
    Text headword;
    Text content;
};

class RandomDictionary {
public:
    explicit RandomDictionary(std::mt19937& rng) : m_rng(rng) {}

    std::vector<ModelLine> Make() {
        std::vector<ModelLine> lines;
        const int entries = Pick(1, 400);
        for (int i = 0; i < entries; ++i) {
            const Text headword = Word();
            const int parts = Pick(1, 3);
            for (int p = 0; p < parts; ++p) {
                // Later parts may spell the headword in another case.
                Text spelled = headword;
                if (Pick(0, 3) == 0)
                    for (auto& c : spelled)
                        if (c >= u'a' && c <= u'z') c = char16_t(c - 32);
                lines.push_back({spelled, Content()});
            }
        }
        std::stable_sort(lines.begin(), lines.end(), [](const ModelLine& a, const ModelLine& b) {
            return CompareOrder(a.headword, b.headword) < 0;
        });
        return lines;
    }

    Text Word() {
        static constexpr char16_t kLetters[] = u"abcAB-가나";
        Text word;
        const int length = Pick(1, 5);
        for (int i = 0; i < length; ++i) word.push_back(kLetters[Pick(0, 7)]);
        return word;
    }

    int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }

private:
    Text Content() {
        Text content;
        const int length = Pick(0, 60);
        for (int i = 0; i < length; ++i) content.push_back(char16_t(u'a' + Pick(0, 25)));
        if (Pick(0, 4) == 0) content += u"[발음]";
        return content;
    }

    std::mt19937& m_rng;
};

std::string Encode(const std::vector<ModelLine>& lines, const CodePage& cp) {
    std::string bytes;
    for (const auto& line : lines) bytes += *cp.Encode(line.headword + u"/" + line.content + u"\n");
    return bytes;
}

Text Joined(const std::vector<ModelLine>& lines, const Text& headword) {
    Text joined;
    bool first = true;
    for (const auto& line : lines) {
        if (!EqualOrder(line.headword, headword)) continue;
        if (!first) joined += kExactSeparator;
        joined += line.content;
        first = false;
    }
    return joined;
}

struct Shown {
    LookupResult result;
    RecordingNeighbourList list;
    RecordingPage page;
    RecordingMessages messages;
};

// The entry text of a page, once the pronunciation colouring is undone.
Text EntryText(const Text& contentPiece) {
    const Text content = ReplaceAll(contentPiece, u"</font><font color=#ff0000>[", u"[");
    return ReplaceAll(content, u"]</font><font color=#000000>", u"]");
}

void Search(const Text& word, const Dictionary& dictionary, const std::filesystem::path& home,
            Shown& shown) {
    EntryScreen screen{shown.list, shown.page, shown.messages};
    shown.result = LookUpAndShow(word, dictionary, home, screen);
}

TEST(RandomDictionaries, EveryHeadwordIsFoundWithAllItsLines) {
    std::mt19937 rng(20261207);
    RandomDictionary generator(rng);
    const CodePage cp = CodePage::Default();
    testing::TempDir dir;
    for (int round = 0; round < 60; ++round) {
        const auto lines = generator.Make();
        const auto path = dir.Write("dict.txt", Encode(lines, cp));
        const Dictionary dictionary{path, cp};
        std::map<Text, bool> checked;
        for (const auto& line : lines) {
            const Text key = ToLower(line.headword);
            if (checked[key]) continue;
            checked[key] = true;
            Shown shown;
            Search(line.headword, dictionary, dir.Path(), shown);
            const auto& pieces = shown.page.Pieces();
            ASSERT_EQ(pieces.size(), 7u) << "round " << round << " word " << ToUtf8(line.headword);
            EXPECT_TRUE(EqualOrder(pieces[1], line.headword)) << ToUtf8(line.headword);
            EXPECT_EQ(pieces[5].find(u"<font color=#ff0000>") == Text::npos,
                      Joined(lines, line.headword).find(u'[') == Text::npos);
            EXPECT_TRUE(shown.messages.Messages().empty());
            ASSERT_GE(shown.list.Selection(), 0);
            EXPECT_TRUE(EqualOrder(shown.list.Item(shown.list.Selection()), line.headword));
            EXPECT_EQ(EntryText(pieces[5]), Joined(lines, line.headword))
                << "round " << round << " word " << ToUtf8(line.headword);
        }
    }
}

TEST(RandomDictionaries, OtherWordsEndOnARealHeadwordAndShowIt) {
    std::mt19937 rng(7);
    RandomDictionary generator(rng);
    const CodePage cp = CodePage::Default();
    testing::TempDir dir;
    for (int round = 0; round < 40; ++round) {
        const auto lines = generator.Make();
        const auto path = dir.Write("dict.txt", Encode(lines, cp));
        const Dictionary dictionary{path, cp};
        for (int i = 0; i < 50; ++i) {
            const Text word = generator.Word() + generator.Word();
            Shown shown;
            Search(word, dictionary, dir.Path(), shown);
            ASSERT_FALSE(shown.result.strHeadword.empty()) << ToUtf8(word);
            const bool real = std::any_of(lines.begin(), lines.end(), [&](const ModelLine& l) {
                return l.headword == shown.result.strHeadword;
            });
            EXPECT_TRUE(real) << ToUtf8(shown.result.strHeadword);
            EXPECT_TRUE(shown.messages.Messages().empty());
            const auto& pieces = shown.page.Pieces();
            ASSERT_EQ(pieces.size(), 7u);
            const bool exact = std::any_of(lines.begin(), lines.end(), [&](const ModelLine& l) {
                return EqualOrder(l.headword, word);
            });
            EXPECT_TRUE(EqualOrder(pieces[1], exact ? word : shown.result.strHeadword));
        }
    }
}

// Lines of up to 20,000 bytes among short ones: each headword is still found
// and shown whole, however the probes fall into the long lines.
TEST(RandomDictionaries, LongLinesAreFoundAndShownWhole) {
    std::mt19937 rng(1207);
    RandomDictionary generator(rng);
    const CodePage cp = CodePage::Default();
    testing::TempDir dir;
    for (int round = 0; round < 40; ++round) {
        auto lines = generator.Make();
        for (auto& line : lines)
            if (generator.Pick(0, 5) == 0)
                line.content += Text(size_t(generator.Pick(1000, 20000)), u'x');
        const auto path = dir.Write("dict.txt", Encode(lines, cp));
        const Dictionary dictionary{path, cp};
        std::map<Text, bool> checked;
        for (const auto& line : lines) {
            const Text key = ToLower(line.headword);
            if (std::exchange(checked[key], true)) continue;
            Shown shown;
            EntryScreen screen{shown.list, shown.page, shown.messages};
            const SearchOutcome outcome =
                SearchDictionary(line.headword, dictionary, dir.Path(), screen);
            EXPECT_TRUE(outcome.shown.exact) << "round " << round << " " << ToUtf8(line.headword);
            ASSERT_EQ(shown.page.Pieces().size(), 7u);
            EXPECT_EQ(EntryText(shown.page.Pieces()[5]), Joined(lines, line.headword))
                << "round " << round;
        }
    }
}

TEST(RandomDictionaries, AnyBytesEndTheSearchWithoutHarm) {
    std::mt19937 rng(99);
    const CodePage cp949 = CodePage::Default();
    const CodePage utf8 = *CodePage::Named("UTF-8");
    testing::TempDir dir;
    static constexpr char kBytes[] = {'/',  '\n',   '\r',   'a',    'b',
                                      '\0', '\xff', '\xbb', '\xe7', '\x80'};
    for (int round = 0; round < 300; ++round) {
        std::string bytes(std::uniform_int_distribution<size_t>(0, 6000)(rng), 'x');
        for (char& c : bytes) c = kBytes[rng() % sizeof kBytes];
        if (round % 3 == 0) bytes.replace(0, 0, std::string(2000, 'q'));  // over-long line
        const auto path = dir.Write("dict.txt", bytes);
        const int probeBound = 2 * int(std::log2(double(bytes.size()) + 1)) + 3;
        for (const CodePage* cp : {&cp949, &utf8}) {
            int probes = 0;
            LookupWord(path, *cp, u"m", probes);
            EXPECT_LE(probes, probeBound) << bytes.size();
            for (const Text word : {u"a", u"b/", u"ab", u"\uFFFD", u"zz", u"q"}) {
                Shown shown;
                Search(word, Dictionary{path, *cp}, dir.Path(), shown);
                EXPECT_LE(shown.page.ClearCount(), 2);
            }
        }
    }
}

// A batch keeps the dictionary open and the upper probes' lines between its
// words: every word must come out exactly as a search of its own gives it.
TEST(RandomDictionaries, KeptProbesGiveWhatSearchesOfTheirOwnGive) {
    std::mt19937 rng(4242);
    RandomDictionary generator(rng);
    const CodePage cp = CodePage::Default();
    testing::TempDir dir;
    for (int round = 0; round < 40; ++round) {
        auto lines = generator.Make();
        if (round % 4 == 0)
            for (auto& line : lines)
                if (generator.Pick(0, 7) == 0)
                    line.content += Text(size_t(generator.Pick(1000, 5000)), u'x');
        const auto path = dir.Write("dict.txt", Encode(lines, cp));
        const Dictionary dictionary{path, cp};
        DictionarySession session(dictionary);
        std::vector<Text> words;
        for (const auto& line : lines) words.push_back(line.headword);
        for (int i = 0; i < 60; ++i) words.push_back(generator.Word() + generator.Word());
        std::shuffle(words.begin(), words.end(), rng);
        for (const Text& word : words) {
            Shown alone;
            Shown kept;
            EntryScreen aloneScreen{alone.list, alone.page, alone.messages};
            EntryScreen keptScreen{kept.list, kept.page, kept.messages};
            const SearchOutcome expected =
                SearchDictionary(word, dictionary, dir.Path(), aloneScreen);
            const SearchOutcome got = session.Search(word, dir.Path(), keptScreen);
            ASSERT_EQ(got.result.nOffset, expected.result.nOffset)
                << "round " << round << " word " << ToUtf8(word);
            EXPECT_EQ(got.result.strHeadword, expected.result.strHeadword);
            EXPECT_EQ(got.shown.exact, expected.shown.exact);
            EXPECT_EQ(kept.page.Pieces(), alone.page.Pieces());
            EXPECT_EQ(kept.list.Items(), alone.list.Items());
            EXPECT_EQ(kept.list.Selection(), alone.list.Selection());
            EXPECT_EQ(kept.messages.Messages(), alone.messages.Messages());
        }
        EXPECT_GT(session.Cache().Size(), 0u);
        EXPECT_LE(session.Cache().Bytes(), kProbeCacheBytes);
    }
}

}  // namespace
}  // namespace tavik
