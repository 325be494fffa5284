// tavik-dict: Tavik's dictionaries from the command line.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "cli/check_command.h"
#include "cli/command_error.h"
#include "cli/import_command.h"
#include "cli/lookup_command.h"
#include "cli/sort_command.h"

namespace {

constexpr const char* kUsage =
    "usage: tavik-dict lookup [--home DIR] [--dict FILE] [--codepage NAME]\n"
    "                         [--format text|html|json] [--exact] [WORD...]\n"
    "       With no WORD, words are read one per line from standard input.\n"
    "       tavik-dict check FILE [--codepage NAME] [--max-reports N]\n"
    "       tavik-dict sort IN -o OUT [--codepage NAME] [--memory MB] [--in-place]\n"
    "       tavik-dict import dictd INDEX [DICT] -o OUT [--codepage NAME]\n"
    "       tavik-dict import stardict IFO -o OUT [--codepage NAME]\n"
    "       tavik-dict import tab FILE -o OUT [--codepage NAME]\n";

}  // namespace

int main(int argc, char** argv) {
    using namespace tavik::cli;
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::fputs(kUsage, argc < 2 ? stderr : stdout);
        return argc < 2 ? kExitFailure : kExitAllFound;
    }
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    try {
        if (command == "lookup") return RunLookup(args);
        if (command == "check") return RunCheck(args);
        if (command == "sort") return RunSort(args);
        if (command == "import") return RunImport(args);
        throw CommandError("unknown command '" + command + "'");
    } catch (const std::exception& e) {  // CommandError, ToolError, a failed allocation
        std::fprintf(stderr, "tavik-dict: %s\n", e.what());
        return kExitFailure;
    }
}
