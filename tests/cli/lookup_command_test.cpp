// `tavik-dict lookup` as a black box: output formats and exit statuses.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace tavik {
namespace {

struct CommandRun {
    int status = -1;
    std::string out;
};

// Runs tavik-dict with `args` (shell words), feeding `input` on standard
// input; standard error is folded into the output after a "!" line.
CommandRun TavikDict(const std::string& args, const std::string& input,
                     const testing::TempDir& dir) {
    const auto inputFile = dir.Write("stdin.txt", input);
    const auto errFile = dir.Path() / "stderr.txt";
    const std::string command = std::string(TAVIK_BINARY_DIR) + "/tavik-dict " + args + " <" +
                                inputFile.string() + " 2>" + errFile.string();
    CommandRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.out.append(buffer, n);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    const std::string err = testing::ReadBytes(errFile);
    if (!err.empty()) run.out += "!" + err;
    return run;
}

class LookupCommand : public ::testing::Test {
protected:
    void SetUp() override {
        m_dict = m_dir.Write("home/Data/Tavik.txt",
                             "cat/[kat] \xb0\xed\xbe\xe7\xc0\xcc\n"  // 고양이
                             "dog/[dog] dog\ndog/two\nemu/bird\n");
    }
    std::string Home() const { return (m_dir.Path() / "home").string(); }

    testing::TempDir m_dir;
    std::filesystem::path m_dict;
};

TEST_F(LookupCommand, JsonHasOneObjectPerWordWithTheRecordedScreen) {
    const CommandRun run =
        TavikDict("lookup --home " + Home() + " --format json '  CAT '", "", m_dir);
    EXPECT_EQ(run.status, 0) << run.out;
    const std::string page =
        "<html><body background='" + Home() +
        "/Skin/BGHtml.gif' style='background-attachment : fixed;background-position : right "
        "bottom;background-repeat : no-repeat;background-color :#ffffff;'><font "
        "face=\\\"tahoma\\\" size=\\\"8\\\" color=#0000ff><b>cat</b></font>&nbsp;&nbsp;<font "
        "color=#000000></font><font color=#ff0000>[kat]</font><font color=#000000> "
        "\xea\xb3\xa0\xec\x96\x91\xec\x9d\xb4</font></body></html>";
    // The lookup never reads the first line of a file longer than one line;
    // the window, starting at 0, shows it.
    EXPECT_EQ(run.out,
              "{\"word\":\"CAT\",\"offset\":0,\"headword\":\"cat\",\"exact\":true,"
              "\"neighbours\":[\"cat\",\"dog\",\"emu\"],\"selected\":0,\"page\":\"" +
                  page + "\",\"message\":null}\n");
}

TEST_F(LookupCommand, BatchFromStandardInputAnswersOneLinePerWord) {
    const CommandRun run =
        TavikDict("lookup --dict " + m_dict.string() + " --format json", "dog\n\nemu\n", m_dir);
    EXPECT_EQ(run.status, 1);  // the empty line shows no entry
    size_t lines = 0;
    for (char c : run.out) lines += c == '\n';
    EXPECT_EQ(lines, 3u);
    EXPECT_NE(run.out.find("\"message\":\"\xeb\x8b\xa8\xec\x96\xb4\xeb\xa5\xbc"),
              std::string::npos);
    EXPECT_NE(run.out.find("\"page\":null"), std::string::npos);
}

// A batch hands each page's buffer on to the next word: every word of a batch
// whose entries alternate long and short, found and not, prints what it
// prints alone, and nothing of the page before.
TEST_F(LookupCommand, EachWordOfABatchPrintsWhatItPrintsAlone) {
    const std::string longText(6000, 'L');
    const auto dict =
        m_dir.Write("long-short.txt", "ant/[a] short\nbee/" + longText + "\nbee/" + longText +
                                          "\ncow/moo\n" + "dog/" + longText + "[x]\nelk/e\n");
    const std::vector<std::string> words = {"bee", "ant", "dog", "cow", "bee", "elk", "",
                                            "dog", "bat", "ant", "zzz", "bee", "emu"};
    std::string batch;
    for (const std::string& word : words) batch += word + "\n";
    for (const std::string format : {"json", "html"}) {
        const std::string command =
            "lookup --home " + Home() + " --dict " + dict.string() + " --format " + format;
        const std::string together = TavikDict(command, batch, m_dir).out;
        std::string alone;
        for (const std::string& word : words)
            alone += TavikDict(command + " '" + word + "'", "", m_dir).out;
        EXPECT_EQ(together, alone) << format;
    }
}

TEST_F(LookupCommand, TextFormatShowsHeadwordAndPlainContent) {
    const CommandRun run = TavikDict("lookup --home " + Home() + " dog", "", m_dir);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "dog\n[dog] dog\n\n--------------------------------------------\n\ntwo\n");
}

TEST_F(LookupCommand, ExactSaysWhetherTheWordsOwnEntryWasShown) {
    // "doe" shows the nearest word's entry: found, but not exactly.
    CommandRun run = TavikDict("lookup --home " + Home() + " --format json doe cat", "", m_dir);
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("{\"word\":\"doe\",\"offset\":"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\"exact\":false"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\"headword\":\"cat\",\"exact\":true"), std::string::npos) << run.out;
    EXPECT_EQ(TavikDict("lookup --home " + Home() + " --exact doe cat", "", m_dir).status, 1);
    EXPECT_EQ(TavikDict("lookup --home " + Home() + " --exact emu CAT", "", m_dir).status, 0);
}

TEST_F(LookupCommand, AWordOverALineOnStandardInputIsCutAndCounted) {
    // 1 MiB and more of "가" (three bytes each): cut between characters.
    std::string word;
    while (word.size() < (size_t(1) << 20) + 10) word += "\xea\xb0\x80";
    const CommandRun run =
        TavikDict("lookup --home " + Home() + " --format json", word + "\ncat\n", m_dir);
    size_t lines = 0;
    for (char c : run.out) lines += c == '\n';
    EXPECT_EQ(lines, 3u) << run.out.substr(0, 200);  // two results and the note
    EXPECT_NE(run.out.find("\"word\":\"cat\""), std::string::npos);
    EXPECT_NE(run.out.find("!tavik-dict: cut 1 words longer than 1048576 bytes"),
              std::string::npos);
    EXPECT_EQ(run.out.find("\xef\xbf\xbd"), std::string::npos);  // no half character
}

TEST_F(LookupCommand, FailuresNameTheirCauseAndExitWithTwo) {
    CommandRun run =
        TavikDict("lookup --dict " + (m_dir.Path() / "none.txt").string() + " cat", "", m_dir);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.out.find("none.txt"), std::string::npos) << run.out;
    run = TavikDict("lookup --dict " + m_dir.Path().string() + " cat", "", m_dir);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.out.find("folder"), std::string::npos) << run.out;
    run = TavikDict("lookup --bogus cat", "", m_dir);
    EXPECT_EQ(run.status, 2);
    run = TavikDict("lookup --home " + Home() + " --codepage klingon cat", "", m_dir);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.out.find("klingon"), std::string::npos);
}

}  // namespace
}  // namespace tavik
