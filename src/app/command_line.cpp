// The command line of `tavik`, read before the toolkit starts.
#include "app/command_line.h"

#include "config/home_folder.h"
#include "text/paths.h"
#include "version/tavik_version.h"

namespace tavik {

namespace {

constexpr char kUsage[] =
    "usage: tavik [--home DIR] [WORD...]\n"
    "       tavik [--home DIR] --selection\n"
    "Opens the Tavik dictionary window and looks up WORD. When Tavik already runs\n"
    "on the same home folder, the word goes to its window instead.\n"
    "\n"
    "  --selection  look up the text selected in any program (the primary\n"
    "               selection, else the clipboard) instead of WORD; bind it to\n"
    "               a desktop hotkey. With nothing selected the window only\n"
    "               comes up.\n"
    "  --home DIR   the folder with Data, Skin, the word lists and Tavik.conf\n"
    "               (default: $TAVIK_HOME, a portable copy's own folder, or\n"
    "               $XDG_DATA_HOME/tavik)\n"
    "  --help       show this help and exit\n"
    "  --version    show the version and exit\n"
    "\n"
    "Environment: TAVIK_HOME (the home folder), TAVIK_SETTINGS (the settings file).\n"
    "See also tavik(1) and tavik-dict(1).\n";

std::optional<std::filesystem::path>& HomeOption() {
    static std::optional<std::filesystem::path> home;
    return home;
}

// 0 when everything reached the stream, else 2 with a message.
int Finish(std::FILE* out, std::FILE* err) {
    if (std::fflush(out) != 0 || std::ferror(out)) {
        std::fputs("tavik: cannot write to standard output\n", err);
        return 2;
    }
    return 0;
}

}  // namespace

std::optional<int> HandleStartCommandLine(const std::vector<std::string>& args, std::FILE* out,
                                          std::FILE* err) {
    HomeOption().reset();
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") break;
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, out);
            return Finish(out, err);
        }
        if (arg == "--version") {
            std::fprintf(out, "tavik %s\n", kTavikVersion);
            return Finish(out, err);
        }
        if (arg == "--home" && i + 1 < args.size())
            HomeOption() = args[++i];
        else if (arg.starts_with("--home="))
            HomeOption() = arg.substr(7);
    }
    try {
        FindHomePlaces(HomeInputsFromEnvironment(ExecutableFolder(), HomeOption()));
    } catch (const HomeError& error) {
        std::fprintf(err, "tavik: %s\n", error.what());
        return 2;
    }
    return std::nullopt;
}

const std::optional<std::filesystem::path>& StartHomeOption() { return HomeOption(); }

}  // namespace tavik
