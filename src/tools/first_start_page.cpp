// The first-start texts.
#include "tools/first_start_page.h"

#include <string>

#include "dict/dictionary_folder.h"
#include "dict/entry_link.h"

namespace tavik {

namespace {

// A folder's name may hold any character; on the page it is text.
Text AsPageText(TextView text) {
    Text out;
    for (char16_t c : text) {
        if (c == u'&' || c == u'<' || c == u'>' || c == u'"' || c == u'\'')
            out += u"&#" + FromUtf8(std::to_string(int(c))) + u";";
        else
            out.push_back(c);
    }
    return out;
}

Text AddLink() {
    return u"<a href=\"" + FromUtf8(std::string(kCommandLinkScheme)) +
           FromUtf8(std::string(kAddDictionaryCommand)) + u"\">사전 추가</a>";
}

}  // namespace

std::optional<Text> FirstStartContent(const std::vector<Text>& dictionaryNames,
                                      size_t installedToAdd,
                                      const std::filesystem::path& homeDataFolder) {
    const Text count = FromUtf8(std::to_string(installedToAdd));
    if (dictionaryNames.empty()) {
        Text page = u"<p>사전이 아직 없습니다. 사전 파일은 이 폴더에 넣습니다:<br><b>" +
                    AsPageText(FileNameText(homeDataFolder)) + u"</b></p>";
        if (installedToAdd > 0)
            page += u"<p>이 컴퓨터에 설치된 사전이 " + count + u"개 있습니다. ";
        else
            page += u"<p>";
        return page + AddLink() + u"에서 사전을 가져올 수 있습니다.</p>";
    }
    if (installedToAdd == 0 || dictionaryNames.size() != 1 ||
        dictionaryNames.front() != kBundledDictionaryName)
        return std::nullopt;
    return u"<p>지금은 Tavik에 딸린 작은 사전만 있습니다. 이 컴퓨터에 설치된 사전이 " + count +
           u"개 있습니다.</p><p>" + AddLink() + u"에서 가져오면 여기서 찾아볼 수 있습니다.</p>";
}

}  // namespace tavik
