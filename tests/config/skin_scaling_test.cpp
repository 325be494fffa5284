// The skin's layout at other window sizes and text scales.
#include "config/skin_scaling.h"

#include <gtest/gtest.h>

#include "config/page_zoom.h"
#include "support/temp_dir.h"

namespace tavik {

bool operator==(const SkinRect& a, const SkinRect& b);
void PrintTo(const SkinRect& rect, std::ostream* out);

namespace {

bool Meet(const SkinRect& a, const SkinRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Inside(const SkinRect& rect, SkinSize window) {
    return rect.left >= 0 && rect.top >= 0 && rect.right <= window.width &&
           rect.bottom <= window.height;
}

SkinLayout Bundled() { return LoadSkinLayout(TAVIK_SOURCE_DATA); }

TEST(SkinScalingTest, AtItsOwnSizeAFixedLayoutSkinGivesTheSamePixels) {
    const SkinLayout bundled = Bundled();
    ASSERT_EQ(bundled[kContentEdit], (SkinRect{10, 96, 630, 470}));
    EXPECT_EQ(SkinDesignSize(bundled), (SkinSize{640, 480}));
    EXPECT_EQ(FollowWindow(bundled, {640, 480}, {640, 480}), bundled);
    EXPECT_EQ(ScaleSkinLayout(bundled, 1.0), bundled);

    // Odd skins too: overlapping, reversed, empty and out-of-window rectangles.
    SkinLayout odd{};
    odd[kSearchEdit] = {300, 200, 340, 220};
    odd[kSearchButton] = {50, 50, 10, 10};
    odd[kSearchList] = {-20, 5, 700, 30};
    odd[kContentEdit] = {0, 0, 640, 480};
    const SkinSize size = SkinDesignSize(odd);
    EXPECT_EQ(size, (SkinSize{700, 480}));
    EXPECT_EQ(FollowWindow(odd, size, size), odd);
}

TEST(SkinScalingTest, TheViewerFollowsTheWindowAndTheOtherControlsTheirNearestEdges) {
    const SkinLayout bundled = Bundled();
    const SkinLayout large = FollowWindow(bundled, {640, 480}, {1200, 900});
    // The viewer keeps its margins to all four edges.
    EXPECT_EQ(large[kContentEdit], (SkinRect{10, 96, 1190, 890}));
    // Controls on the left stay; those on the right move with the right edge.
    EXPECT_EQ(large[kSearchEdit], bundled[kSearchEdit]);
    EXPECT_EQ(large[kSearchStatic], bundled[kSearchStatic]);
    for (SkinSlot slot : {kSelectDicList, kSelectDicStatic, kSearchButtonListUp,
                          kSearchButtonListDown, kSearchButton}) {
        EXPECT_EQ(large[slot].left, bundled[slot].left + 560) << slot;
        EXPECT_EQ(large[slot].right - large[slot].left, bundled[slot].right - bundled[slot].left);
        EXPECT_EQ(large[slot].top, bundled[slot].top) << slot;
    }

    // A control in the bottom right corner moves with both far edges.
    SkinLayout corner{};
    corner[kSearchButton] = {600, 440, 630, 470};
    EXPECT_EQ(FollowWindow(corner, {640, 480}, {700, 500})[kSearchButton],
              (SkinRect{660, 460, 690, 490}));
}

TEST(SkinScalingTest, AtTheMinimumSizeEveryControlIsWholeAndApart) {
    const SkinLayout bundled = Bundled();
    const SkinSize least = MinimumWindowSize(bundled, {640, 480});
    EXPECT_EQ(least, (SkinSize{634, 199}));
    EXPECT_LT(least.height, 480);
    const SkinLayout placed = FollowWindow(bundled, {640, 480}, least);
    for (int a = 0; a < kSkinSlotCount; ++a) {
        EXPECT_TRUE(Inside(placed[a], least)) << a;
        for (int b = a + 1; b < kSkinSlotCount; ++b) {
            if (!Meet(bundled[a], bundled[b])) {
                EXPECT_FALSE(Meet(placed[a], placed[b])) << a << b;
            }
        }
    }
    const SkinRect& viewer = placed[kContentEdit];
    EXPECT_GE(viewer.right - viewer.left, 620 / 4);
    EXPECT_GE(viewer.bottom - viewer.top, 374 / 4);

    // One pixel narrower, some control would be cut or run into another.
    const SkinLayout tooNarrow = FollowWindow(bundled, {640, 480}, {least.width - 1, least.height});
    bool broken = tooNarrow[kContentEdit].right - tooNarrow[kContentEdit].left < 620 / 4;
    for (int a = 0; a < kSkinSlotCount; ++a) {
        broken = broken || !Inside(tooNarrow[a], {least.width - 1, least.height});
        for (int b = a + 1; b < kSkinSlotCount; ++b)
            broken = broken || (!Meet(bundled[a], bundled[b]) && Meet(tooNarrow[a], tooNarrow[b]));
    }
    EXPECT_TRUE(broken);

    // No skin at all needs no room.
    EXPECT_EQ(MinimumWindowSize(SkinLayout{}, {640, 480}), (SkinSize{0, 0}));
}

TEST(SkinScalingTest, TheLayoutScalesWithTheDesktopText) {
    EXPECT_EQ(SkinScaleForFont(10, 96), 1.0);
    EXPECT_EQ(SkinScaleForFont(11, 96), 1.0);  // the usual desktop fonts keep the pixels
    EXPECT_EQ(SkinScaleForFont(20, 96), 2.0);
    EXPECT_EQ(SkinScaleForFont(10, 144), 1.5);
    EXPECT_EQ(SkinScaleForFont(8, 96), 1.0);  // never smaller than the skin
    EXPECT_EQ(SkinScaleForFont(0, 96), 1.0);
    EXPECT_EQ(SkinScaleForFont(10, 0), 1.0);

    const SkinLayout doubled = ScaleSkinLayout(Bundled(), 2.0);
    EXPECT_EQ(doubled[kContentEdit], (SkinRect{20, 192, 1260, 940}));
    EXPECT_EQ(ScaleSkinSize({640, 480}, 1.5), (SkinSize{960, 720}));
    EXPECT_EQ(ScaleSkinSize({640, 480}, 1.0), (SkinSize{640, 480}));
}

TEST(PageZoomTest, ZoomStepsUpAndDownAndStopsAtTheEnds) {
    EXPECT_EQ(NextPageZoom(100, +1), 110);
    EXPECT_EQ(NextPageZoom(100, -1), 90);
    EXPECT_EQ(NextPageZoom(175, 0), 100);
    EXPECT_EQ(NextPageZoom(300, +1), 300);
    EXPECT_EQ(NextPageZoom(50, -1), 50);
    // A stored value between steps goes to the next step either way.
    EXPECT_EQ(NextPageZoom(105, +1), 110);
    EXPECT_EQ(NextPageZoom(105, -1), 100);
    EXPECT_EQ(ValidPageZoom(-7), 50);
    EXPECT_EQ(ValidPageZoom(100000), 300);
    EXPECT_EQ(ValidPageZoom(120), 120);
}

}  // namespace
}  // namespace tavik
