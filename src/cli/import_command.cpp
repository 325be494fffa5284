// `tavik-dict import dictd|stardict|tab INPUT... -o OUT [--codepage NAME]
//                   [--memory MB]`
#include "cli/import_command.h"

#include <cstdio>
#include <filesystem>
#include <new>

#include "cli/command_error.h"
#include "cli/memory_option.h"
#include "cli/options.h"
#include "cli/tool_options.h"
#include "tools/dict_data.h"
#include "tools/importers.h"

namespace tavik::cli {

namespace {

namespace fs = std::filesystem;

void Note(const char* what, int64_t count) {
    if (count > 0)
        std::fprintf(stderr, "tavik-dict: skipped %lld %s\n", static_cast<long long>(count), what);
}

fs::path WithSuffix(fs::path base, const char* suffix) {
    base += suffix;
    return base;
}

// Every file the import of `format` may read: the ones named and, where the
// format finds them itself, the ones beside.
std::vector<fs::path> InputFiles(const std::string& format, const std::vector<std::string>& named) {
    std::vector<fs::path> files(named.begin() + 1, named.end());
    if (named.size() < 2) return files;
    fs::path base = named[1];
    if (format == "dictd" && named.size() == 2) {
        if (base.extension() == ".index") base.replace_extension();
        for (const char* suffix : {".dict.dz", ".dict"}) files.push_back(WithSuffix(base, suffix));
    } else if (format == "stardict") {
        base.replace_extension();
        for (const char* suffix : {".idx", ".idx.gz", ".dict", ".dict.dz"})
            files.push_back(WithSuffix(base, suffix));
    }
    return files;
}

void RefuseOwnInput(const fs::path& output, const std::vector<fs::path>& inputs) {
    for (const fs::path& input : inputs) {
        std::error_code error;
        if (fs::equivalent(input, output, error))
            throw CommandError(output.string() + " is an input of the import (" + input.string() +
                               "); write the dictionary to another file");
    }
}

void Import(const std::string& format, const std::vector<std::string>& inputs,
            DictionaryBuilder& builder) {
    if (format == "dictd") {
        if (inputs.size() < 2 || inputs.size() > 3)
            throw CommandError("import dictd needs INDEX [DICT]");
        ImportDictd(inputs[1],
                    inputs.size() == 3 ? std::optional<fs::path>(inputs[2]) : std::nullopt,
                    builder);
    } else if (format == "stardict") {
        if (inputs.size() != 2) throw CommandError("import stardict needs one .ifo file");
        ImportStarDict(inputs[1], builder);
    } else if (format == "tab") {
        if (inputs.size() != 2) throw CommandError("import tab needs one FILE");
        ImportTab(inputs[1], builder);
    } else {
        throw CommandError("unknown import format '" + format + "' (dictd, stardict or tab)");
    }
}

}  // namespace

int RunImport(const std::vector<std::string>& args) {
    const Options options(args, {"-o", "--output", "--codepage", "--memory"}, {});
    const auto& inputs = options.Positional();
    if (inputs.empty()) throw CommandError("import needs a format: dictd, stardict or tab");
    const std::string& format = inputs[0];
    const auto output = options.Value("-o") ? options.Value("-o") : options.Value("--output");
    if (!output) throw CommandError("import needs -o OUT");
    const CodePage codePage = CodePageOption(options);
    const size_t memory = MemoryOption(options);
    RefuseOwnInput(*output, InputFiles(format, inputs));

    std::string doing = "starting the import";
    ImportStats stats;
    try {
        DictionaryBuilder builder(codePage, *output, memory);
        doing = "reading " + (inputs.size() > 1 ? inputs[1] : format);
        Import(format, inputs, builder);
        doing = "sorting and writing " + *output;
        stats = builder.Finish();
    } catch (const std::bad_alloc&) {
        throw CommandError("out of memory while " + doing + " (--memory " +
                           std::to_string(memory >> 20) + "; a smaller --memory needs less)");
    }
    std::fprintf(stderr,
                 "tavik-dict: %s: %lld entries in %lld lines (%lld split over several lines)\n",
                 output->c_str(), static_cast<long long>(stats.entries),
                 static_cast<long long>(stats.lines), static_cast<long long>(stats.splitEntries));
    if (stats.cutArticles > 0)
        std::fprintf(stderr,
                     "tavik-dict: cut %lld articles longer than %zu MiB to their first %zu MiB\n",
                     static_cast<long long>(stats.cutArticles), kArticleReadLimit >> 20,
                     kArticleReadLimit >> 20);
    Note("headwords with \"/\", which a dictionary line cannot hold", stats.skippedSlash);
    Note("empty headwords", stats.skippedEmpty);
    Note("headwords too long for a line", stats.skippedLongHeadword);
    Note("article fields that are not text or HTML", stats.skippedFields);
    Note("entries with no text or HTML field", stats.skippedEntries);
    return kExitAllFound;
}

}  // namespace tavik::cli
