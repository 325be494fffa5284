// Importers in bounded memory whatever the input claims: compression bombs,
// sparse files, endless index records; articles past the read bound are cut
// at a character and counted; endless lines are refused.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <functional>

#include "support/sanitizer.h"
#include "test_files.h"
#include "tools/dict_data.h"
#include "tools/dictionary_check.h"
#include "tools/importers.h"
#include "tools/sequential_reader.h"
#include "tools/tool_error.h"

namespace tavik {
namespace {

namespace fs = std::filesystem;

// The peak memory an import needs, above what the test process holds.
constexpr long kImportBoundKb = 96 * 1024;

// A dictzip file of `count` chunks of `chunkLength` copies of 'a', made by
// compressing one chunk and repeating it: a bomb of a few hundred KB.
std::string DictzipBomb(size_t chunkLength, size_t count) {
    const std::string one = testing::Dictzip(std::string(chunkLength, 'a'), chunkLength);
    // The single chunk's compressed bytes sit between the 10+2+12 header
    // bytes (one size entry) and the 10-byte tail.
    const std::string chunk = one.substr(24, one.size() - 24 - 10);
    auto le16 = [](size_t v) { return std::string{char(v & 0xFF), char((v >> 8) & 0xFF)}; };
    std::string ra = le16(1) + le16(chunkLength) + le16(count);
    for (size_t i = 0; i < count; ++i) ra += le16(chunk.size());
    const std::string extra = "RA" + le16(ra.size()) + ra;
    std::string out =
        std::string("\x1f\x8b\x08\x04\0\0\0\0\x02\x03", 10) + le16(extra.size()) + extra;
    for (size_t i = 0; i < count; ++i) out += chunk;
    return out + std::string("\x03\x00", 2) + std::string(8, '\0');
}

// A gzip stream of `size` copies of `byte`, compressed a block at a time.
std::string GzipOf(char byte, size_t size) {
    z_stream stream{};
    deflateInit2(&stream, 9, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string block(size_t(1) << 20, byte);
    std::string out;
    std::string buffer(size_t(1) << 16, '\0');
    for (size_t done = 0; done <= size;) {
        const size_t take = std::min(block.size(), size - done);
        stream.next_in = reinterpret_cast<Bytef*>(block.data());
        stream.avail_in = uInt(take);
        done += take;
        const int flush = done == size ? Z_FINISH : Z_NO_FLUSH;
        do {
            stream.next_out = reinterpret_cast<Bytef*>(buffer.data());
            stream.avail_out = uInt(buffer.size());
            deflate(&stream, flush);
            out.append(buffer.data(), buffer.size() - stream.avail_out);
        } while (stream.avail_out == 0);
        if (flush == Z_FINISH) break;
    }
    deflateEnd(&stream);
    return out;
}

struct ChildRun {
    int exitCode = -1;  // 0 imported, 1 refused with a ToolError, 2 anything else
    long peakKb = 0;    // the child's peak resident memory
};

// Runs `import` in a child process, so its peak memory is its own.
ChildRun InChild(const std::function<void()>& import) {
    const pid_t child = ::fork();
    if (child == 0) {
        int code = 0;
        try {
            import();
        } catch (const ToolError&) {
            code = 1;
        } catch (...) {
            code = 2;
        }
        ::_exit(code);
    }
    int status = 0;
    struct rusage usage {};
    ::wait4(child, &status, 0, &usage);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, usage.ru_maxrss};
}

long OwnPeakKb() {
    struct rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

class BoundedImport : public ::testing::Test {
protected:
    void ExpectBounded(const ChildRun& run, int exitCode, const char* what) {
        EXPECT_EQ(run.exitCode, exitCode) << what;
        if (!testing::kSanitized) {
            EXPECT_LT(run.peakKb, OwnPeakKb() + kImportBoundKb) << what << ": " << run.peakKb;
        }
    }
    void ImportDictdInChild(const char* what, const fs::path& index, const fs::path& dict) {
        const ChildRun run = InChild([&] {
            DictionaryBuilder builder(utf8, folder / "out.txt", size_t(4) << 20);
            ImportDictd(index, dict, builder);
            const ImportStats stats = builder.Finish();
            if (stats.cutArticles != 1) ::_exit(3);
        });
        ExpectBounded(run, 0, what);
        EXPECT_TRUE(CheckDictionary(folder / "out.txt", utf8, [](const Problem&) {}).Clean());
    }

    testing::TempDir folder;
    CodePage utf8 = *CodePage::Named("utf-8");
};

TEST_F(BoundedImport, CompressionBombsAndSparseFilesStayWithinABoundedMemory) {
    // An article of 256 MB in a 300 KB dictzip.
    const size_t chunk = 65535;
    const size_t chunks = 4096;
    folder.Write("zip.dict.dz", DictzipBomb(chunk, chunks));
    folder.Write("zip.index", "bomb\tA\t" + testing::DictdNumber(chunk * chunks) + "\n");
    ImportDictdInChild("dictzip bomb", folder / "zip.index", folder / "zip.dict.dz");

    // 64 MB in one gzip stream without a chunk table.
    folder.Write("gz.dict.dz", GzipOf('a', size_t(64) << 20));
    folder.Write("gz.index",
                 "bomb\tA\t" + testing::DictdNumber(size_t(64) << 20) + "\nsmall\tA\tB\n");
    ImportDictdInChild("gzip bomb", folder / "gz.index", folder / "gz.dict.dz");

    // A 512 MB article of a sparse file, which takes no room on the disk.
    {
        std::ofstream(folder / "sparse.dict").close();
        fs::resize_file(folder / "sparse.dict", size_t(512) << 20);
    }
    folder.Write("sparse.index", "bomb\tA\t" + testing::DictdNumber(size_t(512) << 20) + "\n");
    ImportDictdInChild("sparse file", folder / "sparse.index", folder / "sparse.dict");

    // A StarDict index whose first word never ends, 64 MB inflated.
    using namespace std::string_literals;
    folder.Write("endless.ifo", "StarDict's dict ifo file\nversion=2.4.2\nsametypesequence=m\n");
    folder.Write("endless.idx.gz", GzipOf('w', size_t(64) << 20));
    folder.Write("endless.dict", "hello");
    const ChildRun endless = InChild([&] {
        DictionaryBuilder builder(utf8, folder / "endless.txt");
        ImportStarDict(folder / "endless.ifo", builder);
    });
    ExpectBounded(endless, 1, "endless StarDict word");

    // A StarDict article of 256 MB in a dictzip, read through a gzip index.
    folder.Write("big.ifo", "StarDict's dict ifo file\nversion=2.4.2\nsametypesequence=m\n");
    folder.Write("big.idx.gz", testing::Gzip("bomb\0"s + testing::BigEndian32(0) +
                                             testing::BigEndian32(chunk * chunks)));
    folder.Write("big.dict.dz", DictzipBomb(chunk, chunks));
    const ChildRun big = InChild([&] {
        DictionaryBuilder builder(utf8, folder / "big.txt", size_t(4) << 20);
        ImportStarDict(folder / "big.ifo", builder);
        if (builder.Finish().cutArticles != 1) ::_exit(3);
    });
    ExpectBounded(big, 0, "StarDict dictzip bomb");
}

TEST_F(BoundedImport, LongArticlesAreCutAtACharacterAndCounted) {
    // 3-byte characters: the read bound falls inside one.
    std::string article;
    while (article.size() <= kArticleReadLimit + 9) article += "가";
    folder.Write("long.dict", article);
    folder.Write("long.index",
                 "long\tA\t" + testing::DictdNumber(article.size()) + "\nshort\tA\tD\n");
    DictionaryBuilder builder(utf8, folder / "out.txt");
    ImportDictd(folder / "long.index", folder / "long.dict", builder);
    const ImportStats stats = builder.Finish();
    EXPECT_EQ(stats.cutArticles, 1);
    EXPECT_EQ(stats.entries, 2);
    const std::string out = testing::ReadBytes(folder / "out.txt");
    EXPECT_EQ(out.find("\xEF\xBF\xBD"), std::string::npos) << "a character was cut in two";
    EXPECT_NE(out.find("short/가\n"), std::string::npos);
    size_t characters = 0;
    for (size_t at = 0; (at = out.find("가", at)) != std::string::npos; at += 3) ++characters;
    // All that was read of the long one (less what a line cannot hold), and "short"'s.
    EXPECT_LE(characters, kArticleReadLimit / 3 + 1);
    EXPECT_GT(characters, kArticleReadLimit / 3 - 1024);

    // StarDict: the last field is the one cut; an article of typed fields too.
    using namespace std::string_literals;
    folder.Write("sd.ifo", "StarDict's dict ifo file\nversion=2.4.2\n");
    const std::string typed = "m" + article + "\0"s;
    folder.Write("sd.dict", typed);
    folder.Write("sd.idx", "long\0"s + testing::BigEndian32(0) +
                               testing::BigEndian32(uint32_t(typed.size())));
    DictionaryBuilder stardict(utf8, folder / "sd.txt");
    ImportStarDict(folder / "sd.ifo", stardict);
    EXPECT_EQ(stardict.Finish().cutArticles, 1);
    EXPECT_EQ(testing::ReadBytes(folder / "sd.txt").find("\xEF\xBF\xBD"), std::string::npos);

    EXPECT_EQ(CutAtCharacter("ab\xEA\xB0"), "ab");
    EXPECT_EQ(CutAtCharacter("ab\xEA\xB0\x80"), "ab\xEA\xB0\x80");
    EXPECT_EQ(CutAtCharacter("a\xF0\x9F\x98"), "a");
    EXPECT_EQ(CutAtCharacter("\x80\x80\x80\x80\x80"), "\x80\x80\x80\x80\x80");
}

TEST_F(BoundedImport, LinesLongerThanTheReadersBoundAreRefusedNamingTheLine) {
    folder.Write("lines.txt", "short\n" + std::string(5000, 'x') + "\nafter\n");
    SequentialReader reader(folder / "lines.txt", 4096);
    std::string_view line;
    ASSERT_TRUE(reader.ReadLine(line));
    try {
        reader.ReadLine(line);
        ADD_FAILURE() << "an endless line was read";
    } catch (const ToolError& e) {
        EXPECT_NE(std::string(e.what()).find("lines.txt:2:"), std::string::npos) << e.what();
    }
    SequentialReader whole(folder / "lines.txt", 8192);
    int count = 0;
    while (whole.ReadLine(line)) ++count;
    EXPECT_EQ(count, 3);
}

}  // namespace
}  // namespace tavik
