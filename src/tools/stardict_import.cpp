// StarDict: .ifo (the description), .idx (headword, offset, size) and .dict
// (articles made of typed fields).
#include <cctype>
#include <map>
#include <string>

#include "tools/byte_source.h"
#include "tools/dict_data.h"
#include "tools/importers.h"
#include "tools/link_markup.h"
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
        } else if (type == 'h') {
            field = BwordLinksToEntryLinks(HtmlField(bytes));
        } else if (type == 'g') {
            field = HtmlField(bytes);
        } else if (type == 'x') {
            // XDXF keeps its line breaks, as text does.
            field = KrefLinksToEntryLinks(FromUtf8(bytes));
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
// A `cut` article (longer than the read bound) ends in its last field,
// which is cut at a character.
void ParseArticle(std::string_view data, const std::string& sameTypes, bool cut,
                  ArticleFields& fields, const std::filesystem::path& dict,
                  const std::string& word) {
    auto broken = [&] {
        return ToolError(dict.string() + ": the article of '" + word + "' is cut off");
    };
    if (cut) data = CutAtCharacter(data);
    auto takeField = [&](char type, bool last) {
        std::string_view bytes;
        if (std::isupper(static_cast<unsigned char>(type))) {
            if (last && !sameTypes.empty()) {
                bytes = data;
            } else {
                if (data.size() < 4) {
                    if (cut) return;
                    throw broken();
                }
                const uint64_t size = BigEndian(data.substr(0, 4));
                if (size > data.size() - 4 && !cut) throw broken();
                bytes = data.substr(4, size_t(size));
                data.remove_prefix(4);
            }
        } else if (last && !sameTypes.empty()) {
            bytes = data.substr(0, data.find('\0'));
        } else {
            const size_t nul = data.find('\0');
            bytes = data.substr(0, nul);
            if (nul == std::string_view::npos && !sameTypes.empty() && !cut) throw broken();
        }
        data.remove_prefix(std::min(
            data.size(), bytes.size() + (std::isupper(static_cast<unsigned char>(type)) ? 0 : 1)));
        fields.Add(type, bytes);
    };
    if (!sameTypes.empty()) {
        for (size_t i = 0; i < sameTypes.size() && !(cut && data.empty()); ++i)
            takeField(sameTypes[i], i + 1 == sameTypes.size());
        return;
    }
    while (!data.empty()) {
        const char type = data[0];
        data.remove_prefix(1);
        takeField(type, false);
    }
}

// The .idx (or .idx.gz) read record by record through a bounded buffer.
class IdxReader {
public:
    IdxReader(const std::filesystem::path& path, size_t offsetBytes)
        : m_path(path), m_source(path), m_offsetBytes(offsetBytes) {}

    // False at the end; throws ToolError for a cut-off or endless record.
    bool Next(std::string& word, uint64_t& offset, uint64_t& size) {
        size_t nul = std::string_view::npos;
        for (size_t searched = 0;;) {
            const std::string_view held = Held();
            nul = held.find('\0', searched);
            if (nul != std::string_view::npos) break;
            searched = held.size();
            if (held.size() > kWordLimit)
                throw ToolError(m_path.string() + ": the entry at byte " +
                                std::to_string(m_consumed) + " has no end within " +
                                std::to_string(kWordLimit) + " bytes");
            if (!Fill()) {
                if (held.empty()) return false;
                throw CutOff();
            }
        }
        while (Held().size() < nul + 1 + m_offsetBytes + 4)
            if (!Fill()) throw CutOff();
        const std::string_view held = Held();
        word.assign(held.substr(0, nul));
        offset = BigEndian(held.substr(nul + 1, m_offsetBytes));
        size = BigEndian(held.substr(nul + 1 + m_offsetBytes, 4));
        const size_t used = nul + 1 + m_offsetBytes + 4;
        m_begin += used;
        m_consumed += used;
        return true;
    }

    uint64_t FileBytesRead() const { return m_source.FileBytesRead(); }
    uint64_t FileSize() const { return m_source.FileSize(); }

private:
    // StarDict words are far shorter; this only bounds the buffer.
    static constexpr size_t kWordLimit = size_t(1) << 16;

    std::string_view Held() const {
        return std::string_view(m_buffer).substr(m_begin, m_end - m_begin);
    }
    ToolError CutOff() const {
        return ToolError(m_path.string() + ": the entry at byte " + std::to_string(m_consumed) +
                         " is cut off");
    }
    bool Fill() {
        if (m_begin > 0) {
            m_buffer.erase(0, m_begin);
            m_end -= m_begin;
            m_begin = 0;
        }
        m_buffer.resize(m_end + kBlock);
        const size_t got = m_source.Read(m_buffer.data() + m_end, kBlock);
        m_end += got;
        m_buffer.resize(m_end);
        return got > 0;
    }

    static constexpr size_t kBlock = size_t(1) << 16;
    std::filesystem::path m_path;
    ByteSource m_source;
    size_t m_offsetBytes;
    std::string m_buffer;
    size_t m_begin = 0;
    size_t m_end = 0;
    uint64_t m_consumed = 0;
};

}  // namespace

void ImportStarDict(const std::filesystem::path& ifo, DictionaryBuilder& builder,
                    const ImportOptions& options) {
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
    const std::unique_ptr<DictData> data = OpenDictData(dictPath, builder.ScratchFolder());
    IdxReader idx(idxPath, offsetBytes);

    std::string word;
    uint64_t offset = 0;
    uint64_t size = 0;
    while (idx.Next(word, offset, size)) {
        if (options.progress)
            options.progress->Reading(idx.FileBytesRead(), idx.FileSize(), builder.Stats().entries);
        const std::string article = data->Read(offset, size, options.articleLimit);
        const bool cut = size > article.size() && article.size() == options.articleLimit;
        ArticleFields fields(builder);
        ParseArticle(article, sameTypes, cut, fields, dictPath, word);
        if (!fields.Any()) {
            ++builder.Stats().skippedEntries;
            continue;
        }
        builder.AddEntry(FromUtf8(word), fields.Article(), cut);
    }
}

}  // namespace tavik
