// The dictionary shipped with Tavik: read as the program reads it, in order,
// built from its source, and every headword found with its whole entry.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "dict/dictionary_line.h"
#include "dict/gather.h"
#include "dict/recorders.h"
#include "dict/search.h"
#include "support/temp_dir.h"
#include "text/compare.h"

namespace tavik {
namespace {

const std::filesystem::path kData = TAVIK_SOURCE_DATA;
const std::filesystem::path kDictionary = kData / "Data" / "Tavik.txt";
const std::filesystem::path kSource = kData / "source" / "tavik-en-ko.txt";

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Lines without their line feeds; the file must end in one.
std::vector<std::string> SplitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::istringstream in(bytes);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

struct Entry {
    Text headword;  // as its first line spells it
    Text content;   // its lines' contents joined as the page joins them
};

std::vector<Entry> ReadEntries(const std::vector<std::string>& lines, const CodePage& cp) {
    std::vector<Entry> entries;
    for (const auto& line : lines) {
        const DictionaryLine split = SplitDictionaryLine(line);
        const Text headword = cp.Decode(split.headword);
        const Text content = cp.Decode(split.content);
        if (!entries.empty() && EqualOrder(entries.back().headword, headword))
            entries.back().content += Text(kExactSeparator) + content;
        else
            entries.push_back({headword, content});
    }
    return entries;
}

TEST(BundledDictionary, ReadsAsTheProgramReadsIt) {
    const std::string bytes = ReadBytes(kDictionary);
    ASSERT_FALSE(bytes.empty()) << kDictionary;
    EXPECT_EQ(bytes.back(), '\n');
    const CodePage cp = CodePage::Default();
    Text previous;
    int number = 0;
    for (const auto& line : SplitLines(bytes)) {
        ++number;
        SCOPED_TRACE("line " + std::to_string(number) + ": " + ToUtf8(cp.Decode(line)));
        EXPECT_LE(line.size() + 1, kDictionaryLineLimit);
        const Text text = cp.Decode(line);
        EXPECT_EQ(text.find(u'\uFFFD'), Text::npos);
        EXPECT_NE(text.find(u'/'), Text::npos);
        EXPECT_FALSE(text.starts_with(u'/'));
        EXPECT_EQ(text.find(u'\r'), Text::npos);
        const Text headword = cp.Decode(SplitDictionaryLine(line).headword);
        EXPECT_FALSE(headword.empty());
        EXPECT_EQ(Trim(headword), headword);
        EXPECT_LE(CompareOrder(previous, headword), 0) << ToUtf8(previous);
        previous = headword;
    }
}

// The file is the source sorted (stably) by the lookup's own comparison and
// encoded in CP949, so an edit of the source that was not rebuilt shows here.
TEST(BundledDictionary, IsBuiltFromItsSource) {
    std::vector<Text> lines;
    for (const auto& line : SplitLines(ReadBytes(kSource)))
        if (!Trim(FromUtf8(line)).empty()) lines.push_back(FromUtf8(line));
    ASSERT_FALSE(lines.empty()) << kSource;
    const auto headword = [](const Text& line) {
        return TextView(line).substr(0, line.find(u'/'));
    };
    std::stable_sort(lines.begin(), lines.end(), [&](const Text& a, const Text& b) {
        return CompareOrder(headword(a), headword(b)) < 0;
    });
    std::string expected;
    const CodePage cp = CodePage::Default();
    for (const auto& line : lines) {
        const auto encoded = cp.Encode(line + u"\n");
        ASSERT_TRUE(encoded) << ToUtf8(line);
        expected += *encoded;
    }
    EXPECT_TRUE(expected == ReadBytes(kDictionary))
        << "data/Data/Tavik.txt is out of date: run scripts/make-dictionary.py";
}

TEST(BundledDictionary, EveryHeadwordShowsItsOwnWholeEntry) {
    const CodePage cp = CodePage::Default();
    const auto entries = ReadEntries(SplitLines(ReadBytes(kDictionary)), cp);
    EXPECT_GE(entries.size(), 1000u);
    const auto multiLine = std::count_if(entries.begin(), entries.end(), [](const Entry& e) {
        return e.content.find(kExactSeparator) != Text::npos;
    });
    EXPECT_GE(multiLine, 20);

    testing::TempDir home;  // no skin: the page uses the default colours
    const Dictionary dictionary{kDictionary, cp};
    for (const auto& entry : entries) {
        SCOPED_TRACE(ToUtf8(entry.headword));
        RecordingNeighbourList list;
        RecordingPage page;
        RecordingMessages messages;
        EntryScreen screen{list, page, messages};
        const SearchOutcome outcome =
            SearchDictionary(entry.headword, dictionary, home.Path(), screen);
        EXPECT_TRUE(outcome.shown.exact);
        // The first headword is found by the lookup itself, at offset 0.
        if (&entry == &entries.front()) {
            EXPECT_EQ(outcome.result.strHeadword, entry.headword);
            EXPECT_EQ(outcome.result.nOffset, 0);
        }
        const auto& pieces = page.Pieces();
        ASSERT_EQ(pieces.size(), 7u);
        EXPECT_TRUE(EqualOrder(pieces[1], entry.headword)) << ToUtf8(pieces[1]);
        Text content = ReplaceAll(pieces[5], u"</font><font color=#ff0000>[", u"[");
        content = ReplaceAll(content, u"]</font><font color=#000000>", u"]");
        EXPECT_EQ(content, entry.content);
        EXPECT_TRUE(messages.Messages().empty());
        ASSERT_GE(list.Selection(), 0);
        EXPECT_TRUE(EqualOrder(list.Item(list.Selection()), entry.headword));
    }
}

}  // namespace
}  // namespace tavik
