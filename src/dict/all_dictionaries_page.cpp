// The page of several dictionaries' entries.
#include "dict/all_dictionaries_page.h"

#include "dict/dictionary_folder.h"
#include "dict/entry_page.h"
#include "dict/notice_page.h"
#include "dict/plain_text.h"

namespace tavik {

namespace {

// Set apart from the entry above it like the parts of one entry, but by a
// full rule: a new dictionary starts.
constexpr std::u16string_view kDictionarySeparator = u"<br><br><hr>";

}  // namespace

Text DictionaryPageName(const std::filesystem::path& dictionary) {
    Text name = FileNameText(dictionary.filename());
    constexpr std::u16string_view kExtension = u".txt";
    if (name.size() > kExtension.size() && name.ends_with(kExtension))
        name.resize(name.size() - kExtension.size());
    return name;
}

void ShowDictionariesPage(const std::filesystem::path& home,
                          const std::vector<DictionaryEntry>& entries, PageSink& sink) {
    const PageColours colours = ReadPageColours(home);
    const bool wantsCopy = sink.WantsCopyText();
    Text plain;
    size_t taken = 0;

    sink.Clear();
    sink.AddText(PageBodyStart(home));
    for (size_t i = 0; i < entries.size(); ++i) {
        const DictionaryEntry& entry = entries[i];
        const bool fits = i == 0 || taken + entry.content.size() <= kDictionariesPageTextLimit;
        Text html(i == 0 ? u"" : kDictionarySeparator);
        html += u"<font color=\"gray\"><b>" + HtmlEscaped(entry.dictionary) + u"</b></font><br>";
        if (fits) {
            taken += entry.content.size();
            html += u"<font face=\"tahoma\" size=\"8\" color=" + colours.word + u"><b>" +
                    entry.headword + u"</b></font>&nbsp;&nbsp;<font color=" + colours.text + u">";
            sink.AddText(html);
            sink.AddText(ColouredContent(entry.content, colours));
            sink.AddText(u"</font>");
        } else {
            html += u"<font color=\"gray\">" + Text(kEntryLeftOutNote) + u"</font>";
            sink.AddText(html);
        }
        if (!wantsCopy) continue;
        if (i > 0) plain += u"\n\n";
        plain += entry.dictionary + u"\n";
        plain += fits ? EntryPlainText(entry.headword, entry.content) : Text(kEntryLeftOutNote);
    }
    sink.AddText(u"</body></html>");
    sink.EndOfSource();
    if (wantsCopy && !entries.empty()) sink.SetCopyText(plain);
}

}  // namespace tavik
