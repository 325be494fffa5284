// Text, code pages and the comparisons.
#include "text/text.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "text/codepage.h"
#include "text/compare.h"

namespace tavik {
namespace {

TEST(Trim, RemovesWhiteSpaceAtBothEndsOnly) {
    EXPECT_EQ(Trim(u"  apple \t\r\n"), u"apple");
    EXPECT_EQ(Trim(u"\u3000사과\u00a0"), u"사과");
    EXPECT_EQ(Trim(u"a b"), u"a b");
    EXPECT_EQ(Trim(u" \t "), u"");
}

TEST(LowerChar, CoversTheScriptsOfHeadwords) {
    EXPECT_EQ(ToLower(u"ABC xyz"), u"abc xyz");
    EXPECT_EQ(ToLower(u"ÀÉÎÕÜÞ×ß"), u"àéîõüþ×ß");
    EXPECT_EQ(ToLower(u"ĀĞŁŽŸ"), u"āğłžÿ");
    EXPECT_EQ(ToLower(u"ΑΒΓΔΆΏ"), u"αβγδάώ");
    EXPECT_EQ(ToLower(u"АБВЁЯ"), u"абвёя");
    EXPECT_EQ(ToLower(u"ＡＺ가"), u"ａｚ가");
    EXPECT_EQ(ToLower(u"ԱՖ"), u"աֆ");
}

TEST(CompareOrder, FoldsCaseThenComparesCodeUnits) {
    EXPECT_EQ(CompareOrder(u"APPLE", u"apple"), 0);
    EXPECT_LT(CompareOrder(u"abc", u"abd"), 0);
    EXPECT_LT(CompareOrder(u"ab", u"abc"), 0);
    EXPECT_GT(CompareOrder(u"B", u"a"), 0);
    // '_' (0x5F) lies between 'Z' and 'a': folding happens before comparing,
    // so "Z" sorts after "_" as "z" does.
    EXPECT_GT(CompareOrder(u"Z", u"_"), 0);
    EXPECT_GT(CompareOrder(u"가", u"z"), 0);
    EXPECT_NE(CompareExact(u"Apple", u"apple"), 0);
    EXPECT_TRUE(StartsWithOrder(u"Running", u"RUN"));
    EXPECT_FALSE(StartsWithOrder(u"ru", u"run"));
}

// ASCII is folded without the table: it must order as the table does.
TEST(CompareOrder, OrdersAsciiAsTheCaseTableFoldsIt) {
    for (char16_t a = 0; a < 0x80; ++a) {
        for (char16_t b = 0; b < 0x80; ++b) {
            const int folded = int(LowerChar(a)) - int(LowerChar(b));
            const int expected = folded < 0 ? -1 : folded > 0 ? 1 : 0;
            ASSERT_EQ(CompareOrder(Text(1, a), Text(1, b)), expected) << int(a) << " " << int(b);
            ASSERT_EQ(EqualOrder(Text{u'x', a}, Text{u'X', b}), expected == 0);
        }
    }
    EXPECT_FALSE(EqualOrder(u"ab", u"abc"));
}

// Whenever the first units of a text decide the order, it is the order of
// the whole text: checked over every pair of a set of near-alike words and
// every length of beginning known.
TEST(CompareOrder, ABeginningDecidesOnlyWhatTheWholeWouldDecide) {
    const std::vector<Text> words = {u"",         u"a",        u"A",      u"ab",     u"abc",
                                     u"ABC",      u"abd",      u"abcdef", u"abcdeg", u"ABCDEFG",
                                     u"abcdefgh", u"abcdefgi", u"b",      u"가나",   u"_x"};
    int undecided = 0;
    for (const Text& a : words) {
        for (const Text& b : words) {
            for (size_t known = 0; known <= b.size(); ++known) {
                const std::optional<int> order =
                    CompareOrderWithStart(a, TextView(b).substr(0, known), b.size());
                if (!order) {
                    ++undecided;
                    continue;
                }
                const int whole = CompareOrder(a, b);
                ASSERT_EQ(*order, whole < 0   ? -1
                                  : whole > 0 ? 1
                                              : 0)
                    << ToUtf8(a) << " " << ToUtf8(b) << " " << known;
            }
            // The whole text always decides.
            ASSERT_TRUE(CompareOrderWithStart(a, b, b.size()));
        }
    }
    EXPECT_GT(undecided, 0);
}

TEST(CodePage, NamesAndNumbers) {
    EXPECT_EQ(CodePage::Named("949")->Name(), "CP949");
    EXPECT_EQ(CodePage::Named("utf-8")->Name(), "UTF-8");
    EXPECT_TRUE(CodePage::Named("EUC-KR"));
    EXPECT_FALSE(CodePage::Named("no-such-charset"));
    EXPECT_FALSE(CodePage::Named("UTF-16"));  // not ASCII-compatible
}

TEST(CodePage, Cp949RoundTripsKorean) {
    const CodePage cp = CodePage::Default();
    const std::string bytes = "\xbb\xe7\xb0\xfa";  // 사과
    EXPECT_EQ(cp.Decode(bytes), u"사과");
    EXPECT_EQ(cp.Encode(u"사과"), bytes);
    EXPECT_EQ(cp.Decode("cat/\xb0\xed"), u"cat/고");
}

TEST(CodePage, InvalidAndTruncatedBytesBecomeReplacementCharacters) {
    const CodePage cp = CodePage::Default();
    EXPECT_EQ(cp.Decode("ab\xbb"), u"ab\uFFFD");  // lead byte cut off
    EXPECT_EQ(cp.Decode("\xff"
                        "a"),
              u"\uFFFD"
              u"a");                                      // never valid
    EXPECT_EQ(cp.Decode("\xbb\xe7\x80x"), u"사\uFFFDx");  // bad sequence mid-text
    const CodePage utf8 = *CodePage::Named("UTF-8");
    EXPECT_EQ(utf8.Decode("\xea\xb0"), u"\uFFFD");
    EXPECT_EQ(utf8.Decode("a\xff\xea\xb0z"), u"a\uFFFD\uFFFDz");
    EXPECT_EQ(utf8.Decode("\xea\xb0\x80!"), u"가!");
}

// ASCII is checked and widened a block of bytes at a time: a byte that is
// not ASCII, at every place of such a block, and the bytes around it decode as
// one at a time would, appended after what the text held.
TEST(CodePage, EveryPlaceOfABlockDecodesAsByteByByte) {
    const CodePage cp949 = CodePage::Default();
    const CodePage utf8 = *CodePage::Named("UTF-8");
    for (size_t length = 0; length < 40; ++length) {
        for (size_t at = 0; at <= length; ++at) {
            std::string bytes;
            for (size_t i = 0; i < length; ++i) bytes += char('!' + i % 90);
            Text ascii = u"before";
            for (const char c : bytes) ascii += char16_t(c);
            Text appended = u"before";
            utf8.DecodeAppend(bytes, appended);
            ASSERT_EQ(appended, ascii) << length;
            // 가 in UTF-8, 사 in CP949, in the middle of the ASCII.
            const std::string utf8Bytes = bytes.substr(0, at) + "\xea\xb0\x80" + bytes.substr(at);
            const std::string cp949Bytes = bytes.substr(0, at) + "\xbb\xe7" + bytes.substr(at);
            const Text head = ascii.substr(0, 6 + at);
            const Text tail = ascii.substr(6 + at);
            appended = u"before";
            utf8.DecodeAppend(utf8Bytes, appended);
            ASSERT_EQ(appended, head + u"가" + tail) << length << " " << at;
            ASSERT_EQ(cp949.Decode(cp949Bytes), (head + u"사" + tail).substr(6))
                << length << " " << at;
            // A lone byte that is never valid.
            const std::string broken = bytes.substr(0, at) + "\xff" + bytes.substr(at);
            ASSERT_EQ(utf8.Decode(broken), (head + u"\uFFFD" + tail).substr(6)) << at;
            ASSERT_EQ(cp949.Decode(broken), (head + u"\uFFFD" + tail).substr(6)) << at;
        }
    }
}

TEST(CodePage, EncodingReportsCharactersTheCodePageLacks) {
    const CodePage cp = CodePage::Default();
    EXPECT_FALSE(cp.Encode(u"smile 😀"));
    EXPECT_FALSE(cp.Encode(u"ภาษาไทย"));
    EXPECT_EQ(cp.Encode(u"plain"), "plain");
    const CodePage utf8 = *CodePage::Named("UTF-8");
    EXPECT_EQ(utf8.Encode(u"😀"), "\xf0\x9f\x98\x80");
}

TEST(Utf8, RoundTripAndInvalidInput) {
    EXPECT_EQ(FromUtf8("a\xed\x95\x9c"), u"a한");
    EXPECT_EQ(ToUtf8(u"a한😀"), "a\xed\x95\x9c\xf0\x9f\x98\x80");
    EXPECT_EQ(FromUtf8("\xc0\xaf"), u"\uFFFD\uFFFD");  // overlong '/'
    EXPECT_EQ(ToUtf8(std::u16string(1, char16_t(0xD800))), "\xef\xbf\xbd");
}

TEST(ReplaceAll, DoesNotRescanInsertedText) {
    EXPECT_EQ(ReplaceAll(u"a[b]c[", u"[", u"[["), u"a[[b]c[[");
    EXPECT_EQ(ReplaceAll(u"none", u"[", u"x"), u"none");
}

}  // namespace
}  // namespace tavik
