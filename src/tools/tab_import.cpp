// Tab-separated text: "headword TAB article" per line.
#include "tools/importers.h"
#include "tools/link_markup.h"
#include "tools/sequential_reader.h"
#include "tools/tool_error.h"

namespace tavik {

namespace {

Text Unescape(TextView text) {
    Text out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\' && i + 1 < text.size()) {
            const char16_t next = text[i + 1];
            if (next == u'n' || next == u't' || next == u'\\') {
                out.push_back(next == u'n' ? u'\n' : next == u't' ? u'\t' : u'\\');
                ++i;
                continue;
            }
        }
        out.push_back(text[i]);
    }
    return out;
}

}  // namespace

void ImportTab(const std::filesystem::path& file, DictionaryBuilder& builder,
               const ImportOptions& options) {
    SequentialReader reader(file);
    std::string_view line;
    while (reader.ReadTextLine(line)) {
        const int64_t lineNumber = reader.LineNumber();
        if (options.progress)
            options.progress->Reading(uint64_t(reader.Position()), uint64_t(reader.Size()),
                                      builder.Stats().entries);
        if (Trim(FromUtf8(line)).empty()) continue;
        const size_t tab = line.find('\t');
        if (tab == std::string_view::npos)
            throw ToolError(file.string() + ":" + std::to_string(lineNumber) +
                            ": no tab between headword and article");
        // Articles converted from StarDict may link words as "bword://".
        builder.AddEntry(FromUtf8(line.substr(0, tab)),
                         BwordLinksToEntryLinks(Unescape(FromUtf8(line.substr(tab + 1)))));
    }
}

}  // namespace tavik
