// Encoding, splitting and sorting imported entries.
#include "tools/dictionary_builder.h"

#include <algorithm>

#include "dict/dictionary_line.h"
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

size_t EncodedSize(TextView text, const CodePage& codePage) {
    const auto bytes = codePage.Encode(text);
    return bytes ? bytes->size() : text.size() * 4;
}

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

// Moves a cut at `n` back to a friendlier place within the last third.
size_t FriendlierCut(TextView text, size_t n) {
    const TextView head = text.substr(0, n);
    const size_t lowest = n - n / 3;
    const size_t open = head.rfind(u'<');
    const size_t close = head.rfind(u'>');
    if (open != TextView::npos && (close == TextView::npos || close < open) && open > 0)
        return open;  // inside a tag
    const size_t amp = head.rfind(u'&');
    const size_t semi = head.rfind(u';');
    if (amp != TextView::npos && (semi == TextView::npos || semi < amp) && n - amp < 12 && amp > 0)
        return amp;  // inside an entity
    if (n < text.size() && text.substr(n).starts_with(u"<br>")) return n;
    const size_t space = head.rfind(u' ');
    if (space != TextView::npos && space + 1 >= lowest) return space + 1;
    const size_t tag = head.rfind(u'<');
    if (tag != TextView::npos && tag >= lowest) return tag;
    return n;
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

std::vector<Text> SplitArticle(TextView article, size_t budget, const CodePage& codePage) {
    std::vector<Text> parts;
    while (!article.empty()) {
        // Every code unit takes a byte or more: only a short rest can fit,
        // and measuring only that keeps the split linear in the article.
        if (article.size() <= budget && EncodedSize(article, codePage) <= budget) {
            parts.emplace_back(article);
            break;
        }
        // The longest prefix that fits: every code unit takes one byte or
        // more, so it is at most `budget` code units long.
        size_t lo = 0;
        size_t hi = std::min(article.size(), budget);
        while (lo < hi) {
            const size_t mid = (lo + hi + 1) / 2;
            if (EncodedSize(article.substr(0, mid), codePage) <= budget) {
                lo = mid;
            } else {
                hi = mid - 1;
            }
        }
        size_t cut = lo;
        if (cut > 0 && cut < article.size() && IsHighSurrogate(article[cut - 1])) --cut;
        if (cut == 0) cut = 1;  // cannot happen with a sane budget; never loop
        const size_t friendly = FriendlierCut(article, cut);
        if (friendly > 0) cut = friendly;
        parts.emplace_back(article.substr(0, cut));
        article.remove_prefix(cut);
        // The parts are joined with a rule; a break at the cut adds nothing.
        while (article.starts_with(u"<br>")) article.remove_prefix(4);
    }
    return parts;
}

DictionaryBuilder::DictionaryBuilder(const CodePage& codePage, std::filesystem::path output,
                                     size_t memoryLimit)
    : m_codePage(codePage), m_sorter(codePage, std::move(output), memoryLimit) {}

void DictionaryBuilder::AddEntry(TextView rawHeadword, TextView rawArticle) {
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
    const bool articleFits = m_codePage.Encode(article).has_value();
    if (!headwordBytes || !articleFits) {
        if (m_unrepresentable++ == 0) m_firstUnrepresentable = headword;
        return;
    }
    if (ContentBudget(headwordBytes->size()) < kLeastContent) {
        ++m_stats.skippedLongHeadword;
        return;
    }
    AddLines(*headwordBytes, article);
}

void DictionaryBuilder::AddLines(const std::string& headword, TextView article) {
    const std::vector<Text> parts =
        SplitArticle(article, ContentBudget(headword.size()), m_codePage);
    std::string line;
    for (const Text& part : parts) {
        line = headword;
        line += '/';
        line += *m_codePage.Encode(part);
        line += '\n';
        m_sorter.Add(line);
        ++m_stats.lines;
    }
    if (parts.empty()) {
        m_sorter.Add(headword + "/\n");
        ++m_stats.lines;
    }
    ++m_stats.entries;
    if (parts.size() > 1) ++m_stats.splitEntries;
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
