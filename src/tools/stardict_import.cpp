// StarDict: .ifo (the description), .idx (headword, offset, size) and .dict
// (articles made of typed fields).
#include <cctype>
#include <map>
#include <string>

#include "tools/dict_data.h"
#include "tools/importers.h"
#include "tools/sequential_reader.h"
#include "tools/tool_error.h"

namespace tavik {

namespace {

std::map<std::string, std::string> ReadIfo(const std::filesystem::path& ifo) {
    SequentialReader reader(ifo);
    std::map<std::string, std::string> values;
    std::string_view line;
    bool first = true;
    while (reader.ReadTextLine(line)) {
        if (first) {
            if (!line.starts_with("StarDict's dict ifo file"))
                throw ToolError(ifo.string() + ": not a StarDict .ifo file");
            first = false;
            continue;
        }
        const size_t equals = line.find('=');
        if (equals != std::string_view::npos)
            values[std::string(line.substr(0, equals))] = std::string(line.substr(equals + 1));
    }
    if (first) throw ToolError(ifo.string() + ": empty file");
    return values;
}

std::filesystem::path Beside(const std::filesystem::path& ifo,
                             std::initializer_list<const char*> suffixes) {
    std::filesystem::path base = ifo;
    base.replace_extension();
    for (const char* suffix : suffixes) {
        std::filesystem::path candidate = base;
        candidate += suffix;
        if (std::filesystem::exists(candidate)) return candidate;
    }
    throw ToolError(ifo.string() + ": no " + *suffixes.begin() + " file beside it");
}

uint64_t BigEndian(std::string_view bytes) {
    uint64_t value = 0;
    for (char c : bytes) value = value << 8 | static_cast<unsigned char>(c);
    return value;
}

bool IsTextType(char type) { return type == 'm' || type == 't' || type == 'y'; }
bool IsHtmlType(char type) { return type == 'h' || type == 'g'; }

// HTML keeps its own line breaks as white space; only text gets <br>.
Text HtmlField(std::string_view bytes) {
    Text text = FromUtf8(bytes);
    for (char16_t& c : text)
        if (c == u'\n' || c == u'\r') c = u' ';
    return text;
}

class ArticleFields {
public:
    ArticleFields(DictionaryBuilder& builder) : m_builder(builder) {}

    void Add(char type, std::string_view bytes) {
        Text field;
        if (IsTextType(type)) {
            field = EscapeHtml(FromUtf8(bytes));
            if (type == 't') field = u"[" + field + u"]";
        } else if (IsHtmlType(type)) {
            field = HtmlField(bytes);
        } else {
            ++m_builder.Stats().skippedFields;
            return;
        }
        if (!m_article.empty()) m_article += u"\n";
        m_article += field;
        m_any = true;
    }
    bool Any() const { return m_any; }
    const Text& Article() const { return m_article; }

private:
    DictionaryBuilder& m_builder;
    Text m_article;
    bool m_any = false;
};

// Splits one article into its fields. With `sameTypes`, every field's type
// is given by the .ifo and the last field runs to the end of the article.
void ParseArticle(std::string_view data, const std::string& sameTypes, ArticleFields& fields,
                  const std::filesystem::path& dict, const std::string& word) {
    auto broken = [&] {
        return ToolError(dict.string() + ": the article of '" + word + "' is cut off");
    };
    auto takeField = [&](char type, bool last) {
        std::string_view bytes;
        if (std::isupper(static_cast<unsigned char>(type))) {
            if (last && !sameTypes.empty()) {
                bytes = data;
            } else {
                if (data.size() < 4) throw broken();
                const uint64_t size = BigEndian(data.substr(0, 4));
                if (size > data.size() - 4) throw broken();
                bytes = data.substr(4, size_t(size));
                data.remove_prefix(4);
            }
        } else if (last && !sameTypes.empty()) {
            bytes = data.substr(0, data.find('\0'));
        } else {
            const size_t nul = data.find('\0');
            bytes = data.substr(0, nul);
            if (nul == std::string_view::npos && !sameTypes.empty()) throw broken();
        }
        data.remove_prefix(std::min(
            data.size(), bytes.size() + (std::isupper(static_cast<unsigned char>(type)) ? 0 : 1)));
        fields.Add(type, bytes);
    };
    if (!sameTypes.empty()) {
        for (size_t i = 0; i < sameTypes.size(); ++i)
            takeField(sameTypes[i], i + 1 == sameTypes.size());
        return;
    }
    while (!data.empty()) {
        const char type = data[0];
        data.remove_prefix(1);
        takeField(type, false);
    }
}

}  // namespace

void ImportStarDict(const std::filesystem::path& ifo, DictionaryBuilder& builder) {
    const auto values = ReadIfo(ifo);
    auto value = [&](const std::string& key) {
        const auto it = values.find(key);
        return it == values.end() ? std::string() : it->second;
    };
    const std::string offsetBits = value("idxoffsetbits");
    if (!offsetBits.empty() && offsetBits != "32" && offsetBits != "64")
        throw ToolError(ifo.string() + ": idxoffsetbits must be 32 or 64, not " + offsetBits);
    const size_t offsetBytes = offsetBits == "64" ? 8 : 4;
    const std::string sameTypes = value("sametypesequence");

    const std::filesystem::path idxPath = Beside(ifo, {".idx", ".idx.gz"});
    const std::filesystem::path dictPath = Beside(ifo, {".dict", ".dict.dz"});
    const std::string idx = ReadWholeFile(idxPath);
    const std::unique_ptr<DictData> data = OpenDictData(dictPath);

    std::string_view rest = idx;
    while (!rest.empty()) {
        const size_t nul = rest.find('\0');
        if (nul == std::string_view::npos || rest.size() - nul - 1 < offsetBytes + 4)
            throw ToolError(idxPath.string() + ": the entry at byte " +
                            std::to_string(idx.size() - rest.size()) + " is cut off");
        const std::string word(rest.substr(0, nul));
        const uint64_t offset = BigEndian(rest.substr(nul + 1, offsetBytes));
        const uint64_t size = BigEndian(rest.substr(nul + 1 + offsetBytes, 4));
        rest.remove_prefix(nul + 1 + offsetBytes + 4);

        ArticleFields fields(builder);
        ParseArticle(data->Read(offset, size), sameTypes, fields, dictPath, word);
        if (!fields.Any()) {
            ++builder.Stats().skippedEntries;
            continue;
        }
        builder.AddEntry(FromUtf8(word), fields.Article());
    }
}

}  // namespace tavik
