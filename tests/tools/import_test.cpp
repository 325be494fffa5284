// Importers: dictd (plain and dictzip), StarDict (32/64-bit offsets, typed
// fields, sametypesequence, compressed files), tab files; the article
// splitter; corrupt input.
#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "dict/dictionary_line.h"
#include "dict/gather.h"
#include "dict/recorders.h"
#include "dict/search.h"
#include "test_files.h"
#include "text/compare.h"
#include "tools/dictionary_check.h"
#include "tools/importers.h"
#include "tools/tool_error.h"

namespace tavik {
namespace {

const std::filesystem::path kData = TAVIK_TOOLS_TEST_DATA;

std::string BigEndian(uint64_t value, int bytes) {
    std::string out;
    for (int i = bytes - 1; i >= 0; --i) out.push_back(char((value >> (8 * i)) & 0xFF));
    return out;
}

// The page text shown for `word`, or nothing when no entry was shown.
std::optional<std::string> Page(const std::filesystem::path& file, const CodePage& codePage,
                                const std::string& word) {
    RecordingNeighbourList neighbours;
    RecordingPage page;
    RecordingMessages messages;
    EntryScreen screen{neighbours, page, messages};
    const Dictionary dictionary{file, codePage};
    const auto result = LookUpAndShow(FromUtf8(word), dictionary, file.parent_path(), screen);
    if (result.strHeadword.empty() || !messages.Messages().empty() || !page.Page())
        return std::nullopt;
    return ToUtf8(*page.Page());
}

bool Clean(const std::filesystem::path& file, const CodePage& codePage) {
    return CheckDictionary(file, codePage,
                           [&](const Problem& p) {
                               ADD_FAILURE() << file << ":" << p.line << ": " << p.message;
                           })
        .Clean();
}

class Import : public ::testing::Test {
protected:
    testing::TempDir folder;
    CodePage cp949 = CodePage::Default();
    CodePage utf8 = *CodePage::Named("utf-8");
};

TEST_F(Import, DictdPlainAndDictzipGiveTheSameWorkingDictionary) {
    const auto plainOut = folder / "plain.txt";
    const auto zipOut = folder / "zip.txt";
    const auto chunkedOut = folder / "chunked.txt";
    {
        DictionaryBuilder builder(cp949, plainOut);
        ImportDictd(kData / "dictd-plain" / "tiny.index", std::nullopt, builder);
        const ImportStats stats = builder.Finish();
        EXPECT_EQ(stats.entries, 5);  // 00-database-info skipped
        EXPECT_EQ(stats.lines, 5);    // one line per article, the long one too
        EXPECT_EQ(stats.cutArticles, 0);
    }
    {
        DictionaryBuilder builder(cp949, zipOut);
        ImportDictd(kData / "dictd-dictzip" / "tiny.index", std::nullopt, builder);
        builder.Finish();
    }
    {
        // Many small chunks: articles cross chunk boundaries.
        testing::WriteBytes(
            folder / "chunked.dict.dz",
            testing::Dictzip(testing::ReadBytes(kData / "dictd-plain" / "tiny.dict"), 100));
        DictionaryBuilder builder(cp949, chunkedOut);
        ImportDictd(kData / "dictd-plain" / "tiny.index", folder / "chunked.dict.dz", builder);
        builder.Finish();
    }
    const std::string plain = testing::ReadBytes(plainOut);
    EXPECT_EQ(testing::ReadBytes(zipOut), plain);
    EXPECT_EQ(testing::ReadBytes(chunkedOut), plain);
    EXPECT_TRUE(Clean(plainOut, cp949));

    // The headword line is dropped, line breaks become <br>, text is escaped.
    EXPECT_NE(plain.find("apple/A round fruit.<br>  Grows on trees.\n"), std::string::npos);
    EXPECT_NE(plain.find("Banana/Banana \\Ba*na'na\\, n.<br>"), std::string::npos);
    EXPECT_NE(plain.find("cherry/A small red fruit &amp; &lt;stone&gt;.\n"), std::string::npos);
    EXPECT_EQ(plain.find("00-database"), std::string::npos);

    const auto durian = Page(plainOut, cp949, "DURIAN");
    ASSERT_TRUE(durian);
    EXPECT_NE(durian->find("Part 0 of"), std::string::npos);
    EXPECT_NE(durian->find("Part 59 of"), std::string::npos);
    const auto pome = Page(plainOut, cp949, "pome");
    ASSERT_TRUE(pome);
    EXPECT_NE(pome->find("A round fruit."), std::string::npos);
}

TEST_F(Import, AnImportWithoutEntriesIsAnEmptyFileThatChecksClean) {
    // A byte-order mark alone read as one empty line without its line feed.
    testing::WriteBytes(folder / "empty.index", "");
    testing::WriteBytes(folder / "empty.dict", "");
    DictionaryBuilder builder(utf8, folder / "empty.txt");
    ImportDictd(folder / "empty.index", folder / "empty.dict", builder);
    EXPECT_EQ(builder.Finish().lines, 0);
    EXPECT_EQ(testing::ReadBytes(folder / "empty.txt"), "");
    EXPECT_TRUE(Clean(folder / "empty.txt", utf8));
}

TEST_F(Import, DictdCorruptInputIsAClearError) {
    const std::string data = testing::ReadBytes(kData / "dictd-plain" / "tiny.dict");
    testing::WriteBytes(folder / "d.dict", data);
    auto importError = [&](const std::string& index, const std::filesystem::path& dict) {
        testing::WriteBytes(folder / "d.index", index);
        DictionaryBuilder builder(cp949, folder / "out.txt");
        try {
            ImportDictd(folder / "d.index", dict, builder);
        } catch (const ToolError& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_NE(importError("apple\tz!\tp\n", folder / "d.dict").find("d.index:1: bad base-64"),
              std::string::npos);
    EXPECT_NE(importError("apple\tz\n", folder / "d.dict").find("separated by tabs"),
              std::string::npos);
    EXPECT_NE(importError("apple\tzzzz\tp\n", folder / "d.dict").find("past the end"),
              std::string::npos);

    std::string dictzip = testing::Dictzip(data, 100);
    testing::WriteBytes(folder / "cut.dict.dz", dictzip.substr(0, dictzip.size() / 2));
    EXPECT_NE(
        importError("apple\tz\tp\ndurian\tCv\t1Z\n", folder / "cut.dict.dz").find("past the end"),
        std::string::npos);
    std::string garbled = dictzip;
    for (size_t i = garbled.size() - 200; i < garbled.size() - 12; ++i) garbled[i] = char(0xFF);
    testing::WriteBytes(folder / "garbled.dict.dz", garbled);
    EXPECT_NE(importError("durian\tCv\t1Z\n", folder / "garbled.dict.dz").find("broken"),
              std::string::npos)
        << importError("durian\tCv\t1Z\n", folder / "garbled.dict.dz");
    std::string badTable = dictzip;
    badTable[10] = char(0xFF);  // the extra field's length runs past the file
    badTable[11] = char(0xFF);
    testing::WriteBytes(folder / "table.dict.dz", badTable);
    EXPECT_NE(importError("apple\tz\tp\n", folder / "table.dict.dz").find("broken gzip header"),
              std::string::npos)
        << importError("apple\tz\tp\n", folder / "table.dict.dz");
    EXPECT_NE(importError("apple\tz\tp\n", folder / "missing.dict").find("missing.dict"),
              std::string::npos);
}

// Writes a StarDict dictionary of `entries` (word, article bytes).
void WriteStarDict(const std::filesystem::path& base, const std::string& ifoExtra,
                   const std::vector<std::pair<std::string, std::string>>& entries, int offsetBits,
                   bool compressed) {
    std::string dict;
    std::string idx;
    for (const auto& [word, article] : entries) {
        idx += word + '\0' + BigEndian(dict.size(), offsetBits / 8) + BigEndian(article.size(), 4);
        dict += article;
    }
    testing::WriteBytes(base.string() + ".ifo",
                        "StarDict's dict ifo file\nversion=3.0.0\nwordcount=" +
                            std::to_string(entries.size()) + "\n" + ifoExtra);
    if (compressed) {
        testing::WriteBytes(base.string() + ".idx.gz", testing::Gzip(idx));
        testing::WriteBytes(base.string() + ".dict.dz", testing::Dictzip(dict, 50));
    } else {
        testing::WriteBytes(base.string() + ".idx", idx);
        testing::WriteBytes(base.string() + ".dict", dict);
    }
}

TEST_F(Import, StarDictTypedFieldsWith32BitOffsets) {
    using namespace std::string_literals;
    WriteStarDict(folder / "typed", "",
                  {{"apple", "mA fruit\nround\0hfrom <b>trees</b>\0"s},
                   {"image", "P\0\0\0\1Z"s},  // a picture only: skipped
                   {"kiwi", "W\0\0\0\2zzm<green>\0"s}},
                  32, false);
    DictionaryBuilder builder(utf8, folder / "out.txt");
    ImportStarDict(folder / "typed.ifo", builder);
    const ImportStats stats = builder.Finish();
    EXPECT_EQ(stats.entries, 2);
    EXPECT_EQ(stats.skippedEntries, 1);
    EXPECT_EQ(stats.skippedFields, 2);
    // A UTF-8 dictionary starts with the mark that tells its code page.
    EXPECT_EQ(testing::ReadBytes(folder / "out.txt"),
              "\xEF\xBB\xBF"
              "apple/A fruit<br>round<br>from <b>trees</b>\nkiwi/&lt;green&gt;\n");
}

TEST_F(Import, StarDictSameTypeSequenceWith64BitOffsetsCompressedRoundTrip) {
    using namespace std::string_literals;
    std::string longText;
    for (int i = 0; i < 200; ++i) longText += "사과 " + std::to_string(i) + " ";
    WriteStarDict(folder / "same", "idxoffsetbits=64\nsametypesequence=tm\n",
                  {{"Apple", "apl\0a fruit"s}, {"사과", "sagwa\0"s + longText}}, 64, true);
    DictionaryBuilder builder(cp949, folder / "out.txt");
    ImportStarDict(folder / "same.ifo", builder);
    const ImportStats stats = builder.Finish();
    EXPECT_EQ(stats.entries, 2);
    EXPECT_EQ(stats.lines, 2);
    EXPECT_TRUE(Clean(folder / "out.txt", cp949));
    const auto apple = Page(folder / "out.txt", cp949, "apple");
    ASSERT_TRUE(apple);
    EXPECT_NE(apple->find("apl"), std::string::npos) << *apple;
    EXPECT_NE(apple->find("<br>a fruit"), std::string::npos) << *apple;
    const auto sagwa = Page(folder / "out.txt", cp949, "사과");
    ASSERT_TRUE(sagwa);
    EXPECT_NE(sagwa->find("사과 0 "), std::string::npos);
    EXPECT_NE(sagwa->find("사과 199"), std::string::npos);
}

TEST_F(Import, StarDictCorruptInputIsAClearError) {
    using namespace std::string_literals;
    auto importError = [&](const std::string& name) {
        DictionaryBuilder builder(utf8, folder / "out.txt");
        try {
            ImportStarDict(folder / (name + ".ifo"), builder);
        } catch (const ToolError& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    WriteStarDict(folder / "bits", "idxoffsetbits=48\n", {{"a", "mx\0"s}}, 32, false);
    EXPECT_NE(importError("bits").find("idxoffsetbits"), std::string::npos);
    WriteStarDict(folder / "cutidx", "", {{"a", "mx\0"s}}, 32, false);
    testing::WriteBytes(folder / "cutidx.idx", "a\0\0\0"s);
    EXPECT_NE(importError("cutidx").find("cut off"), std::string::npos);
    WriteStarDict(folder / "cutfield", "", {{"a", "W\0\0\1\0zz"s}}, 32, false);
    EXPECT_NE(importError("cutfield").find("cut off"), std::string::npos);
    WriteStarDict(folder / "past", "", {{"a", "mx\0"s}}, 32, false);
    testing::WriteBytes(folder / "past.idx", "a\0\0\0\0\x10\0\0\0\x05"s);
    EXPECT_NE(importError("past").find("past the end"), std::string::npos);
    testing::WriteBytes(folder / "notifo.ifo", "hello\n");
    EXPECT_NE(importError("notifo").find("not a StarDict"), std::string::npos);
}

TEST_F(Import, TabFileWithEscapesAndUnrepresentableCharacters) {
    testing::WriteBytes(folder / "t.tab",
                        "zebra\tstriped\\nanimal\nAC/DC\tband\n\n  apple \tfruit\\\\x\n");
    {
        DictionaryBuilder builder(cp949, folder / "out.txt");
        ImportTab(folder / "t.tab", builder);
        const ImportStats stats = builder.Finish();
        EXPECT_EQ(stats.skippedSlash, 1);
    }
    EXPECT_EQ(testing::ReadBytes(folder / "out.txt"), "apple/fruit\\x\nzebra/striped<br>animal\n");

    testing::WriteBytes(folder / "emoji.tab",
                        "a\tok\nsmile\t\xF0\x9F\x98\x80\nthai\t\xE0\xB9\x84\n");
    DictionaryBuilder builder(cp949, folder / "emoji.txt");
    ImportTab(folder / "emoji.tab", builder);
    try {
        builder.Finish();
        ADD_FAILURE() << "no error";
    } catch (const ToolError& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find("2 entries"), std::string::npos) << message;
        EXPECT_NE(message.find("'smile'"), std::string::npos) << message;
        EXPECT_NE(message.find("--codepage utf-8"), std::string::npos) << message;
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "emoji.txt"));

    testing::WriteBytes(folder / "notab.tab", "a\tb\nno tab here\n");
    DictionaryBuilder other(cp949, folder / "x.txt");
    EXPECT_THROW(ImportTab(folder / "notab.tab", other), ToolError);
}

// Debian's GCIDE, imported as the README says: long entries of many
// articles are shown from their first article to their last.
TEST_F(Import, GcideEntriesAreShownFromTheirFirstArticleToTheirLast) {
    const std::filesystem::path index = "/usr/share/dictd/gcide.index";
    if (!std::filesystem::exists(index)) GTEST_SKIP() << index << " is not installed";
    const auto out = folder / "gcide.txt";
    {
        DictionaryBuilder builder(utf8, out);
        ImportDictd(index, std::nullopt, builder);
        EXPECT_EQ(builder.Finish().cutArticles, 0);
    }
    const std::vector<Text> words = {u"light", u"run", u"set"};
    std::vector<int> articles(words.size());
    {
        std::ifstream in(index);
        for (std::string line; std::getline(in, line);)
            for (size_t i = 0; i < words.size(); ++i)
                if (EqualOrder(FromUtf8(line.substr(0, line.find('\t'))), words[i])) ++articles[i];
    }
    // Each article is one line of the output, and the page joins them all.
    std::vector<Text> joined(words.size());
    std::vector<int> lines(words.size());
    {
        std::ifstream in(out);
        for (std::string line; std::getline(in, line);) {
            const DictionaryLine parts = SplitDictionaryLine(line);
            for (size_t i = 0; i < words.size(); ++i) {
                if (!EqualOrder(utf8.Decode(parts.headword), words[i])) continue;
                if (lines[i]++) joined[i] += kExactSeparator;
                joined[i] += utf8.Decode(parts.content);
            }
        }
    }
    for (size_t i = 0; i < words.size(); ++i) {
        SCOPED_TRACE(ToUtf8(words[i]));
        EXPECT_GT(articles[i], 5);
        EXPECT_EQ(lines[i], articles[i]);
        RecordingNeighbourList neighbours;
        RecordingPage page;
        RecordingMessages messages;
        EntryScreen screen{neighbours, page, messages};
        const SearchOutcome outcome =
            SearchDictionary(words[i], Dictionary{out, utf8}, folder.Path(), screen);
        EXPECT_TRUE(outcome.shown.exact);
        EXPECT_FALSE(outcome.shown.cut);
        ASSERT_EQ(page.Pieces().size(), 7u);
        Text content = ReplaceAll(page.Pieces()[5], u"</font><font color=#ff0000>[", u"[");
        content = ReplaceAll(content, u"]</font><font color=#000000>", u"]");
        EXPECT_GT(content.size(), 8192u);
        EXPECT_TRUE(content == joined[i]) << "the page is not the whole entry";
        // The step buttons reach the headwords on either side.
        const int selected = neighbours.Selection();
        ASSERT_GT(selected, 0);
        EXPECT_TRUE(EqualOrder(neighbours.Item(selected), words[i]));
        EXPECT_LT(selected + 1, neighbours.Count());
    }
}

TEST(CutArticle, KeepsWholeCharactersTagsAndEntities) {
    const CodePage utf8 = *CodePage::Named("utf-8");
    const CodePage cp949 = CodePage::Default();
    const std::string sagwa949 = "\xbb\xe7\xb0\xfa";  // 사과
    EXPECT_EQ(CutArticle("short", 10, utf8), "short");
    // A character is never cut in half, in either code page.
    EXPECT_EQ(CutArticle("ab\xEC\x82\xAC\xEA\xB3\xBC", 6, utf8), "ab\xEC\x82\xAC");
    EXPECT_EQ(CutArticle("a" + sagwa949, 4, cp949), "a\xbb\xe7");
    EXPECT_EQ(CutArticle(sagwa949 + sagwa949, 5, cp949), sagwa949);
    // A tag or an entity cut in half is left out whole.
    EXPECT_EQ(CutArticle("text <font color=red>", 12, utf8), "text ");
    EXPECT_EQ(CutArticle("<b>x</b> &amp;", 12, utf8), "<b>x</b> ");
    EXPECT_EQ(CutArticle("<b>x</b> y z", 10, utf8), "<b>x</b> y");
    // A link goes whole or not at all.
    const std::string link = "see <a href=\"tavik:x\">x</a>";
    EXPECT_EQ(CutArticle(link, 25, utf8), "see ");
    EXPECT_EQ(CutArticle(link + " more", 28, utf8), link + " ");
}

// A dictd number: base 64 in the index's alphabet.
std::string DictdNumber(uint64_t value) {
    static constexpr std::string_view kAlphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string digits;
    do {
        digits.insert(digits.begin(), kAlphabet[value % 64]);
        value /= 64;
    } while (value > 0);
    return digits;
}

TEST_F(Import, EveryImporterTurnsItsReferencesIntoLinksThatSearchTheirWord) {
    using namespace std::string_literals;
    // dictd: "{word}" references, also wrapped over a line.
    const std::string keg = "keg\n  A small cask; see {barrel} or {ice\n   cream} & {half.\n";
    const std::string barrel = "barrel\n  A round vessel.\n";
    testing::WriteBytes(folder / "d.dict", keg + barrel);
    testing::WriteBytes(folder / "d.index", "barrel\t" + DictdNumber(keg.size()) + "\t" +
                                                DictdNumber(barrel.size()) + "\nkeg\tA\t" +
                                                DictdNumber(keg.size()) + "\n");
    {
        DictionaryBuilder builder(utf8, folder / "dictd.txt");
        ImportDictd(folder / "d.index", std::nullopt, builder);
        builder.Finish();
    }
    const auto kegPage = Page(folder / "dictd.txt", utf8, "keg");
    ASSERT_TRUE(kegPage);
    EXPECT_NE(kegPage->find("see <a href=\"tavik:barrel\">barrel</a> or "
                            "<a href=\"tavik:ice%20cream\">ice cream</a> &amp; {half."),
              std::string::npos)
        << *kegPage;
    EXPECT_TRUE(Clean(folder / "dictd.txt", utf8));

    // StarDict: bword:// links in HTML, <kref> in XDXF, none in Pango markup.
    WriteStarDict(folder / "s", "",
                  {{"apple", "h<a href=\"bword://pear tree\">pear</a>\0"s},
                   {"kiwi", "x<k>kiwi</k>\nsee <kref>apple</kref>\0"s},
                   {"lime", "g<b>{sour}</b>\0"s}},
                  32, false);
    {
        DictionaryBuilder builder(utf8, folder / "stardict.txt");
        ImportStarDict(folder / "s.ifo", builder);
        EXPECT_EQ(builder.Finish().skippedFields, 0);
    }
    EXPECT_EQ(testing::ReadBytes(folder / "stardict.txt"),
              "\xEF\xBB\xBF"
              "apple/<a href=\"tavik:pear%20tree\">pear</a>\n"
              "kiwi/<k>kiwi</k><br>see <a href=\"tavik:apple\">apple</a>\n"
              "lime/<b>{sour}</b>\n");

    // Tab: text stays as it is, bword:// links become links.
    testing::WriteBytes(folder / "t.tab",
                        "a\tplain {not a link} <a href=\"bword://b\">b</a>\nb\tx\n");
    {
        DictionaryBuilder builder(utf8, folder / "tab.txt");
        ImportTab(folder / "t.tab", builder);
        builder.Finish();
    }
    EXPECT_EQ(testing::ReadBytes(folder / "tab.txt"),
              "\xEF\xBB\xBF"
              "a/plain {not a link} <a href=\"tavik:b\">b</a>\nb/x\n");
}

TEST_F(Import, AnArticleTooLongForALineIsCutCountedAndStillChecksClean) {
    // 8 MB of Korean with line breaks: one line of at most 1 MiB, cut between
    // characters, in time linear in the article.
    std::string article;
    while (article.size() < (size_t(8) << 20)) article += "\xEC\x82\xAC\xEA\xB3\xBC\\n";
    testing::WriteBytes(folder / "big.tab", "apple\tred\nbig\t" + article + "\nzoo\tanimal\n");
    for (const CodePage* codePage : {&utf8, &cp949}) {
        const auto out = folder / ("big-" + codePage->Name() + ".txt");
        DictionaryBuilder builder(*codePage, out);
        ImportTab(folder / "big.tab", builder);
        const ImportStats stats = builder.Finish();
        EXPECT_EQ(stats.entries, 3);
        EXPECT_EQ(stats.lines, 3);
        EXPECT_EQ(stats.cutArticles, 1);
        EXPECT_TRUE(Clean(out, *codePage));
        const std::string bytes = testing::ReadBytes(out);
        const size_t big = bytes.find("big/");
        ASSERT_NE(big, std::string::npos);
        const size_t end = bytes.find('\n', big);
        EXPECT_LE(end + 1 - big, size_t(1) << 20);
        EXPECT_GT(end + 1 - big, (size_t(1) << 20) - 16);
        const auto page = Page(out, *codePage, "big");
        ASSERT_TRUE(page);
        EXPECT_EQ(page->find("\xEF\xBF\xBD"), std::string::npos);  // no U+FFFD: nothing cut in half
        EXPECT_TRUE(Page(out, *codePage, "zoo"));
    }
}

}  // namespace
}  // namespace tavik
