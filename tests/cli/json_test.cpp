// JSON strings from UTF-16 text: every character comes out as UTF-8, the
// characters JSON reserves as escapes, a lone surrogate as U+FFFD.
#include "cli/json.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace tavik::cli {
namespace {

// The plain definition: the text as UTF-8, each byte escaped as JSON needs.
std::string Expected(TextView text) {
    std::string out = "\"";
    for (const char c : ToUtf8(text)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (byte < 0x20) {
            static constexpr char kHex[] = "0123456789abcdef";
            out += "\\u00";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

TEST(JsonString, EscapesAndCharacters) {
    EXPECT_EQ(JsonString(u""), "\"\"");
    EXPECT_EQ(JsonString(u"a\"b\\c\n\r\t\x01\x7f"), "\"a\\\"b\\\\c\\n\\r\\t\\u0001\x7f\"");
    EXPECT_EQ(JsonString(u"사전 é 😀"), "\"사전 é 😀\"");
    EXPECT_EQ(JsonString(Text(1, char16_t(0xD800)) + u"x"), "\"\xEF\xBF\xBDx\"");
    EXPECT_EQ(JsonString(u"x" + Text(1, char16_t(0xDC00))), "\"x\xEF\xBF\xBD\"");
    std::string out = "{\"a\":";
    AppendJsonString(out, u"b");
    EXPECT_EQ(out, "{\"a\":\"b\"");
}

// Long texts of every kind of code unit cross the writer's internal chunks
// at every offset.
TEST(JsonString, RandomTextsMatchThePlainDefinition) {
    std::mt19937 rng(17);
    static constexpr char16_t kUnits[] = {u'a',  u'"',  u'\\', u'\n',  0x01,   0x1F,   0x7F,  0x80,
                                          0x7FF, 0x800, u'가', 0xD83D, 0xDE00, 0xDBFF, 0xFFFF};
    for (int round = 0; round < 300; ++round) {
        Text text(std::uniform_int_distribution<size_t>(0, 3000)(rng), u'a');
        for (char16_t& c : text) c = kUnits[rng() % std::size(kUnits)];
        ASSERT_EQ(JsonString(text), Expected(text)) << round;
    }
}

// The writer tests blocks of code units at once: every code unit, at every
// place of a block of either size, in texts shorter and longer than a block,
// comes out as the plain definition says.
TEST(JsonString, EveryCodeUnitAtEveryPlaceOfABlock) {
    for (char32_t unit = 0; unit <= 0xFFFF; ++unit) {
        for (size_t before = 0; before < 34; ++before) {
            for (const size_t after : {0, 5, 17}) {
                Text text(before, u'a');
                text += char16_t(unit);
                text += Text(after, u'b');
                ASSERT_EQ(JsonString(text), Expected(text))
                    << "unit " << unsigned(unit) << " at " << before << " of " << text.size();
            }
        }
    }
}

}  // namespace
}  // namespace tavik::cli
