// `tavik-dict import dictd|stardict|tab INPUT... -o OUT [--codepage NAME]
//                   [--memory MB]`
// `tavik-dict import NAME -o OUT ...`: an installed dictionary by title or path
// `tavik-dict import --list`
#include "cli/import_command.h"

#include <cstdio>
#include <filesystem>
#include <new>

#include "cli/command_error.h"
#include "cli/memory_option.h"
#include "cli/options.h"
#include "cli/progress_bar.h"
#include "cli/tool_options.h"
#include "text/compare.h"
#include "tools/dict_data.h"
#include "tools/import_job.h"
#include "tools/installed_dictionaries.h"

namespace tavik::cli {

namespace {

namespace fs = std::filesystem;

void Note(const char* what, int64_t count) {
    if (count > 0)
        std::fprintf(stderr, "tavik-dict: skipped %lld %s\n", static_cast<long long>(count), what);
}

int ListInstalled() {
    for (const InstalledDictionary& found : FindInstalledDictionaries(InstalledDictionaryFolders()))
        std::printf("%s\t%s\t%s\n", found.title.c_str(), FormatName(found.format),
                    found.path.c_str());
    return kExitAllFound;
}

ImportRequest RequestOf(DictionaryFormat format, const fs::path& input) {
    ImportRequest request;
    request.format = format;
    request.input = input;
    return request;
}

// An installed dictionary named by its title or by the path of its .index
// or .ifo file.
ImportRequest InstalledNamed(const std::string& name) {
    const fs::path path = name;
    std::error_code error;
    if (fs::is_regular_file(path, error)) {
        if (path.extension() == ".index") return RequestOf(DictionaryFormat::kDictd, path);
        if (path.extension() == ".ifo") return RequestOf(DictionaryFormat::kStarDict, path);
    }
    for (const InstalledDictionary& found : FindInstalledDictionaries(InstalledDictionaryFolders()))
        if (EqualOrder(FromUtf8(found.title), FromUtf8(name)))
            return RequestOf(found.format, found.path);
    throw CommandError("'" + name +
                       "' is neither an import format (dictd, stardict, tab) nor an installed "
                       "dictionary's title or .index/.ifo file; see import --list");
}

ImportRequest RequestFrom(const std::vector<std::string>& inputs) {
    const std::string& first = inputs[0];
    const auto format = FormatNamed(first);
    if (!format) {
        if (inputs.size() != 1) throw CommandError("import NAME takes no other input");
        return InstalledNamed(first);
    }
    ImportRequest request = RequestOf(*format, inputs.size() > 1 ? inputs[1] : "");
    const size_t most = *format == DictionaryFormat::kDictd ? 3 : 2;
    if (inputs.size() < 2 || inputs.size() > most) {
        throw CommandError(*format == DictionaryFormat::kDictd ? "import dictd needs INDEX [DICT]"
                           : *format == DictionaryFormat::kStarDict
                               ? "import stardict needs one .ifo file"
                               : "import tab needs one FILE");
    }
    if (inputs.size() == 3) request.data = inputs[2];
    return request;
}

}  // namespace

int RunImport(const std::vector<std::string>& args) {
    const Options options(args, {"-o", "--output", "--codepage", "--memory"}, {"--list"});
    if (options.Flag("--list")) return ListInstalled();
    const auto& inputs = options.Positional();
    if (inputs.empty())
        throw CommandError("import needs a format (dictd, stardict or tab) or a dictionary's name");
    const auto output = options.Value("-o") ? options.Value("-o") : options.Value("--output");
    if (!output) throw CommandError("import needs -o OUT");
    const CodePage codePage = OutputCodePageOption(options);
    ImportRequest request = RequestFrom(inputs);
    request.output = *output;
    request.memory = MemoryOption(options);

    ImportStats stats;
    ProgressBar bar;
    try {
        stats = ImportDictionary(request, codePage, bar.Reporter());
    } catch (const std::bad_alloc&) {
        throw FileError("out of memory while importing " + request.input.string() + " into " +
                           *output + " (--memory " + std::to_string(request.memory >> 20) +
                           "; a smaller --memory needs less)");
    }
    bar.Clear();
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
