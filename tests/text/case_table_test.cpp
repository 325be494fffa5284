// The lower-case table against the Unicode Character Database, and the
// older folding that `check` still recognises.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "text/compare.h"
#include "text/legacy_case.h"
#include "text/text.h"

namespace tavik {
namespace case_table {
#include "text/lower_case_table.inc"
}  // namespace case_table

namespace {

constexpr const char* kUnicodeData = "/usr/share/unicode/UnicodeData.txt";

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::stringstream in(line);
    for (std::string field; std::getline(in, field, ';');) fields.push_back(field);
    return fields;
}

TEST(LowerCaseTable, HoldsUnicodesSimpleMappingForEveryCodePoint) {
    std::ifstream data(kUnicodeData);
    if (!data) {
        GTEST_SKIP() << kUnicodeData << " is missing (Debian package unicode-data): the table "
                     << "cannot be checked against it";
    }
    std::map<char32_t, char32_t> lower;
    for (std::string line; std::getline(data, line);) {
        const std::vector<std::string> fields = Fields(line);
        if (fields.size() < 14 || fields[13].empty()) continue;
        lower[std::stoul(fields[0], nullptr, 16)] = std::stoul(fields[13], nullptr, 16);
    }
    ASSERT_GT(lower.size(), 1000u) << kUnicodeData << " holds too few mappings";
    int wrong = 0;
    for (char32_t c = 0; c <= 0xFFFF; ++c) {
        const auto found = lower.find(c);
        const char32_t expected = found == lower.end() ? c : found->second;
        if (LowerChar(char16_t(c)) != expected && ++wrong <= 10) {
            ADD_FAILURE() << std::hex << "U+" << unsigned(c) << " lower-cases to U+"
                          << unsigned(LowerChar(char16_t(c))) << ", " << kUnicodeData << " says U+"
                          << unsigned(expected) << " (table from Unicode "
                          << case_table::kLowerCaseUnicodeVersion
                          << "; run scripts/make-case-table.py)";
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST(LowerCaseTable, FoldsTheLettersOlderVersionsLeftAlone) {
    EXPECT_EQ(ToLower(u"ⅡⅲⅯ"), u"ⅱⅲⅿ");                 // Roman numerals
    EXPECT_EQ(ToLower(u"\u2126\u212B\u212A"), u"ωåk");  // ohm, angstrom, kelvin signs
    EXPECT_EQ(ToLower(u"ƠN ƁƑ"), u"ơn ɓƒ");
    EXPECT_EQ(ToLower(u"ⒶⓏ"), u"ⓐⓩ");
    EXPECT_EQ(ToLower(u"ႠᲐ"), u"ⴀა");      // Georgian
    EXPECT_EQ(ToLower(u"ᎠᏵ"), u"ꭰᏽ");  // Cherokee
    EXPECT_EQ(ToLower(u"ⰀⲀꙀꜢ"), u"ⰰⲁꙁꜣ");      // Glagolitic, Coptic, Cyrillic and Latin ext.
    EXPECT_EQ(ToLower(u"ẞ"), u"ß");
    // Not capitals: lower-case letters, Hangul, digits, surrogates.
    EXPECT_EQ(ToLower(u"ßı가9"), u"ßı가9");
    EXPECT_EQ(LowerChar(0xD801), 0xD801);
    EXPECT_EQ(LowerChar(0xFFFF), 0xFFFF);
    EXPECT_EQ(CompareOrder(u"Ⅱ", u"ⅱ"), 0);
    EXPECT_LT(CompareOrder(u"Ⅱ", u"ⅲ"), 0);
}

TEST(LegacyFolding, KeepsTheOlderOrderForCheck) {
    // The old folding knew Latin-1, Greek and Cyrillic but not these.
    EXPECT_EQ(LegacyLowerChar(u'Ä'), u'ä');
    EXPECT_EQ(LegacyLowerChar(u'Я'), u'я');
    EXPECT_EQ(LegacyLowerChar(u'Ⅱ'), u'Ⅱ');
    EXPECT_EQ(LegacyLowerChar(0x2126), 0x2126);
    // "Ⅱ" (U+2161) sorted after "ⅰ" (U+2170) before; now it folds to U+2171.
    EXPECT_TRUE(InLegacyOrder(u"Ⅱ", u"ⅰ"));
    EXPECT_GT(CompareOrder(u"Ⅱ", u"ⅰ"), 0);
    EXPECT_TRUE(InLegacyOrder(u"ab", u"AB"));
    EXPECT_TRUE(InLegacyOrder(u"ab", u"abc"));
    EXPECT_FALSE(InLegacyOrder(u"abc", u"ab"));
    EXPECT_FALSE(InLegacyOrder(u"b", u"A"));
}

}  // namespace
}  // namespace tavik
