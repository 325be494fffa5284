// `tavik-dict import dictd|stardict|tab INPUT... -o OUT [--codepage NAME]
//                   [--memory MB]`
#include "cli/import_command.h"

#include <cstdio>

#include "cli/command_error.h"
#include "cli/options.h"
#include "cli/tool_options.h"
#include "tools/importers.h"

namespace tavik::cli {

namespace {

void Note(const char* what, int64_t count) {
    if (count > 0)
        std::fprintf(stderr, "tavik-dict: skipped %lld %s\n", static_cast<long long>(count), what);
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
    const int64_t megabytes = CountOption(options, "--memory", int64_t(kDefaultSortMemory >> 20));
    if (megabytes < 1) throw CommandError("--memory needs at least 1 (MB)");

    DictionaryBuilder builder(codePage, *output, size_t(megabytes) << 20);
    if (format == "dictd") {
        if (inputs.size() < 2 || inputs.size() > 3)
            throw CommandError("import dictd needs INDEX [DICT]");
        ImportDictd(
            inputs[1],
            inputs.size() == 3 ? std::optional<std::filesystem::path>(inputs[2]) : std::nullopt,
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
    const ImportStats stats = builder.Finish();
    std::fprintf(stderr, "tavik-dict: %s: %lld entries in %lld lines\n", output->c_str(),
                 static_cast<long long>(stats.entries), static_cast<long long>(stats.lines));
    if (stats.cutArticles > 0)
        std::fprintf(stderr,
                     "tavik-dict: cut %lld articles longer than a line (1 MiB) at its end\n",
                     static_cast<long long>(stats.cutArticles));
    Note("headwords with \"/\", which a dictionary line cannot hold", stats.skippedSlash);
    Note("empty headwords", stats.skippedEmpty);
    Note("headwords too long for a line", stats.skippedLongHeadword);
    Note("article fields that are not text or HTML", stats.skippedFields);
    Note("entries with no text or HTML field", stats.skippedEntries);
    return kExitAllFound;
}

}  // namespace tavik::cli
