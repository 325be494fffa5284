// The texts the search shows about itself, and a translation standing in for
// them: every "{n}" still filled in wherever the translation puts it.
#include "dict/notices.h"

#include <gtest/gtest.h>

#include "dict/search_action.h"

namespace tavik {
namespace {

// A translation of two of the texts; the others it leaves as they are.
Text Translate(TextView korean) {
    if (korean == u"‘{0}’은(는) 사전에 없습니다. 가장 가까운 표제어 ‘{1}’을(를) 보여 줍니다.")
        return u"{1} shown for {0}";
    if (korean == kEmptyWordMessage) return u"Please enter a word";
    return Text(korean);
}

TEST(Notices, ATranslationStandsInAndItsPlaceholdersAreFilled) {
    const Text korean = NoticeText(NoticeId::kStatusWordNotFound, {u"recieve", u"recife"});
    EXPECT_EQ(korean,
              u"‘recieve’은(는) 사전에 없습니다. 가장 가까운 표제어 ‘recife’을(를) 보여 줍니다.");

    SetNoticeTranslation(&Translate);
    EXPECT_EQ(NoticeText(NoticeId::kStatusWordNotFound, {u"recieve", u"recife"}),
              u"recife shown for recieve");
    EXPECT_EQ(TranslatedText(kEmptyWordMessage), u"Please enter a word");
    // A text the translation does not know stays Korean.
    EXPECT_EQ(NoticeText(NoticeId::kStatusNothingFound, {u"x"}), u"‘x’은(는) 사전에 없습니다.");

    SetNoticeTranslation(nullptr);
    EXPECT_EQ(NoticeText(NoticeId::kStatusWordNotFound, {u"recieve", u"recife"}), korean);
    EXPECT_EQ(TranslatedText(kEmptyWordMessage), kEmptyWordMessage);
}

}  // namespace
}  // namespace tavik
