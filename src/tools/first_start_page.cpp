// The first-start texts.
#include "tools/first_start_page.h"

#include <string>

#include "dict/dictionary_folder.h"
#include "dict/entry_link.h"
#include "dict/notices.h"

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
           FromUtf8(std::string(kAddDictionaryCommand)) + u"\">" +
           NoticeText(NoticeId::kAddDictionaryLink) + u"</a>";
}

}  // namespace

std::optional<Text> FirstStartContent(const std::vector<Text>& dictionaryNames,
                                      size_t installedToAdd,
                                      const std::filesystem::path& homeDataFolder) {
    const Text installed =
        NoticeText(NoticeId::kFirstStartInstalled, {FromUtf8(std::to_string(installedToAdd))});
    if (dictionaryNames.empty()) {
        Text page = u"<p>" + NoticeText(NoticeId::kFirstStartNoDictionary) + u"<br><b>" +
                    AsPageText(FileNameText(homeDataFolder)) + u"</b></p><p>";
        if (installedToAdd > 0) page += installed + u" ";
        return page + NoticeText(NoticeId::kFirstStartAddFrom, {AddLink()}) + u"</p>";
    }
    if (installedToAdd == 0 || dictionaryNames.size() != 1 ||
        dictionaryNames.front() != kBundledDictionaryName)
        return std::nullopt;
    return u"<p>" + NoticeText(NoticeId::kFirstStartOnlyBundled) + u" " + installed + u"</p><p>" +
           NoticeText(NoticeId::kFirstStartAddToLookUp, {AddLink()}) + u"</p>";
}

}  // namespace tavik
