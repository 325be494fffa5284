// tavik-dict keeps the command line's conventions: help and version on
// standard output, usage errors that point to --help, failed writes that
// are failures, no terminal control from a dictionary, and one home shared
// with the window.
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "version/tavik_version.h"

namespace tavik {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempDir;

const std::string kTool = std::string(TAVIK_BINARY_DIR) + "/tavik-dict";

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs a shell command line; `command` names the tool as "$T".
ToolRun Shell(const std::string& command, const TempDir& dir) {
    const fs::path err = dir.Path() / "stderr.txt";
    const std::string line = "T='" + kTool + "'; " + command + " 2>'" + err.string() + "'";
    ToolRun run;
    FILE* pipe = ::popen(line.c_str(), "r");
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.out.append(buffer, n);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = ReadBytes(err);
    return run;
}

// Runs the tool with its standard output on a pseudo-terminal.
std::string OnTerminal(const std::vector<std::string>& args) {
    int master = -1;
    const pid_t child = ::forkpty(&master, nullptr, nullptr, nullptr);
    if (child == 0) {
        std::vector<char*> argv{const_cast<char*>(kTool.c_str())};
        for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        ::execv(kTool.c_str(), argv.data());
        ::_exit(127);
    }
    std::string out;
    char buffer[4096];
    for (ssize_t n; (n = ::read(master, buffer, sizeof buffer)) > 0;) out.append(buffer, size_t(n));
    ::close(master);
    int status = 0;
    ::waitpid(child, &status, 0);
    return out;
}

TEST(CliConventions, HelpAndVersionGoToStandardOutputForTheToolAndEveryCommand) {
    TempDir dir;
    const ToolRun version = Shell("\"$T\" --version", dir);
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("tavik-dict ") + kTavikVersion + "\n");
    for (const char* args : {"--help", "-h", "lookup --help", "check --help", "sort -h",
                             "import --help", "lookup --dict x --help"}) {
        const ToolRun help = Shell(std::string("\"$T\" ") + args, dir);
        EXPECT_EQ(help.status, 0) << args;
        EXPECT_TRUE(help.out.starts_with("usage: tavik-dict ")) << args << ": " << help.out;
        EXPECT_EQ(help.err, "") << args;
    }
    EXPECT_NE(Shell("\"$T\" import --help", dir).out.find("stardict"), std::string::npos);
    // After "--" it is a word.
    EXPECT_NE(Shell("\"$T\" lookup -- --help", dir).out.find("usage"), 0u);
}

TEST(CliConventions, UsageErrorsPointToHelpAndFileErrorsNameTheFile) {
    TempDir dir;
    for (const char* args : {"", "frobnicate", "lookup --bogus", "lookup --format xml apple",
                             "check", "sort a", "lookup --dict"}) {
        const ToolRun run = Shell(std::string("\"$T\" ") + args, dir);
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_TRUE(run.err.ends_with("\ntry 'tavik-dict --help'\n")) << args << ": " << run.err;
        EXPECT_EQ(run.out, "") << args;
    }
    const ToolRun missing = Shell("\"$T\" lookup --dict /nonexistent/x.txt apple", dir);
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err.find("try"), std::string::npos) << missing.err;
    EXPECT_NE(missing.err.find("/nonexistent/x.txt"), std::string::npos) << missing.err;
}

TEST(CliConventions, AWriteThatFailsIsAFailureForEveryCommand) {
    TempDir dir;
    const std::string dict = dir.Write("d.txt", "apple/an apple\nbanana/a banana\n").string();
    std::string many;
    for (int i = 0; i < 5000; ++i) many += "apple\nbanana\n";
    dir.Write("words.txt", many);
    const std::string words = (dir.Path() / "words.txt").string();
    for (const std::string& args :
         std::vector<std::string>{"lookup --dict '" + dict + "' apple",
                                  "lookup --dict '" + dict + "' --format json apple",
                                  "lookup --dict '" + dict + "' --format html <'" + words + "'",
                                  "lookup --dict '" + dict + "' <'" + words + "'",
                                  "check '" + dict + "'", "--help", "--version", "lookup --help"}) {
        const ToolRun run = Shell("\"$T\" " + args + " >/dev/full", dir);
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_NE(run.err.find("cannot write to standard output"), std::string::npos)
            << args << ": " << run.err;
    }
}

TEST(CliConventions, TheTextFormatKeepsControlCharactersOffATerminalAndHasNoLeadingEmptyLine) {
    TempDir dir;
    const std::string dict =
        dir.Write("d.txt", "apple/red \x1b]0;owned\x07\x1b[2J apple\nbanana/a \x9b banana\n")
            .string();
    const std::string shown = OnTerminal({"lookup", "--dict", dict, "apple"});
    EXPECT_EQ(shown.find('\x1b'), std::string::npos) << shown;
    EXPECT_EQ(shown.find('\x07'), std::string::npos) << shown;
    EXPECT_NE(shown.find("apple"), std::string::npos) << shown;
    EXPECT_NE(shown.find("\xef\xbf\xbd"), std::string::npos) << shown;  // U+FFFD in their place
    // Into a pipe or a file the text stays as the dictionary has it.
    const ToolRun piped = Shell("\"$T\" lookup --dict '" + dict + "' apple", dir);
    EXPECT_NE(piped.out.find("\x1b[2J"), std::string::npos) << piped.out;

    // The first word shows nothing (an empty line): no empty line first;
    // entries are still set apart by one.
    const ToolRun batch =
        Shell("printf '\\napple\\n\\nbanana\\n' | \"$T\" lookup --dict '" + dict + "'", dir);
    EXPECT_TRUE(batch.out.starts_with("apple\n")) << batch.out;
    EXPECT_NE(batch.out.find("\n\nbanana\n"), std::string::npos) << batch.out;
    EXPECT_EQ(batch.out.find("\n\n\n"), std::string::npos) << batch.out;
}

TEST(CliConventions, LookupUsesTheWindowsHomeAndReadsTheInstalledDataInPlace) {
    TempDir dir;
    dir.Write("share/tavik/Data/Tavik.txt", "apple/installed apple\n");
    dir.Write("home/Data/Mine.txt", "x/y\n");
    const std::string env = "XDG_DATA_DIRS='" + (dir.Path() / "share").string() + "' ";
    // With no --dict, Tavik.txt of the home, else of the installed data.
    ToolRun run =
        Shell(env + "TAVIK_HOME='" + (dir.Path() / "home").string() + "' \"$T\" lookup apple", dir);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "apple\ninstalled apple\n");
    dir.Write("home/Data/Tavik.txt", "apple/my apple\n");
    run = Shell("cd '" + dir.Path().string() + "' && " + env + "\"$T\" lookup --home home apple",
                dir);
    EXPECT_EQ(run.out, "apple\nmy apple\n") << run.err;

    for (const std::string& how : std::vector<std::string>{
             "\"$T\" lookup --home '" + dir.Path().string() + "/gone' apple",
             "TAVIK_HOME='" + dir.Path().string() + "/gone' \"$T\" lookup apple"}) {
        run = Shell(how, dir);
        EXPECT_EQ(run.status, 2) << how;
        EXPECT_NE(run.err.find("'" + dir.Path().string() + "/gone' does not exist"),
                  std::string::npos)
            << run.err;
    }
}

}  // namespace
}  // namespace tavik
