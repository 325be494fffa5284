// tavik-dict as a black box: output and exit status of check, sort, import
// and batch lookups on tiny checked-in dictionaries.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "support/sanitizer.h"

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
    Outcome run = Tavik("import tab " + Quote(folder / "t.tab") + " -o " + Quote(folder / "t.txt") +
                        " --codepage 949");
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(Contains(run.output,
                         "1 entries have characters that CP949 cannot hold, the first is 'smile'"))
        << run.output;
    EXPECT_FALSE(std::filesystem::exists(folder / "t.txt"));
    // UTF-8 unless told otherwise: every character fits.
    run = Tavik("import tab " + Quote(folder / "t.tab") + " -o " + Quote(folder / "t.txt"));
    EXPECT_EQ(run.status, 0) << run.output;
    std::stringstream imported;
    imported << std::ifstream(folder / "t.txt").rdbuf();
    // It starts with the byte-order mark, which tells readers it is UTF-8.
    EXPECT_EQ(imported.str(), "\xEF\xBB\xBFok/fine\nsmile/\xF0\x9F\x98\x80\n");
    EXPECT_EQ(Tavik("import babylon x -o y").status, 2);
    EXPECT_EQ(Tavik("import tab " + Quote(folder / "t.tab")).status, 2);
}

// The JSON objects of a lookup, one per line.
std::vector<nlohmann::json> JsonLines(const std::string& output) {
    std::vector<nlohmann::json> objects;
    std::stringstream lines(output);
    for (std::string line; std::getline(lines, line);)
        objects.push_back(nlohmann::json::parse(line, nullptr, false));
    return objects;
}

TEST(CliCodePages, UtfEightAndCp949DictionariesReadRightWithoutTheOption) {
    Folder folder;
    Write(folder / "cp949.txt", "a/a\n\xB0\xA1/ga \xB0\xA1\n\xB3\xAA/na \xB3\xAA\n");  // 가, 나
    Write(folder / "utf8.txt", "a/a\n\xEA\xB0\x80/ga \xEA\xB0\x80\n\xEB\x82\x98/na \xEB\x82\x98\n");
    Write(folder / "bom.txt",
          "\xEF\xBB\xBF"
          "apple/an apple\n\xEB\x82\x98/na\n");
    const std::string ga = "\xEA\xB0\x80", na = "\xEB\x82\x98";
    for (const char* file : {"cp949.txt", "utf8.txt"}) {
        SCOPED_TRACE(file);
        const Outcome run =
            Tavik("lookup --format json --dict " + Quote(folder / file) + " " + ga + " " + na);
        EXPECT_EQ(run.status, 0) << run.output;
        const auto objects = JsonLines(run.output);
        ASSERT_EQ(objects.size(), 2u) << run.output;
        for (size_t i = 0; i < 2; ++i) {
            const std::string& word = i == 0 ? ga : na;
            EXPECT_EQ(objects[i]["neighbours"], nlohmann::json::array({"a", ga, na}));
            EXPECT_EQ(objects[i]["selected"], i + 1);
            EXPECT_TRUE(Contains(objects[i]["page"].get<std::string>(), "<b>" + word + "</b>"));
        }
        EXPECT_TRUE(Contains(objects[1]["page"].get<std::string>(), "na " + na)) << run.output;
        // A named code page wins over what the file looks like.
        const Outcome forced = Tavik("lookup --format json --codepage 65001 --dict " +
                                     Quote(folder / "cp949.txt") + " " + na);
        EXPECT_FALSE(Contains(JsonLines(forced.output).at(0)["page"].get<std::string>(), na))
            << forced.output;
    }
    const Outcome bom =
        Tavik("lookup --format json --dict " + Quote(folder / "bom.txt") + " " + na);
    EXPECT_EQ(JsonLines(bom.output).at(0)["headword"], na) << bom.output;
    EXPECT_EQ(JsonLines(bom.output).at(0)["neighbours"].at(1), na) << bom.output;

    // check and sort read the UTF-8 file as UTF-8.
    EXPECT_EQ(Tavik("check " + Quote(folder / "utf8.txt")).status, 0);
    EXPECT_EQ(Tavik("check --codepage 949 " + Quote(folder / "utf8.txt")).status, 1);
    Write(folder / "unsorted.txt", na + "/2\n" + ga + "/1\nB/3\na/0\n");
    const Outcome sorted =
        Tavik("sort " + Quote(folder / "unsorted.txt") + " -o " + Quote(folder / "sorted.txt"));
    EXPECT_EQ(sorted.status, 0) << sorted.output;
    std::stringstream result;
    result << std::ifstream(folder / "sorted.txt").rdbuf();
    EXPECT_EQ(result.str(), "a/0\nB/3\n" + ga + "/1\n" + na + "/2\n");
}

TEST(CliTools, OutputToStandardOutputOwnInputAndMemoryBounds) {
    Folder folder;
    Write(folder / "in.txt", "pear/2\nApple/1\n");
    Outcome run = Tavik("sort " + Quote(folder / "in.txt") + " -o /dev/stdout");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(Contains(run.output, "Apple/1\npear/2\n")) << run.output;

    // The import's data file found beside the index is an input too.
    const std::string dict = (kData / "dictd-plain" / "tiny.dict").string();
    std::filesystem::copy_file(dict, folder / "tiny.dict");
    std::filesystem::copy_file(kData / "dictd-plain" / "tiny.index", folder / "tiny.index");
    run = Tavik("import dictd " + Quote(folder / "tiny.index") + " -o " +
                Quote(folder / "tiny.dict"));
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(Contains(run.output, "is an input of the import")) << run.output;
    std::stringstream kept;
    kept << std::ifstream(folder / "tiny.dict").rdbuf();
    std::stringstream original;
    original << std::ifstream(dict).rdbuf();
    EXPECT_EQ(kept.str(), original.str());

    // 2^44 MB: as bytes it wraps to 0.
    for (const char* memory : {"99999999", "17592186044416"}) {
        run = Tavik("sort " + Quote(folder / "in.txt") + " -o " + Quote(folder / "out.txt") +
                    " --memory " + memory);
        EXPECT_EQ(run.status, 2) << memory;
        EXPECT_TRUE(Contains(run.output, "MB of memory this machine has")) << run.output;
    }
}

TEST(CliTools, RunningOutOfMemorySaysWhatWasBeingDone) {
    if (tavik::testing::kSanitized)
        GTEST_SKIP() << "the sanitizers need more address space than the limit";
    Folder folder;
    {
        std::ofstream big(folder / "big.txt", std::ios::binary);
        for (int i = 0; i < 500000; ++i) big << "word" << i << "/some content to fill the line\n";
    }
    const std::string command = "sh -c 'ulimit -v 40000; exec \"$0\" \"$@\"' " + Quote(kTool) +
                                " sort " + Quote(folder / "big.txt") + " -o " +
                                Quote(folder / "out.txt") + " --memory 200 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    std::array<char, 4096> buffer;
    for (size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
        output.append(buffer.data(), n);
    const int status = ::pclose(pipe);
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 2) << output;
    EXPECT_TRUE(Contains(output, "out of memory while sorting")) << output;
    EXPECT_TRUE(Contains(output, "big.txt")) << output;
    EXPECT_FALSE(std::filesystem::exists(folder / "out.txt"));
}

TEST(CliTools, ASortStaysWithinItsMemoryLimit) {
    if (tavik::testing::kSanitized) GTEST_SKIP() << "the sanitizers take memory of their own";
    Folder folder;
    {
        // 48 MB of a dictionary's lines in no order: runs fill their whole
        // room before they go to disk.
        std::ofstream out(folder / "shuffled.txt", std::ios::binary);
        std::mt19937 random(7);
        std::uniform_int_distribution<int> letter('a', 'z');
        std::uniform_int_distribution<size_t> headwordLength(3, 12);
        std::uniform_int_distribution<size_t> articleLength(40, 1000);
        const std::string article(1000, 'x');
        for (int i = 0; i < 90'000; ++i) {
            std::string headword(headwordLength(random), ' ');
            for (char& c : headword) c = char(letter(random));
            out << headword << '/' << std::string_view(article).substr(0, articleLength(random))
                << '\n';
        }
    }
    const std::string input = folder / "shuffled.txt";
    const std::string output = folder / "sorted.txt";
    const pid_t child = ::fork();
    if (child == 0) {
        ::execl(kTool.c_str(), kTool.c_str(), "sort", input.c_str(), "-o", output.c_str(),
                "--memory", "40", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    struct rusage usage {};
    ASSERT_EQ(::wait4(child, &status, 0, &usage), child);
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 0);
    // The whole process, as a user measures it, within what --memory says.
    EXPECT_LE(usage.ru_maxrss, 40 * 1024) << usage.ru_maxrss << " KB at the peak";
    EXPECT_EQ(std::filesystem::file_size(output), std::filesystem::file_size(input));
}

TEST(CliTools, ListsAndImportsInstalledDictionariesWithoutProgressWhenPiped) {
    Folder folder;
    const std::string dic = folder / "share/stardict/dic/ko";
    std::filesystem::create_directories(dic);
    using namespace std::string_literals;
    Write(dic + "/ko.ifo",
          "StarDict's dict ifo file\nversion=2.4.2\nwordcount=1\nbookname=Tiny Korean\n"
          "sametypesequence=m\n");
    Write(dic + "/ko.idx", "사과\0\0\0\0\0\0\0\0\x05"s);
    Write(dic + "/ko.dict", "apple");
    ::setenv("XDG_DATA_HOME", (folder / "share").c_str(), 1);
    Outcome run = Tavik("import --list");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(Contains(run.output, "Tiny Korean\tstardict\t" + dic + "/ko.ifo\n")) << run.output;

    run = Tavik("import 'tiny korean' -o " + Quote(folder / "ko.txt") + " --codepage utf-8");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_FALSE(Contains(run.output, "\r")) << "a progress bar on a pipe";
    std::stringstream imported;
    imported << std::ifstream(folder / "ko.txt").rdbuf();
    EXPECT_EQ(imported.str(), "\xEF\xBB\xBF사과/apple\n");
    run = Tavik("import " + Quote(dic + "/ko.ifo") + " -o " + Quote(folder / "ko2.txt") +
                " --codepage utf-8");
    EXPECT_EQ(run.status, 0) << run.output;
    run = Tavik("import 'No Such Dictionary' -o " + Quote(folder / "x.txt"));
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(Contains(run.output, "import --list")) << run.output;
    ::unsetenv("XDG_DATA_HOME");
}

// Every dictionary of the Data folder at once: the entries of the word in
// the order of the window's list, each dictionary read in its own code page.
TEST(CliLookupAll, ListsEachDictionaryHoldingTheWordInOrderWithItsEntry) {
    Folder folder;
    std::filesystem::create_directories(folder / "home/Data");
    Write(folder / "home/Data/wn.txt", "apple/w apple\nbanana/w banana\n");
    Write(folder / "home/Data/Gcide.txt", "banana/g banana\ncherry/g cherry\n");
    // CP949, 고양이: found as its own code page says, not as UTF-8.
    Write(folder / "home/Data/kor.txt", "banana/\xB0\xED\xBE\xE7\xC0\xCC\n");
    const std::string home = " --home " + Quote(folder / "home");

    Outcome run = Tavik("lookup --all --format json" + home + " banana cherry zzz");
    EXPECT_EQ(run.status, 0) << run.output;
    auto objects = JsonLines(run.output);
    ASSERT_EQ(objects.size(), 3u) << run.output;
    const auto& banana = objects[0];
    EXPECT_EQ(banana["word"], "banana");
    EXPECT_EQ(banana["exact"], true);
    ASSERT_EQ(banana["dictionaries"].size(), 3u) << run.output;
    const char* order[] = {"Gcide.txt", "kor.txt", "wn.txt"};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(banana["dictionaries"][i]["dictionary"], order[i]);
        EXPECT_EQ(banana["dictionaries"][i]["headword"], "banana");
    }
    EXPECT_TRUE(Contains(banana["dictionaries"][1]["page"].get<std::string>(),
                         "\xEA\xB3\xA0\xEC\x96\x91\xEC\x9D\xB4"));
    EXPECT_TRUE(Contains(banana["dictionaries"][2]["page"].get<std::string>(), "w banana"));
    EXPECT_EQ(banana["neighbours"], nlohmann::json::array({"banana", "cherry"}));
    // In one dictionary only; the neighbours still of the first.
    EXPECT_EQ(objects[1]["dictionaries"].size(), 1u);
    EXPECT_EQ(objects[1]["dictionaries"][0]["dictionary"], "Gcide.txt");
    // In none: the first dictionary's nearest entry.
    EXPECT_EQ(objects[2]["exact"], false);
    ASSERT_EQ(objects[2]["dictionaries"].size(), 1u);
    EXPECT_EQ(objects[2]["dictionaries"][0]["headword"], "cherry");
    EXPECT_EQ(Tavik("lookup --all --exact" + home + " zzz").status, 1);

    // Text: each dictionary's name, then its entry.
    run = Tavik("lookup --all" + home + " banana");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output.find("Gcide\nbanana\ng banana\n\nkor\n"), 0u) << run.output;
    EXPECT_TRUE(Contains(run.output, "\n\nwn\nbanana\nw banana\n")) << run.output;

    // Bad combinations and an empty Data folder are errors.
    EXPECT_EQ(Tavik("lookup --all --dict x" + home + " banana").status, 2);
    std::filesystem::create_directories(folder / "empty/Data");
    run = Tavik("lookup --all --home " + Quote(folder / "empty") + " banana");
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(Contains(run.output, "no dictionary")) << run.output;
}

}  // namespace

namespace {

TEST(CliSuggestions, JsonOffersHeadwordsOnlyForAWordNotFoundAndTextStaysAsItWas) {
    Folder folder;
    Write(folder / "d.txt", "book/a book\nbookstore/a shop\nboot/a boot\nfly/a fly\nwent/gone\n");
    const Outcome run = Tavik("lookup --format json --dict " + Quote(folder / "d.txt") +
                              " books BOOK flies zzzzzz");
    const auto objects = JsonLines(run.output);
    ASSERT_EQ(objects.size(), 4u) << run.output;
    EXPECT_EQ(objects[0]["suggestions"], nlohmann::json::array({"book", "boot"}));
    EXPECT_FALSE(objects[1].contains("suggestions"));  // found exactly
    EXPECT_EQ(objects[2]["suggestions"], nlohmann::json::array({"fly"}));
    EXPECT_EQ(objects[3]["suggestions"], nlohmann::json::array());
    // Piped, the text output is what scripts read today: the entry shown.
    const Outcome text = Tavik("lookup --dict " + Quote(folder / "d.txt") + " books");
    EXPECT_FALSE(Contains(text.output, "suggestions")) << text.output;
}

}  // namespace
