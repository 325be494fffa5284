// The notice page.
#include "dict/notice_page.h"

#include "dict/entry_page.h"

namespace tavik {

Text HtmlEscaped(TextView text) {
    Text out;
    out.reserve(text.size());
    for (char16_t c : text) {
        switch (c) {
            case u'&':
                out += u"&amp;";
                break;
            case u'<':
                out += u"&lt;";
                break;
            case u'>':
                out += u"&gt;";
                break;
            case u'"':
                out += u"&quot;";
                break;
            case u'\'':
                out += u"&#39;";
                break;
            default:
                out.push_back(c);
        }
    }
    return out;
}

void ShowNoticePage(const std::filesystem::path& home, const Notice& notice, PageSink& sink) {
    const PageColours colours = ReadPageColours(home);
    Text body = u"<font face=\"tahoma\" size=\"5\" color=" + colours.word + u"><b>" +
                HtmlEscaped(notice.title) + u"</b></font><br><br><font color=" + colours.text +
                u">";
    Text plain = notice.title + u"\n";
    for (const Text& line : notice.lines) {
        body += HtmlEscaped(line) + u"<br>";
        plain += u"\n" + line;
    }
    body += u"</font>";

    sink.Clear();
    sink.AddText(u"<html><body background='" + HtmlEscaped(PageBackgroundPath(home)) +
                 u"' style='background-attachment : fixed;background-position : right bottom;"
                 u"background-repeat : no-repeat;background-color :#ffffff;'>");
    sink.AddText(body);
    sink.AddText(u"</body></html>");
    sink.EndOfSource();
    if (sink.WantsCopyText()) sink.SetCopyText(plain);
}

}  // namespace tavik
