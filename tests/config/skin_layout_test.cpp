// Loading the ten control rectangles from a skin's "Control" section.
#include "config/skin_layout.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace tavik {

bool operator==(const SkinRect& a, const SkinRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

void PrintTo(const SkinRect& rect, std::ostream* out) {
    *out << rect.left << ',' << rect.top << ',' << rect.right << ',' << rect.bottom;
}

namespace {

using testing::TempDir;
using testing::WriteBytes;

class SkinLayoutTest : public ::testing::Test {
protected:
    SkinLayout Load(const std::string& control) {
        WriteBytes(SkinFilePath(m_home.Path()), "[Content]\r\nWord=#0000ff\r\n[Control]\r\n" +
                                                    control + "[Other]\r\nSearchEdit=9,9,9,9\r\n");
        return LoadSkinLayout(m_home.Path());
    }
    SkinRect LoadOne(const std::string& value) {
        return Load("SearchEdit=" + value + "\r\n")[kSearchEdit];
    }

    TempDir m_home;
};

TEST_F(SkinLayoutTest, MissingSkinGivesEmptyRectangles) {
    EXPECT_EQ(SkinFilePath("/opt/tavik"), "/opt/tavik/Skin/SkinInfo.Cfg");
    for (const SkinRect& rect : LoadSkinLayout(m_home.Path())) EXPECT_EQ(rect, SkinRect{});
    // A skin without the key, or without the section, likewise.
    EXPECT_EQ(Load("")[kSearchEdit], SkinRect{});
}

TEST_F(SkinLayoutTest, EveryKeyFillsItsSlot) {
    const SkinLayout layout = Load(
        "SearchStatic=0,1,2,3\r\n"
        "SearchListStatic=10,11,12,13\r\n"
        "SearchEdit=20,21,22,23\r\n"
        "SearchButton=30,31,32,33\r\n"
        "SearchList=40,41,42,43\r\n"
        "ContentEdit=90,91,92,93\r\n"
        "SearchButtonListUp=50,51,52,53\r\n"
        "SearchButtonListDown=60,61,62,63\r\n"
        "SelectDicStatic=70,71,72,73\r\n"
        "SelectDicList=80,81,82,83\r\n");
    for (int slot = 0; slot < kSkinSlotCount; ++slot)
        EXPECT_EQ(layout[slot], (SkinRect{10 * slot, 10 * slot + 1, 10 * slot + 2, 10 * slot + 3}))
            << "slot " << slot;
}

TEST_F(SkinLayoutTest, ValuesScanLikeFourDecimalNumbers) {
    EXPECT_EQ(LoadOne("10, 20,\t30,  40"), (SkinRect{10, 20, 30, 40}));
    EXPECT_EQ(LoadOne("10 ,20,30,40"), (SkinRect{10, 0, 0, 0}));
    EXPECT_EQ(LoadOne("\"1,2,3,4\""), (SkinRect{1, 2, 3, 4}));
    EXPECT_EQ(LoadOne("'1,2,3,4' ; search box"), (SkinRect{1, 2, 3, 4}));
    EXPECT_EQ(LoadOne("100,+5,-20,8px ; wide"), (SkinRect{100, 5, -20, 8}));
    EXPECT_EQ(LoadOne("1,2"), (SkinRect{1, 2, 0, 0}));
    EXPECT_EQ(LoadOne("1,2,,4"), (SkinRect{1, 2, 0, 0}));
    EXPECT_EQ(LoadOne("left"), SkinRect{});
    EXPECT_EQ(LoadOne(""), SkinRect{});
    // The value of an LF line, and of a last line without a line end.
    WriteBytes(SkinFilePath(m_home.Path()), "[Control]\nSearchList=1,2,3,4\nSearchEdit=5,6,7,8");
    const SkinLayout layout = LoadSkinLayout(m_home.Path());
    EXPECT_EQ(layout[kSearchList], (SkinRect{1, 2, 3, 4}));
    EXPECT_EQ(layout[kSearchEdit], (SkinRect{5, 6, 7, 8}));
}

TEST_F(SkinLayoutTest, OnlyASizedSearchBoxAndViewerMakeAUsableLayout) {
    EXPECT_FALSE(IsUsableSkinLayout(LoadSkinLayout(m_home.Path())));  // no skin file
    WriteBytes(SkinFilePath(m_home.Path()), std::string("\x01garbage\xFF[[[\n=,,,\n"));
    EXPECT_FALSE(IsUsableSkinLayout(LoadSkinLayout(m_home.Path())));

    const std::string viewer = "ContentEdit=10,96,630,470\r\n";
    const std::string box = "SearchEdit=76,8,160,30\r\n";
    EXPECT_TRUE(IsUsableSkinLayout(Load(box + viewer)));  // the other controls may be hidden
    for (const char* bad : {"SearchEdit=76,8,76,30\r\n", "SearchEdit=76,8,160,8\r\n",
                            "SearchEdit=160,8,76,30\r\n", "SearchEdit=76,30,160,8\r\n"})
        EXPECT_FALSE(IsUsableSkinLayout(Load(bad + viewer))) << bad;
    for (const char* bad : {"ContentEdit=10,96,10,470\r\n", "ContentEdit=630,96,10,470\r\n",
                            "ContentEdit=10,470,630,96\r\n"})
        EXPECT_FALSE(IsUsableSkinLayout(Load(box + bad))) << bad;
    // Sizes past 32 bits are sizes all the same, and differences past 32 bits
    // do not wrap round to a size.
    EXPECT_TRUE(
        IsUsableSkinLayout(Load(box + "ContentEdit=-2147483648,0,2147483647,2147483647\r\n")));
    EXPECT_FALSE(IsUsableSkinLayout(Load(box + "ContentEdit=2147483647,0,-2147483648,470\r\n")));
}

TEST_F(SkinLayoutTest, WidthAndHeightOfNumbersAtTheLimitsAreClampedNotWrapped) {
    const SkinRect widest = LoadOne("-2147483648,0,2147483647,1");
    EXPECT_EQ(widest, (SkinRect{INT32_MIN, 0, INT32_MAX, 1}));
    EXPECT_EQ(SkinWidth(widest), INT32_MAX);
    EXPECT_EQ(SkinHeight(widest), 1);
    // Numbers past the limits are scanned as the limits.
    const SkinRect reversed = LoadOne("99999999999,2147483647,-99999999999,-2147483648");
    EXPECT_EQ(reversed, (SkinRect{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN}));
    EXPECT_EQ(SkinWidth(reversed), 0);
    EXPECT_EQ(SkinHeight(reversed), 0);
    EXPECT_EQ(SkinWidth(SkinRect{10, 20, 30, 60}), 20);
    EXPECT_EQ(SkinHeight(SkinRect{10, 20, 30, 60}), 40);
    EXPECT_EQ(SkinWidth(SkinRect{-5, 0, -20, 0}), 0);
}

}  // namespace
}  // namespace tavik
