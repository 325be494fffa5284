// The entry page takes its three colours from the home folder's skin.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "config/skin_layout.h"
#include "dict/entry_page.h"
#include "dict/recorders.h"
#include "support/temp_dir.h"

namespace tavik {
namespace {

using testing::TempDir;
using testing::WriteBytes;

std::vector<Text> PagePieces(const std::filesystem::path& home) {
    RecordingPage page;
    ShowEntryPage(home, u"cat", u"a [b] c", page);
    return page.Pieces();
}

TEST(PageColours, DefaultsWithoutASkin) {
    TempDir home;
    const std::vector<Text> pieces = PagePieces(home.Path());
    ASSERT_EQ(pieces.size(), 7u);
    EXPECT_TRUE(pieces[0].ends_with(u"color=#0000ff><b>"));
    EXPECT_EQ(pieces[3], u"#000000");
    EXPECT_EQ(pieces[5], u"a </font><font color=#ff0000>[b]</font><font color=#000000> c");
}

TEST(PageColours, SkinColoursAreReadForEveryPage) {
    TempDir home;
    WriteBytes(SkinFilePath(home.Path()), "[Control]\nWord=green\n[Content]\nWord=red\n");
    std::vector<Text> pieces = PagePieces(home.Path());
    EXPECT_TRUE(pieces[0].ends_with(u"color=red><b>"));
    EXPECT_EQ(pieces[3], u"#000000");
    EXPECT_EQ(pieces[5], u"a </font><font color=#ff0000>[b]</font><font color=#000000> c");

    // An edited skin shows at the next page; CR LF lines bring their CR along.
    WriteBytes(SkinFilePath(home.Path()),
               "[Content]\r\nWord=\"navy\"\r\nSpeak=#00aa00\r\nText='#333333'\r\n");
    pieces = PagePieces(home.Path());
    EXPECT_TRUE(pieces[0].ends_with(u"color=navy><b>"));
    EXPECT_EQ(pieces[3], u"#333333");
    EXPECT_EQ(pieces[5], u"a </font><font color=#00aa00\r>[b]</font><font color=#333333> c");
}

TEST(PageColours, LookupCommandShowsTheHomeSkin) {
    TempDir home;
    WriteBytes(home / "Data/Tavik.txt", "bat/a [b] bat\ncat/a [k] cat\n");
    WriteBytes(SkinFilePath(home.Path()), "[Content]\nWord=red\n");
    const std::string command = std::string(TAVIK_BINARY_DIR) + "/tavik-dict lookup --home '" +
                                home.Path().string() + "' --format html cat";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    ASSERT_TRUE(pipe);
    std::string output;
    char chunk[4096];
    for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, pipe.get())) > 0;)
        output.append(chunk, got);
    EXPECT_NE(output.find("color=red><b>cat</b></font>&nbsp;&nbsp;<font color=#000000>"
                          "a </font><font color=#ff0000>[k]</font><font color=#000000> cat"),
              std::string::npos)
        << output;
}

}  // namespace
}  // namespace tavik
