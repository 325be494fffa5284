// `tavik-dict sort IN -o OUT [--codepage NAME] [--memory MB] [--in-place]`
#include "cli/sort_command.h"

#include <cstdio>
#include <filesystem>

#include "cli/command_error.h"
#include "cli/options.h"
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
    const int64_t megabytes = CountOption(options, "--memory", int64_t(kDefaultSortMemory >> 20));
    if (megabytes < 1) throw CommandError("--memory needs at least 1 (MB)");

    std::error_code error;
    if (std::filesystem::equivalent(input, *output, error) && !options.Flag("--in-place"))
        throw CommandError(*output + " is the input file; add --in-place to replace it");

    const int64_t lines = SortDictionaryFile(input, *output, codePage, size_t(megabytes) << 20);
    std::fprintf(stderr, "tavik-dict: %s: %lld lines sorted\n", output->c_str(),
                 static_cast<long long>(lines));
    return kExitAllFound;
}

}  // namespace tavik::cli
