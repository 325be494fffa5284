// Start-up without a display: the settings of a home, the command line read
// before the toolkit starts, and the rendezvous of the hand-over.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "app/all_dictionaries_choice.h"
#include "app/command_line.h"
#include "app/instance_link.h"
#include "app/settings.h"
#include "app/wx_text.h"
#include "dict/recorders.h"
#include "support/temp_dir.h"
#include "version/tavik_version.h"

namespace tavik {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempDir;

class StoredSettingsTest : public ::testing::Test {
protected:
    HomePlaces Places(const fs::path& home) {
        HomePlaces places;
        places.home = {home, HomeSource::kCommandLine};
        places.settingsFile = home / "Tavik.conf";
        return places;
    }
    TempDir m_dir;
    fs::path m_file = m_dir.Path() / "settings.ini";
};

TEST_F(StoredSettingsTest, FirstStartStoresTheDefaultDictionaryAndCodePage) {
    const auto home = m_dir.Path() / "home";
    EXPECT_EQ(RestoreDictionaryPath(*OpenSettings(m_file), Places(home)),
              home / "Data" / "Tavik.txt");
    EXPECT_EQ(RestoreCodePage(*OpenSettings(m_file)), "949");
    const std::string stored = ReadBytes(m_file);
    EXPECT_NE(stored.find("[DicInfo]"), std::string::npos);
    EXPECT_NE(stored.find("CurDicPath=" + (home / "Data" / "Tavik.txt").string()),
              std::string::npos);
    EXPECT_NE(stored.find("CodePage=949"), std::string::npos);
}

TEST_F(StoredSettingsTest, TheDefaultDictionaryIsTheInstalledOneUntilTheUserHasTheirOwn) {
    const auto home = m_dir.Path() / "home";
    HomePlaces places = Places(home);
    places.installed = {m_dir.Path() / "share"};
    m_dir.Write("share/Data/Tavik.txt", "a/b\n");
    EXPECT_EQ(DefaultDictionaryPath(places), m_dir.Path() / "share" / "Data" / "Tavik.txt");
    m_dir.Write("home/Data/Tavik.txt", "a/b\n");
    EXPECT_EQ(DefaultDictionaryPath(places), home / "Data" / "Tavik.txt");
}

TEST_F(StoredSettingsTest, StoredPathsStayAsTheyAreWithDollarsAndBytesThatAreNotUtf8) {
    StoreDictionaryPath(*OpenSettings(m_file), "/gone/Other dictionary.txt");
    EXPECT_EQ(RestoreDictionaryPath(*OpenSettings(m_file), Places(m_dir.Path())),
              "/gone/Other dictionary.txt");
    EXPECT_EQ(RestoreDictionaryPath(*OpenSettings(m_file), Places(m_dir.Path())),
              "/gone/Other dictionary.txt");

    // Neither read nor written back expanded, however often Tavik starts.
    setenv("TAVIK_TEST_NAME", "expanded", 1);
    const fs::path dollars = "/data/$HOME/${TAVIK_TEST_NAME}.txt";
    StoreDictionaryPath(*OpenSettings(m_file), dollars);
    for (int start = 0; start < 2; ++start)
        EXPECT_EQ(RestoreDictionaryPath(*OpenSettings(m_file), Places(m_dir.Path())), dollars);
    EXPECT_NE(ReadBytes(m_file).find("CurDicPath=/data/$HOME/${TAVIK_TEST_NAME}.txt"),
              std::string::npos);

    const fs::path cp949 = "/data/\xBB\xE7\xC0\xFC.txt";
    StoreDictionaryPath(*OpenSettings(m_file), cp949);
    EXPECT_EQ(RestoreDictionaryPath(*OpenSettings(m_file), Places(m_dir.Path())), cp949);
    EXPECT_EQ(PathFromWx(PathToWx(cp949)), cp949);
}

TEST_F(StoredSettingsTest, ASettingsFileThatIsALinkStaysALink) {
    const fs::path target = m_dir.Write("dotfiles/Tavik.conf", "[DicInfo]\nCodePage=949\n");
    const fs::path link = m_dir.Path() / "home" / "Tavik.conf";
    fs::create_directories(link.parent_path());
    fs::create_symlink(target, link);
    StoreDictionaryPath(*OpenSettings(link), "/data/Mine.txt");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_NE(ReadBytes(target).find("CurDicPath=/data/Mine.txt"), std::string::npos);
    EXPECT_NE(ReadBytes(target).find("CodePage=949"), std::string::npos);
}

TEST_F(StoredSettingsTest, EveryDictionaryChosenComesBackAtTheNextStartAndSearchesThemAll) {
    const fs::path home = m_dir.Path() / "home";
    m_dir.Write("home/Data/aa-extra.txt", "apple/an extra apple\nmango/a mango\n");
    m_dir.Write("home/Data/Tavik.txt", "apple/an apple\nzoo/a zoo\n");
    // One run chooses every dictionary and ends; its settings are gone with it.
    StoreDictionaryPath(*OpenSettings(m_file), kAllDictionariesPath);
    EXPECT_NE(ReadBytes(m_file).find(std::string("CurDicPath=") + kAllDictionariesPath),
              std::string::npos);

    // The next one reads the choice as the window does at its start.
    const auto settings = OpenSettings(m_file);
    const fs::path restored = RestoreDictionaryPath(*settings, Places(home));
    ASSERT_TRUE(IsAllDictionaries(restored)) << restored;
    const DictionaryListing listing = ListDictionaries({home / "Data"}, restored);
    EXPECT_EQ(listing.selection, -1);  // no file of the list is the choice
    DictionaryCodePages codePages(*settings, CodePage::Default());
    const DictionaryList dictionaries = ListedDictionaries(listing, codePages);
    ASSERT_EQ(dictionaries.Dictionaries().size(), 2u);

    RecordingNeighbourList neighbours;
    RecordingPage page;
    RecordingMessages messages;
    EntryScreen screen{neighbours, page, messages};
    const DictionariesOutcome outcome =
        SearchDictionaries(u"apple", dictionaries.Dictionaries(), home, screen);
    EXPECT_EQ(outcome.found, (std::vector<size_t>{0, 1}));
    ASSERT_TRUE(page.Page());
    EXPECT_NE(page.Page()->find(u"an extra apple"), Text::npos);
    EXPECT_NE(page.Page()->find(u"an apple"), Text::npos);
}

// --help and --version before the toolkit: written to the stream given,
// exit status 0, a failed write 2.
struct StartRun {
    std::optional<int> status;
    std::string out;
    std::string err;
};

StartRun Start(const std::vector<std::string>& args, const char* outFile = nullptr) {
    TempDir dir;
    std::FILE* out = outFile ? std::fopen(outFile, "w") : std::tmpfile();
    std::FILE* err = std::tmpfile();
    StartRun run;
    run.status = HandleStartCommandLine(args, out, err);
    for (auto [file, text] : {std::pair{out, &run.out}, std::pair{err, &run.err}}) {
        std::fflush(file);
        std::rewind(file);
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
            text->append(buffer, n);
        std::fclose(file);
    }
    return run;
}

TEST(StartCommandLine, HelpAndVersionPrintAndEndAndAMissingHomeEndsWithItsName) {
    const StartRun version = Start({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("tavik ") + kTavikVersion + "\n");
    const StartRun help = Start({"apple", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.starts_with("usage: tavik [--home DIR] [WORD...]\n")) << help.out;
    EXPECT_EQ(Start({"--help"}, "/dev/full").status, 2);

    TempDir dir;
    const StartRun missing = Start({"--home", (dir.Path() / "nowhere").string(), "apple"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err,
              "tavik: --home folder '" + (dir.Path() / "nowhere").string() + "' does not exist\n");

    const StartRun fine = Start({"--home=" + dir.Path().string(), "apple"});
    EXPECT_FALSE(fine.status);
    EXPECT_EQ(StartHomeOption(), dir.Path());
    EXPECT_FALSE(Start({"--", "--version"}).status);  // a word, not an option
}

TEST(Rendezvous, TheFallbackFolderIsTheUsersOwnAndClosedOrNotUsedAtAll) {
    TempDir dir;
    const uid_t me = ::geteuid();
    const RendezvousFolder made = FindRendezvousFolder(std::nullopt, dir.Path(), me);
    const fs::path expected = dir.Path() / ("tavik-" + std::to_string(me));
    ASSERT_EQ(made.folder, expected) << made.problem;
    struct stat info {};
    ASSERT_EQ(::lstat(expected.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(FindRendezvousFolder(std::nullopt, dir.Path(), me).folder, expected);

    // An XDG_RUNTIME_DIR that is open to others, or relative, is not used.
    fs::create_directories(dir.Path() / "open");
    fs::permissions(dir.Path() / "open", fs::perms::all);
    EXPECT_EQ(FindRendezvousFolder(dir.Path() / "open", dir.Path(), me).folder, expected);
    EXPECT_EQ(FindRendezvousFolder(fs::path("run"), dir.Path(), me).folder, expected);
    EXPECT_EQ(FindRendezvousFolder(expected, dir.Path() / "x", me).folder, expected);

    // Opened up, a link in its place, or another user's: refused, said.
    fs::permissions(expected, fs::perms::all);
    EXPECT_TRUE(FindRendezvousFolder(std::nullopt, dir.Path(), me).folder.empty());
    fs::remove(expected);
    fs::create_directories(dir.Path() / "elsewhere");
    fs::permissions(dir.Path() / "elsewhere", fs::perms::owner_all);
    fs::create_directory_symlink(dir.Path() / "elsewhere", expected);
    const RendezvousFolder link = FindRendezvousFolder(std::nullopt, dir.Path(), me);
    EXPECT_TRUE(link.folder.empty());
    EXPECT_NE(link.problem.find("not a folder"), std::string::npos) << link.problem;
    fs::remove(expected);
    if (me != 0) GTEST_SKIP() << "a folder of another user needs root";
    fs::create_directory(expected);
    fs::permissions(expected, fs::perms::owner_all, fs::perm_options::replace);
    ASSERT_EQ(::chown(expected.c_str(), 65534, 65534), 0);
    const RendezvousFolder foreign = FindRendezvousFolder(std::nullopt, dir.Path(), me);
    EXPECT_TRUE(foreign.folder.empty());
    EXPECT_NE(foreign.problem.find("another user"), std::string::npos) << foreign.problem;
}

TEST(Rendezvous, WithoutAPrivateFolderTheStartSaysSoAndNeitherAsksNorListens) {
    TempDir dir;
    dir.Write("tavik-" + std::to_string(::geteuid()), "planted");
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string keptRuntime = runtime ? runtime : "";
    unsetenv("XDG_RUNTIME_DIR");
    setenv("TMPDIR", dir.Path().c_str(), 1);
    ::testing::internal::CaptureStderr();
    InstanceLink link(dir.Path() / "home");
    const std::string said = ::testing::internal::GetCapturedStderr();
    unsetenv("TMPDIR");
    if (runtime) setenv("XDG_RUNTIME_DIR", keptRuntime.c_str(), 1);
    EXPECT_NE(said.find("tavik: no hand-over to a running Tavik: "), std::string::npos) << said;
    EXPECT_NE(said.find("is not a folder"), std::string::npos) << said;
    EXPECT_TRUE(link.SocketPath().empty());
    EXPECT_FALSE(link.HandOver("apple"));
}

TEST(HandOverMessage, AWordIsTakenAndAnythingLargerOrElseIsRefusedBeforeItIsKept) {
    HandOverMessage split;
    EXPECT_EQ(split.Add("sea"), HandOverMessage::State::kIncomplete);
    EXPECT_EQ(split.Add("rch:사과 pie"), HandOverMessage::State::kIncomplete);
    EXPECT_EQ(split.Add("\nmore"), HandOverMessage::State::kComplete);
    EXPECT_EQ(split.Word(), "사과 pie");
    EXPECT_EQ(HandOverText("two\nlines"), "search:two lines\n");

    // The toolkit's own protocol starts with a length: 2 GB claimed in 12
    // bytes is refused at once.
    HandOverMessage header;
    EXPECT_EQ(header.Add(std::string("\x7F\xFF\xFF\xFF\x00\x00\x00\x01\x00\x00\x00\x00", 12)),
              HandOverMessage::State::kRefused);
    HandOverMessage huge;
    const std::string block(4096, 'a');
    HandOverMessage::State state = huge.Add("search:");
    for (int i = 0; i < 1024 && state == HandOverMessage::State::kIncomplete; ++i)
        state = huge.Add(block);
    EXPECT_EQ(state, HandOverMessage::State::kRefused);
    EXPECT_FALSE(SendWord("/nonexistent/tavik.sock", std::string(kMaxHandOverBytes, 'a'),
                          std::chrono::milliseconds(10)));
}

// A listener that takes the connection and never answers.
class SilentListener {
public:
    explicit SilentListener(const fs::path& socket) {
        m_fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socket.c_str());
        m_bound = ::bind(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                  ::listen(m_fd, 4) == 0;
    }
    ~SilentListener() { ::close(m_fd); }
    bool Bound() const { return m_bound; }

private:
    int m_fd;
    bool m_bound = false;
};

TEST(HandOver, APeerThatDoesNotAnswerIsGivenUpAfterASecond) {
    TempDir dir;
    const fs::path socket = dir.Path() / "tavik.sock";
    SilentListener silent(socket);
    ASSERT_TRUE(silent.Bound());
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(SendWord(socket, "apple", std::chrono::seconds(1)));
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(900));
    EXPECT_LT(waited, std::chrono::milliseconds(2500));
}

TEST(HandOver, OnlyTwoStartsOfTheSameHomeMeet) {
    TempDir dir;
    setenv("XDG_RUNTIME_DIR", dir.Path().c_str(), 1);
    InstanceLink first(dir.Path() / "A");
    // A start of another home finds nobody of its own home: no waiting.
    auto start = std::chrono::steady_clock::now();
    InstanceLink startOfB(dir.Path() / "B");
    EXPECT_NE(first.SocketPath(), startOfB.SocketPath());
    EXPECT_EQ(first.SocketPath().parent_path(), dir.Path());
    EXPECT_FALSE(startOfB.HandOver("apple"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
    // A second start of A (however A is written) finds A's lock taken and
    // asks A, which does not listen here: given up after a second.
    start = std::chrono::steady_clock::now();
    InstanceLink secondOfA(dir.Path() / "A" / ".");
    EXPECT_EQ(secondOfA.SocketPath(), first.SocketPath());
    EXPECT_FALSE(secondOfA.HandOver("apple"));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(900));
    unsetenv("XDG_RUNTIME_DIR");
}

}  // namespace
}  // namespace tavik
