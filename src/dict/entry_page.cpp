// The entry page: fixed fragments around the headword and the content.
#include "dict/entry_page.h"

#include <array>

#include "config/profile.h"
#include "config/skin_layout.h"
#include "dict/plain_text.h"
#include "text/codepage.h"

namespace tavik {

namespace {

// One colour of section "Content". The skin file is decoded as CP949, the
// dictionaries' default; colour notations are ASCII and come through as
// they stand.
Text ReadColour(const std::filesystem::path& skinFile, const char* key, const char* fallback) {
    std::array<char, kProfileLineBuffer> buffer{};
    ProfileReadString("Content", key, fallback, buffer.data(), int(buffer.size()), skinFile);
    return CodePage::Default().Decode(buffer.data());
}

}  // namespace

PageColours ReadPageColours(const std::filesystem::path& home) {
    const std::filesystem::path skinFile = SkinFilePath(home);
    PageColours colours;
    colours.word = ReadColour(skinFile, "Word", "#0000ff");
    colours.speak = ReadColour(skinFile, "Speak", "#ff0000");
    colours.text = ReadColour(skinFile, "Text", "#000000");
    return colours;
}

Text PageBackgroundPath(const std::filesystem::path& home) {
    return FromUtf8((home / "Skin" / "BGHtml.gif").string());
}

void ShowEntryPage(const std::filesystem::path& home, const Text& headword, const Text& content,
                   PageSink& sink) {
    const PageColours colours = ReadPageColours(home);
    const Text openBracket = u"</font><font color=" + colours.speak + u">[";
    const Text closeBracket = u"]</font><font color=" + colours.text + u">";
    const Text head = u"<html><body background='" + PageBackgroundPath(home) +
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
    if ((!headword.empty() || !content.empty()) && sink.WantsCopyText())
        sink.SetCopyText(EntryPlainText(headword, content));
}

}  // namespace tavik
