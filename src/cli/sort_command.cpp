// `tavik-dict sort IN -o OUT [--codepage NAME] [--memory MB] [--in-place]`
#include "cli/sort_command.h"

#include <cstdio>
#include <filesystem>
#include <new>

#include "cli/command_error.h"
#include "cli/memory_option.h"
#include "cli/options.h"
#include "cli/progress_bar.h"
#include "cli/tool_options.h"
#include "tools/external_sort.h"

namespace tavik::cli {

int RunSort(const std::vector<std::string>& args) {
    const Options options(args, {"-o", "--output", "--codepage", "--memory"}, {"--in-place"});
    if (options.Positional().size() != 1) throw CommandError("sort needs one input FILE");
    const std::filesystem::path input = options.Positional()[0];
    const auto output = options.Value("-o") ? options.Value("-o") : options.Value("--output");
    if (!output) throw CommandError("sort needs -o OUT");
    const CodePage codePage = CodePageOption(options, input);
    const size_t memory = MemoryOption(options);

    std::error_code error;
    if (std::filesystem::equivalent(input, *output, error) && !options.Flag("--in-place"))
        throw CommandError(*output + " is the input file; add --in-place to replace it");

    int64_t lines = 0;
    ProgressBar bar;
    try {
        lines = SortDictionaryFile(input, *output, codePage, memory, bar.Reporter());
    } catch (const std::bad_alloc&) {
        throw FileError("out of memory while sorting " + input.string() + " into " + *output +
                           " with --memory " + std::to_string(memory >> 20) +
                           "; a smaller --memory needs less");
    }
    bar.Clear();
    std::fprintf(stderr, "tavik-dict: %s: %lld lines sorted\n", output->c_str(),
                 static_cast<long long>(lines));
    return kExitAllFound;
}

}  // namespace tavik::cli
