// dictd: an index of "headword TAB offset TAB length" (numbers in base 64)
// and the article data.
#include <string>
#include <vector>

#include "text/compare.h"
#include "tools/dict_data.h"
#include "tools/importers.h"
#include "tools/link_markup.h"
#include "tools/sequential_reader.h"
#include "tools/tool_error.h"

namespace tavik {

namespace {}  // namespace

std::optional<uint64_t> DecodeDictdNumber(std::string_view digits) {
    static constexpr std::string_view kAlphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    if (digits.empty() || digits.size() > 10) return std::nullopt;
    uint64_t value = 0;
    for (char c : digits) {
        const size_t digit = kAlphabet.find(c);
        if (digit == std::string_view::npos) return std::nullopt;
        value = value * 64 + digit;
    }
    return value;
}

namespace {

std::vector<std::string_view> SplitTabs(std::string_view line) {
    std::vector<std::string_view> fields;
    for (;;) {
        const size_t tab = line.find('\t');
        fields.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos) break;
        line.remove_prefix(tab + 1);
    }
    return fields;
}

// dictd articles usually begin with a line holding just the headword, which
// the page shows anyway.
TextView WithoutHeadwordLine(TextView article, TextView headword) {
    const size_t feed = article.find(u'\n');
    const TextView first = article.substr(0, feed);
    if (EqualOrder(Trim(first), Trim(headword)))
        return feed == TextView::npos ? TextView() : article.substr(feed + 1);
    return article;
}

std::filesystem::path DefaultDictFile(const std::filesystem::path& index) {
    std::filesystem::path base = index;
    if (base.extension() == ".index") base.replace_extension();
    for (const char* suffix : {".dict.dz", ".dict"}) {
        std::filesystem::path candidate = base;
        candidate += suffix;
        if (std::filesystem::exists(candidate)) return candidate;
    }
    throw ToolError(index.string() + ": no .dict.dz or .dict file beside it");
}

}  // namespace

void ImportDictd(const std::filesystem::path& index,
                 const std::optional<std::filesystem::path>& dict, DictionaryBuilder& builder,
                 const ImportOptions& options) {
    const std::filesystem::path dictPath = dict ? *dict : DefaultDictFile(index);
    SequentialReader reader(index);
    const std::unique_ptr<DictData> data = OpenDictData(dictPath, builder.ScratchFolder());
    std::string_view line;
    while (reader.ReadTextLine(line)) {
        const int64_t lineNumber = reader.LineNumber();
        if (options.progress)
            options.progress->Reading(uint64_t(reader.Position()), uint64_t(reader.Size()),
                                      builder.Stats().entries);
        if (line.empty()) continue;
        const std::vector<std::string_view> fields = SplitTabs(line);
        auto bad = [&](const std::string& why) {
            return ToolError(index.string() + ":" + std::to_string(lineNumber) + ": " + why);
        };
        if (fields.size() < 3) throw bad("expected headword, offset and length separated by tabs");
        const auto offset = DecodeDictdNumber(fields[1]);
        const auto length = DecodeDictdNumber(fields[2]);
        if (!offset || !length)
            throw bad("bad base-64 number '" + std::string(!offset ? fields[1] : fields[2]) + "'");
        // A fourth field keeps the headword as written when the first is folded.
        const std::string_view headwordBytes = fields.size() >= 4 ? fields[3] : fields[0];
        if (headwordBytes.starts_with("00-database-") || headwordBytes.starts_with("00database"))
            continue;
        const Text headword = FromUtf8(headwordBytes);
        const std::string bytes = data->Read(*offset, *length, options.articleLimit);
        const bool cut = *length > bytes.size() && bytes.size() == options.articleLimit;
        const Text article = FromUtf8(cut ? CutAtCharacter(bytes) : std::string_view(bytes));
        // dictd articles are plain text with "{word}" cross-references.
        builder.AddEntry(headword, DictdTextToHtml(WithoutHeadwordLine(article, headword)), cut);
    }
}

}  // namespace tavik
