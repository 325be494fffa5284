// The entry page: fixed fragments around the headword and the content.
#include "dict/entry_page.h"

#include "dict/plain_text.h"

namespace tavik {

PageColours ReadPageColours(const std::filesystem::path& /*home*/) { return PageColours{}; }

Text PageBackgroundPath(const std::filesystem::path& home) {
    return FromUtf8((home / "Skin" / "BGHtml.gif").string());
}

void ShowEntryPage(const std::filesystem::path& home, const Text& headword, const Text& content,
                   PageSink& sink) {
    const PageColours colours = ReadPageColours(home);
    const Text openBracket = u"</font><font color=" + colours.speak + u">[";
    const Text closeBracket = u"]</font><font color=" + colours.text + u">";
    const Text head =
        u"<html><body background='" + PageBackgroundPath(home) +
        u"' style='background-attachment : fixed;background-position : right bottom;"
        u"background-repeat : no-repeat;background-color :#ffffff;'>"
        u"<font face=\"tahoma\" size=\"8\" color=" +
        colours.word + u"><b>";

    sink.Clear();
    sink.AddText(head);
    sink.AddText(headword);
    sink.AddText(u"</b></font>&nbsp;&nbsp;<font color=");
    sink.AddText(colours.text);
    sink.AddText(u">");
    sink.AddText(ReplaceAll(ReplaceAll(content, u"[", openBracket), u"]", closeBracket));
    sink.AddText(u"</font></body></html>");
    sink.EndOfSource();
    if (!headword.empty() || !content.empty()) sink.SetCopyText(EntryPlainText(headword, content));
}

}  // namespace tavik
