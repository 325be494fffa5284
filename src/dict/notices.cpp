// The table of notice texts.
#include "dict/notices.h"

#include <array>
#include <utility>
#include <vector>

namespace tavik {

namespace {

NoticeTranslation g_translate = nullptr;

constexpr std::array<std::pair<NoticeId, std::u16string_view>, 25> kNotices = {{
    {NoticeId::kDictionaryUnusableTitle, TAVIK_NOTICE(u"사전을 읽을 수 없습니다")},
    {NoticeId::kDictionaryMissing, TAVIK_NOTICE(u"사전 파일이 없습니다: {0}")},
    {NoticeId::kDictionaryIsFolder, TAVIK_NOTICE(u"사전 파일이 아니라 폴더입니다: {0}")},
    {NoticeId::kDictionaryNotRegular,
     TAVIK_NOTICE(u"일반 파일이 아니어서(파이프나 장치) 사전으로 읽을 수 없습니다: {0}")},
    {NoticeId::kDictionaryUnreadable, TAVIK_NOTICE(u"사전 파일을 열 수 없습니다({1}): {0}")},
    {NoticeId::kDictionaryEmpty, TAVIK_NOTICE(u"사전 파일이 비어 있습니다: {0}")},
    {NoticeId::kChooseAnotherDictionary,
     TAVIK_NOTICE(u"도구 메뉴의 사전선택이나 사전 선택 목록에서 다른 사전을 고르십시오.")},
    {NoticeId::kNoDictionaryTitle, TAVIK_NOTICE(u"사전이 없습니다")},
    {NoticeId::kNoDictionaryWhere, TAVIK_NOTICE(u"사전 폴더에 사전 파일이 하나도 없습니다: {0}")},
    {NoticeId::kNoDictionaryFormat,
     TAVIK_NOTICE(u"사전은 한 줄에 \"표제어/내용\"을 적고 표제어 순으로 정렬한 텍스트 파일입니다. "
                  u"이 폴더에 넣으면 사전 목록에 나타납니다.")},
    {NoticeId::kNoDictionaryImport,
     TAVIK_NOTICE(u"dictd, StarDict, 탭으로 나눈 사전은 tavik-dict로 가져올 수 있습니다. 예:")},
    {NoticeId::kNoDictionaryImportExample,
     u"tavik-dict import dictd /usr/share/dictd/gcide.index -o {0}/gcide.txt"},
    {NoticeId::kNoDictionaryChoose,
     TAVIK_NOTICE(u"사전을 넣은 뒤 도구 메뉴의 사전선택에서 고르십시오.")},
    {NoticeId::kStatusDictionaryUnusable, TAVIK_NOTICE(u"사전을 읽을 수 없습니다: {0}")},
    {NoticeId::kStatusNoDictionary, TAVIK_NOTICE(u"사전이 없습니다. 사전 파일을 넣을 곳: {0}")},
    {NoticeId::kStatusWordNotFound,
     TAVIK_NOTICE(u"‘{0}’은(는) 사전에 없습니다. 가장 가까운 표제어 ‘{1}’을(를) 보여 줍니다.")},
    {NoticeId::kStatusNothingFound, TAVIK_NOTICE(u"‘{0}’은(는) 사전에 없습니다.")},
    {NoticeId::kStatusSkinMissing, TAVIK_NOTICE(u"스킨 파일이 없어 기본 배치로 보여 줍니다: {0}")},
    {NoticeId::kStatusSkinUnusable,
     TAVIK_NOTICE(u"스킨 파일의 배치를 쓸 수 없어 기본 배치로 보여 줍니다: {0}")},
    {NoticeId::kFirstStartNoDictionary,
     TAVIK_NOTICE(u"사전이 아직 없습니다. 사전 파일은 이 폴더에 넣습니다:")},
    {NoticeId::kFirstStartInstalled, TAVIK_NOTICE(u"이 컴퓨터에 설치된 사전이 {0}개 있습니다.")},
    {NoticeId::kFirstStartAddFrom, TAVIK_NOTICE(u"{0}에서 사전을 가져올 수 있습니다.")},
    {NoticeId::kFirstStartOnlyBundled, TAVIK_NOTICE(u"지금은 Tavik에 딸린 작은 사전만 있습니다.")},
    {NoticeId::kFirstStartAddToLookUp,
     TAVIK_NOTICE(u"{0}에서 가져오면 여기서 찾아볼 수 있습니다.")},
    {NoticeId::kAddDictionaryLink, TAVIK_NOTICE(u"사전 추가")},
}};

std::u16string_view Template(NoticeId id) {
    for (const auto& [key, text] : kNotices)
        if (key == id) return text;
    return {};
}

}  // namespace

void SetNoticeTranslation(NoticeTranslation translate) { g_translate = translate; }

Text TranslatedText(TextView korean) { return g_translate ? g_translate(korean) : Text(korean); }

Text NoticeText(NoticeId id, std::initializer_list<TextView> args) {
    const Text pattern = TranslatedText(Template(id));
    const std::vector<TextView> values(args);
    Text out;
    for (size_t i = 0; i < pattern.size(); ++i) {
        // "{n}" with one digit: the notices take at most two values.
        if (pattern[i] == u'{' && i + 2 < pattern.size() && pattern[i + 2] == u'}' &&
            pattern[i + 1] >= u'0' && pattern[i + 1] <= u'9') {
            const size_t index = size_t(pattern[i + 1] - u'0');
            if (index < values.size()) out.append(values[index]);
            i += 2;
            continue;
        }
        out.push_back(pattern[i]);
    }
    return out;
}

}  // namespace tavik
