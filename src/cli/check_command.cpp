// `tavik-dict check FILE [--codepage NAME] [--max-reports N]`
#include "cli/check_command.h"

#include <cstdio>

#include "cli/command_error.h"
#include "cli/options.h"
#include "cli/tool_options.h"
#include "dict/dictionary_line.h"
#include "tools/dictionary_check.h"

namespace tavik::cli {

int RunCheck(const std::vector<std::string>& args) {
    const Options options(args, {"--codepage", "--max-reports"}, {});
    if (options.Positional().size() != 1) throw CommandError("check needs one FILE");
    const std::string& file = options.Positional()[0];
    const CodePage codePage = CodePageOption(options, file);
    const int64_t maxReports = CountOption(options, "--max-reports", 100);

    int64_t reported = 0;
    const CheckSummary summary = CheckDictionary(file, codePage, [&](const Problem& problem) {
        if (reported++ < maxReports) {
            std::printf("%s:%lld: %s: %s\n", file.c_str(), static_cast<long long>(problem.line),
                        FaultName(problem.fault), problem.message.c_str());
        }
    });
    if (reported > maxReports)
        std::printf("%s: %lld more problems not shown\n", file.c_str(),
                    static_cast<long long>(reported - maxReports));

    if (summary.longForOldReaders > 0) {
        std::printf(
            "%s:%lld: note: %lld lines are longer than %zu bytes (the first here); "
            "readers of the older format split them into pieces\n",
            file.c_str(), static_cast<long long>(summary.firstLongForOldReaders),
            static_cast<long long>(summary.longForOldReaders), kShortLineLimit);
    }
    std::printf("%s: %lld lines, ", file.c_str(), static_cast<long long>(summary.lines));
    if (summary.Clean()) {
        std::printf("no problems\n");
        return kExitAllFound;
    }
    std::printf("%lld problems", static_cast<long long>(summary.Total()));
    const char* separator = " (";
    for (size_t i = 0; i < summary.counts.size(); ++i) {
        if (summary.counts[i] == 0) continue;
        std::printf("%s%s: %lld", separator, FaultName(Fault(i)),
                    static_cast<long long>(summary.counts[i]));
        separator = ", ";
    }
    std::printf(")\n");
    return kExitSomeMissing;
}

}  // namespace tavik::cli
