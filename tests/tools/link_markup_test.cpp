// Cross-references of other formats rewritten as entry links, and the
// words those links give back when clicked.
#include "tools/link_markup.h"

#include <gtest/gtest.h>

#include "dict/entry_link.h"

namespace tavik {
namespace {

std::string Html(const Text& text) { return ToUtf8(text); }

TEST(DictdReferences, BecomeLinksAndTheRestStaysEscapedText) {
    EXPECT_EQ(Html(DictdTextToHtml(u"See {Keg}.")), "See <a href=\"tavik:Keg\">Keg</a>.");
    // A reference wrapped over a line keeps one space.
    EXPECT_EQ(Html(DictdTextToHtml(u"[syn: {ice\n      cream}]")),
              "[syn: <a href=\"tavik:ice%20cream\">ice cream</a>]");
    // Markup characters in the text and in a word stay text and a sound href.
    EXPECT_EQ(Html(DictdTextToHtml(u"a < b & {R&D \"x\"<y>}")),
              "a &lt; b &amp; <a href=\"tavik:R%26D%20%22x%22%3Cy%3E\">R&amp;D \"x\"&lt;y&gt;</a>");
    EXPECT_EQ(EntryLinkWord("tavik:R%26D%20%22x%22%3Cy%3E"), Text(u"R&D \"x\"<y>"));
    // Unbalanced, empty or nested braces: only whole innermost pairs link.
    EXPECT_EQ(Html(DictdTextToHtml(u"a { b")), "a { b");
    EXPECT_EQ(Html(DictdTextToHtml(u"a } b {}")), "a } b {}");
    EXPECT_EQ(Html(DictdTextToHtml(u"{a {b}")), "{a <a href=\"tavik:b\">b</a>");
    EXPECT_EQ(Html(DictdTextToHtml(u"{" + Text(300, u'x') + u"}")),
              "{" + std::string(300, 'x') + "}");
    EXPECT_EQ(Html(DictdTextToHtml(u"{\uD55C\uAE00}")),
              "<a href=\"tavik:%ED%95%9C%EA%B8%80\">\xED\x95\x9C\xEA\xB8\x80</a>");
}

TEST(BwordLinks, BecomeEntryLinksWhateverTheirQuoting) {
    EXPECT_EQ(Html(BwordLinksToEntryLinks(u"<a href=\"bword://ice cream\">ice cream</a>")),
              "<a href=\"tavik:ice%20cream\">ice cream</a>");
    EXPECT_EQ(
        Html(BwordLinksToEntryLinks(u"<A HREF='bword://R&amp;D'>x</A> <a href=bword://go>go</a>")),
        "<A href=\"tavik:R%26D\">x</A> <a href=\"tavik:go\">go</a>");
    // Percent-encoded words are decoded once; a lone "%" is the word's own.
    EXPECT_EQ(Html(BwordLinksToEntryLinks(u"<a href=\"bword://caf%C3%A9\">c</a>")),
              "<a href=\"tavik:caf%C3%A9\">c</a>");
    EXPECT_EQ(EntryLinkWord("tavik:caf%C3%A9"), Text(u"caf\u00E9"));
    EXPECT_EQ(Html(BwordLinksToEntryLinks(u"<a href=\"bword://100%\">c</a>")),
              "<a href=\"tavik:100%25\">c</a>");
    // Other links, and "bword://" outside a link, stay as they are.
    const Text other =
        u"<a href=\"http://example.org\">web</a> bword://plain <a href=\"bword://\">e</a>";
    EXPECT_EQ(BwordLinksToEntryLinks(other), other);
    EXPECT_EQ(BwordLinksToEntryLinks(u"<a href=\"bword://cut"), u"<a href=\"bword://cut");
}

TEST(KrefLinks, LinkTheirTextOrTheirTarget) {
    EXPECT_EQ(Html(KrefLinksToEntryLinks(u"see <kref>ice &amp; cream</kref>.")),
              "see <a href=\"tavik:ice%20%26%20cream\">ice &amp; cream</a>.");
    EXPECT_EQ(Html(KrefLinksToEntryLinks(u"<kref k=\"go\">went</kref><kref>a</kref>")),
              "<a href=\"tavik:go\">went</a><a href=\"tavik:a\">a</a>");
    // An unclosed or empty reference stays as written.
    EXPECT_EQ(KrefLinksToEntryLinks(u"<kref>open"), u"<kref>open");
    EXPECT_EQ(KrefLinksToEntryLinks(u"<kref></kref>"), u"<kref></kref>");
    EXPECT_EQ(KrefLinksToEntryLinks(u"<krefx>no</krefx>"), u"<krefx>no</krefx>");
}

}  // namespace
}  // namespace tavik
