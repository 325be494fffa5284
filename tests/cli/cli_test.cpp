// tavik-dict as a black box: output and exit status of check, sort, import
// and batch lookups on tiny checked-in dictionaries.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

const std::filesystem::path kData = TAVIK_CLI_TEST_DATA;
const std::string kTool = std::string(TAVIK_BINARY_DIR) + "/tavik-dict";

struct Outcome {
    int status;
    std::string output;  // standard output and standard error
};

std::string Quote(const std::string& arg) {
    std::string out = "'";
    for (char c : arg) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

Outcome Tavik(const std::string& args, const std::string& input = "") {
    const std::string command = (input.empty() ? "" : "printf %s " + Quote(input) + " | ") +
                                Quote(kTool) + " " + args + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return {-1, ""};
    std::string output;
    std::array<char, 4096> buffer;
    for (size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
        output.append(buffer.data(), n);
    const int status = ::pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

class Folder {
public:
    Folder()
        : m_path(std::filesystem::temp_directory_path() /
                 ("tavik-cli-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(m_path);
    }
    ~Folder() { std::filesystem::remove_all(m_path); }
    std::string operator/(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(CliCheck, ReportsLinesAndSummaryAndExitsOneOnProblems) {
    const std::string file = (kData / "check-faults" / "faults.txt").string();
    const Outcome run = Tavik("check " + Quote(file));
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_TRUE(
        Contains(run.output, file + ":4: out of order: headword 'banana' sorts before 'Cherry'"))
        << run.output;
    // A line over 1022 bytes is only a note, for readers of the older format.
    EXPECT_TRUE(Contains(run.output, file + ":5: note: 1 lines are longer than 1022 bytes"))
        << run.output;
    EXPECT_TRUE(Contains(run.output, file + ":10: no final line feed")) << run.output;
    EXPECT_TRUE(Contains(run.output, file + ": 10 lines, 8 problems (out of order: 1,"))
        << run.output;

    const Outcome limited = Tavik("check --max-reports 2 " + Quote(file));
    EXPECT_TRUE(Contains(limited.output, "6 more problems not shown")) << limited.output;
}

TEST(CliCheck, CleanFileExitsZeroAndUnusableInputExitsTwo) {
    const std::string clean = (kData / "check-clean" / "clean.txt").string();
    const Outcome run = Tavik("check " + Quote(clean));
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(Contains(run.output, "8 lines, no problems")) << run.output;
    EXPECT_EQ(Tavik("check /nonexistent/dictionary.txt").status, 2);
    EXPECT_EQ(Tavik("check --codepage KLINGON " + Quote(clean)).status, 2);
    EXPECT_EQ(Tavik("check").status, 2);
}

TEST(CliSort, SortsThroughATemporaryFileAndGuardsTheInput) {
    Folder folder;
    Write(folder / "in.txt", "pear/2\nApple/1\napple/0\nBanana/3");
    Outcome run = Tavik("sort " + Quote(folder / "in.txt") + " -o " + Quote(folder / "out.txt"));
    EXPECT_EQ(run.status, 0) << run.output;
    std::stringstream sorted;
    sorted << std::ifstream(folder / "out.txt").rdbuf();
    EXPECT_EQ(sorted.str(), "Apple/1\napple/0\nBanana/3\npear/2\n");

    run = Tavik("sort " + Quote(folder / "in.txt") + " -o " + Quote(folder / "in.txt"));
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(Contains(run.output, "--in-place")) << run.output;
    run = Tavik("sort --in-place " + Quote(folder / "in.txt") + " -o " + Quote(folder / "in.txt"));
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(Tavik("check " + Quote(folder / "in.txt")).status, 0);
}

TEST(CliImport, DictdToAWorkingDictionaryAndBatchLookups) {
    Folder folder;
    const std::string index = (kData / "dictd-dictzip" / "tiny.index").string();
    Outcome run = Tavik("import dictd " + Quote(index) + " -o " + Quote(folder / "tiny.txt"));
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(Contains(run.output, "5 entries")) << run.output;
    EXPECT_EQ(Tavik("check " + Quote(folder / "tiny.txt")).status, 0);

    // Words on standard input: one result each, in order; a word past the
    // last headword shows the nearest one.
    run = Tavik("lookup --dict " + Quote(folder / "tiny.txt") + " --format json",
                "apple\nPOME\nzzz\n");
    EXPECT_EQ(run.status, 0) << run.output;
    std::stringstream lines(run.output);
    std::string line;
    int count = 0;
    while (std::getline(lines, line)) ++count;
    EXPECT_EQ(count, 3) << run.output;
    EXPECT_TRUE(Contains(run.output, "\"word\":\"POME\",\"offset\"")) << run.output;
    EXPECT_TRUE(Contains(run.output, "A round fruit.")) << run.output;
    EXPECT_TRUE(Contains(run.output, "\"word\":\"zzz\",\"offset\":")) << run.output;
    EXPECT_TRUE(Contains(run.output, "\"headword\":\"Pome\",\"exact\":false")) << run.output;
}

TEST(CliImport, UnrepresentableCharactersAndUnknownFormats) {
    Folder folder;
    Write(folder / "t.tab", "ok\tfine\nsmile\t\xF0\x9F\x98\x80\n");
    Outcome run = Tavik("import tab " + Quote(folder / "t.tab") + " -o " + Quote(folder / "t.txt"));
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(Contains(run.output,
                         "1 entries have characters that CP949 cannot hold, the first is 'smile'"))
        << run.output;
    EXPECT_FALSE(std::filesystem::exists(folder / "t.txt"));
    run = Tavik("import tab " + Quote(folder / "t.tab") + " -o " + Quote(folder / "t.txt") +
                " --codepage utf-8");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(Tavik("import babylon x -o y").status, 2);
    EXPECT_EQ(Tavik("import tab " + Quote(folder / "t.tab")).status, 2);
}

}  // namespace
