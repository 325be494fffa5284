// Placing windows on the skin's rectangles, whatever numbers the skin holds.
#include "app/skin_apply.h"

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/panel.h>

#include <limits>

namespace tavik {
namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

TEST(SkinApply, ExtremeRectanglesGiveClampedSizesWithoutOverflow) {
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "skin", wxDefaultPosition, wxSize(400, 300));
    wxPanel* form = new wxPanel(frame);
    SkinWindows windows{};
    for (wxWindow*& window : windows) window = new wxWindow(form, wxID_ANY);
    SkinLayout layout{};
    layout[kSearchEdit] = {kMin, 0, kMax, 1};        // right - left is 2^32 - 1
    layout[kSearchList] = {kMax, kMax, kMin, kMin};  // reversed: no size
    layout[kSearchButton] = {10, 20, 110, 45};
    layout[kContentEdit] = {0, 50, 300, 250};  // with the search box: a usable skin
    EXPECT_TRUE(ApplySkinLayout(layout, windows, FormRects{}));

    EXPECT_EQ(windows[kSearchEdit]->GetPosition(), wxPoint(kMin, 0));
    EXPECT_EQ(windows[kSearchEdit]->GetSize(), wxSize(kMax, 1));
    EXPECT_TRUE(windows[kSearchEdit]->IsShown());
    EXPECT_FALSE(windows[kSearchList]->IsShown());
    EXPECT_EQ(windows[kSearchButton]->GetRect(), wxRect(10, 20, 100, 25));
    frame->Destroy();
}

}  // namespace
}  // namespace tavik
