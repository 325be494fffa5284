// Entries as plain text for Copy and the command line.
#include "dict/plain_text.h"

#include <gtest/gtest.h>

#include "dict/gather.h"

namespace tavik {
namespace {

TEST(PlainText, DropsMarkupAndKeepsPartsOnTheirOwnLines) {
    EXPECT_EQ(HtmlToPlainText(u"<b>bold</b> &amp; &lt;tag&gt;&nbsp;x"), u"bold & <tag> x");
    EXPECT_EQ(HtmlToPlainText(u"one" + Text(kExactSeparator) + u"two"),
              u"one\n\n--------------------------------------------\n\ntwo");
    EXPECT_EQ(HtmlToPlainText(u"a<br>b\r"), u"a\nb");
    EXPECT_EQ(HtmlToPlainText(u"5 < 6 & 7"), u"5 < 6 & 7");
    EXPECT_EQ(EntryPlainText(u"cat", u"[캣] 고양이"), u"cat\n[캣] 고양이");
    EXPECT_EQ(EntryPlainText(u"cat", u""), u"cat");
}

}  // namespace
}  // namespace tavik
