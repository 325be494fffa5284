// Encoding, cutting and sorting imported entries; every step is linear in
// the article's size.
#include "tools/dictionary_builder.h"

#include "dict/dictionary_line.h"
#include "text/codepage_detect.h"
#include "text/character_cut.h"
#include "tools/tool_error.h"

namespace tavik {

namespace {

// A headword must leave at least this much room for its article.
constexpr size_t kLeastContent = 64;

Text BreaksToHtml(TextView text) {
    Text out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            out += u"<br>";
        } else if (c != 0) {
            out.push_back(c);
        }
    }
    return out;
}

Text CleanHeadword(TextView headword) {
    Text out(headword);
    for (char16_t& c : out)
        if (c == u'\r' || c == u'\n' || c == u'\t' || c == 0) c = u' ';
    return Trim(out);
}

}  // namespace

size_t ContentBudget(size_t headwordBytes) {
    return headwordBytes + 2 >= kDictionaryLineLimit ? 0 : kDictionaryLineLimit - 2 - headwordBytes;
}

Text EscapeHtml(TextView text) {
    Text out;
    out.reserve(text.size());
    for (char16_t c : text) {
        if (c == u'&') {
            out += u"&amp;";
        } else if (c == u'<') {
            out += u"&lt;";
        } else if (c == u'>') {
            out += u"&gt;";
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::string_view CutArticle(std::string_view article, size_t budget, const CodePage& codePage) {
    if (article.size() <= budget) return article;
    std::string_view kept = CutAtCharacter(article, budget, codePage);
    // Markup is ASCII, and no byte of a multi-byte character in a code page
    // that keeps ASCII is '<', '>', '&' or ';'.
    const size_t open = kept.rfind('<');
    const size_t close = kept.rfind('>');
    if (open != std::string_view::npos && (close == std::string_view::npos || close < open))
        kept = kept.substr(0, open);
    // A link cut after its start would take in the rest of the page: it goes
    // whole or not at all (one left open further back is the article's own).
    constexpr size_t kLongestLink = 4096;
    for (size_t tag = kept.rfind('<');
         tag != std::string_view::npos && kept.size() - tag <= kLongestLink;
         tag = tag == 0 ? std::string_view::npos : kept.rfind('<', tag - 1)) {
        const std::string_view rest = kept.substr(tag);
        auto isAnchor = [&](size_t nameAt) {
            return rest.size() > nameAt + 1 && (rest[nameAt] == 'a' || rest[nameAt] == 'A') &&
                   (rest[nameAt + 1] == '>' || rest[nameAt + 1] == ' ');
        };
        if (rest.size() > 1 && rest[1] == '/' && isAnchor(2)) break;
        if (isAnchor(1)) {
            kept = kept.substr(0, tag);
            break;
        }
    }
    constexpr size_t kLongestEntity = 12;
    const size_t amp = kept.rfind('&');
    const size_t semi = kept.rfind(';');
    if (amp != std::string_view::npos && (semi == std::string_view::npos || semi < amp) &&
        kept.size() - amp < kLongestEntity)
        kept = kept.substr(0, amp);
    return kept;
}

DictionaryBuilder::DictionaryBuilder(const CodePage& codePage, std::filesystem::path output,
                                     size_t memoryLimit)
    : m_codePage(codePage), m_sorter(codePage, std::move(output), memoryLimit) {
    // Most entries of an English dictionary are ASCII: the mark tells the
    // readers UTF-8 where samples of the file would not.
    if (m_codePage.IsUtf8()) m_sorter.SetPreamble(std::string(kUtf8ByteOrderMark));
}

void DictionaryBuilder::AddEntry(TextView rawHeadword, TextView rawArticle, bool cutBefore) {
    const Text headword = CleanHeadword(rawHeadword);
    if (headword.empty()) {
        ++m_stats.skippedEmpty;
        return;
    }
    if (headword.find(u'/') != Text::npos) {
        ++m_stats.skippedSlash;
        return;
    }
    const Text article = BreaksToHtml(Trim(rawArticle));
    const auto headwordBytes = m_codePage.Encode(headword);
    const auto articleBytes = m_codePage.Encode(article);
    if (!headwordBytes || !articleBytes) {
        if (m_unrepresentable++ == 0) m_firstUnrepresentable = headword;
        return;
    }
    // Any line may come first after sorting, behind the byte-order mark.
    const size_t mark = m_codePage.IsUtf8() ? kUtf8ByteOrderMark.size() : 0;
    const size_t budget = ContentBudget(headwordBytes->size() + mark);
    if (budget < kLeastContent) {
        ++m_stats.skippedLongHeadword;
        return;
    }
    const std::string_view content = CutArticle(*articleBytes, budget, m_codePage);
    if (cutBefore || content.size() < articleBytes->size()) ++m_stats.cutArticles;
    std::string line;
    line.reserve(headwordBytes->size() + content.size() + 2);
    line += *headwordBytes;
    line += '/';
    line += content;
    line += '\n';
    m_sorter.Add(line);
    ++m_stats.lines;
    ++m_stats.entries;
}

ImportStats DictionaryBuilder::Finish() {
    if (m_unrepresentable > 0) {
        throw ToolError(std::to_string(m_unrepresentable) + " entries have characters that " +
                        m_codePage.Name() + " cannot hold, the first is '" +
                        ToUtf8(m_firstUnrepresentable) +
                        "'; import with --codepage utf-8 to keep them");
    }
    m_sorter.Finish();
    return m_stats;
}

}  // namespace tavik
