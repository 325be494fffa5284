// tavik-dict: Tavik's dictionaries from the command line.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "cli/check_command.h"
#include "cli/command_error.h"
#include "cli/import_command.h"
#include "cli/lookup_command.h"
#include "cli/sort_command.h"
#include "version/tavik_version.h"

namespace {

using namespace tavik::cli;

constexpr char kUsage[] =
    "usage: tavik-dict COMMAND [OPTION...] [ARGUMENT...]\n"
    "Tavik's dictionaries from the command line.\n"
    "\n"
    "commands:\n"
    "  lookup   look words up as the Tavik window does\n"
    "  check    check a dictionary file\n"
    "  sort     sort a dictionary file\n"
    "  import   make a dictionary file from dictd, StarDict or tab-separated files\n"
    "\n"
    "  tavik-dict lookup [--home DIR] [--dict FILE | --all] [--codepage NAME]\n"
    "                    [--format text|html|json] [--exact] [WORD...]\n"
    "  tavik-dict check FILE [--codepage NAME] [--max-reports N]\n"
    "  tavik-dict sort IN -o OUT [--codepage NAME] [--memory MB] [--in-place]\n"
    "  tavik-dict import dictd INDEX [DICT] -o OUT [--codepage NAME] [--memory MB]\n"
    "  tavik-dict import stardict IFO -o OUT [--codepage NAME] [--memory MB]\n"
    "  tavik-dict import tab FILE -o OUT [--codepage NAME] [--memory MB]\n"
    "\n"
    "  --help       show this help (or a command's: tavik-dict COMMAND --help)\n"
    "  --version    show the version\n"
    "\n"
    "Exit status: 0 success (every word found), 1 some word not found or the\n"
    "dictionary has problems, 2 a usage error, an unusable file or a failed write.\n"
    "See tavik-dict(1).\n";

struct CommandHelp {
    std::string_view name;
    std::string_view text;
};

constexpr CommandHelp kCommandHelp[] = {
    {"lookup",
     "usage: tavik-dict lookup [--home DIR] [--dict FILE | --all] [--codepage NAME]\n"
     "                         [--format text|html|json] [--exact] [WORD...]\n"
     "Looks each WORD up as the Tavik window does: the entry of the word, or of the\n"
     "nearest headword. With no WORD, words are read one per line from standard input.\n"
     "\n"
     "  --home DIR         the home folder (default: $TAVIK_HOME, a portable copy's\n"
     "                     folder, or $XDG_DATA_HOME/tavik)\n"
     "  --dict FILE        the dictionary (default: Tavik.txt of the home's Data,\n"
     "                     else of the installed Data)\n"
     "  --all              every dictionary of the Data folders, in the order of the\n"
     "                     window's list: each entry of the word under its\n"
     "                     dictionary's name; JSON lists them in \"dictionaries\"\n"
     "  --codepage NAME    the dictionary's code page (default: 949)\n"
     "  --format FORMAT    text (default), html, or json (one object per line)\n"
     "  --exact            exit status 1 unless every word was found exactly\n"
     "                     (with --all: in some dictionary)\n"
     "\n"
     "Exit status: 0 every word shown, 1 some word not, 2 an error.\n"},
    {"check",
     "usage: tavik-dict check FILE [--codepage NAME] [--max-reports N]\n"
     "Reads a dictionary file and reports every line that breaks the format:\n"
     "order, line length, missing '/', encoding, final line feed.\n"
     "\n"
     "  --codepage NAME    the file's code page (default: 949)\n"
     "  --max-reports N    report at most N lines (default: 100)\n"
     "\n"
     "Exit status: 0 no problems, 1 problems, 2 an error.\n"},
    {"sort",
     "usage: tavik-dict sort IN -o OUT [--codepage NAME] [--memory MB] [--in-place]\n"
     "Sorts a dictionary file in Tavik's order, in bounded memory.\n"
     "\n"
     "  -o, --output OUT   the sorted file\n"
     "  --codepage NAME    the file's code page (default: 949)\n"
     "  --memory MB        memory to sort in before using temporary files\n"
     "  --in-place         allow OUT to be IN\n"},
    {"import",
     "usage: tavik-dict import dictd INDEX [DICT] -o OUT [--codepage NAME] [--memory MB]\n"
     "       tavik-dict import stardict IFO -o OUT [--codepage NAME] [--memory MB]\n"
     "       tavik-dict import tab FILE -o OUT [--codepage NAME] [--memory MB]\n"
     "Makes a sorted Tavik dictionary from a dictd index and data file (.dict or\n"
     ".dict.dz), a StarDict dictionary, or a file of HEADWORD<TAB>ARTICLE lines.\n"
     "\n"
     "  -o, --output OUT   the dictionary file to write\n"
     "  --codepage NAME    the code page to write (default: 949)\n"
     "  --memory MB        memory to sort in before using temporary files\n"},
};

const CommandHelp* FindCommand(std::string_view name) {
    for (const CommandHelp& help : kCommandHelp)
        if (help.name == name) return &help;
    return nullptr;
}

// --help or -h among a command's options (not after "--").
bool AsksForHelp(const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (arg == "--") return false;
        if (arg == "--help" || arg == "-h") return true;
    }
    return false;
}

int Print(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    return kExitAllFound;
}

int Run(const std::string& command, const std::vector<std::string>& args) {
    if (command == "--help" || command == "-h") return Print(kUsage);
    if (command == "--version")
        return Print(std::string("tavik-dict ") + tavik::kTavikVersion + "\n");
    const CommandHelp* help = FindCommand(command);
    if (!help) throw CommandError("unknown command '" + command + "'");
    if (AsksForHelp(args)) return Print(help->text);
    if (command == "lookup") return RunLookup(args);
    if (command == "check") return RunCheck(args);
    if (command == "sort") return RunSort(args);
    return RunImport(args);
}

void Fail(const char* message) { std::fprintf(stderr, "tavik-dict: %s\n", message); }

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        Fail("no command given");
        std::fputs("try 'tavik-dict --help'\n", stderr);
        return kExitFailure;
    }
    try {
        const int status = Run(argv[1], std::vector<std::string>(argv + 2, argv + argc));
        // Whatever was found, output that did not arrive is a failure.
        FlushStandardOutput();
        return status;
    } catch (const FileError& e) {
        Fail(e.what());
    } catch (const CommandError& e) {
        Fail(e.what());
        std::fputs("try 'tavik-dict --help'\n", stderr);
    } catch (const std::exception& e) {  // OutputError, ToolError, a failed allocation
        Fail(e.what());
    }
    return kExitFailure;
}
