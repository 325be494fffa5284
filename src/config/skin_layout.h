// The skin's layout: where each control of the main view stands.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>

namespace tavik {

struct SkinRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

// Slots of the layout and the skin keys that fill them.
enum SkinSlot : int {
    kSearchStatic = 0,
    kSearchListStatic = 1,
    kSearchEdit = 2,
    kSearchButton = 3,
    kSearchList = 4,
    kSearchButtonListUp = 5,
    kSearchButtonListDown = 6,
    kSelectDicStatic = 7,
    kSelectDicList = 8,
    kContentEdit = 9,
};
inline constexpr int kSkinSlotCount = 10;

using SkinLayout = std::array<SkinRect, kSkinSlotCount>;

// Width (right - left) and height (bottom - top) of a rectangle, worked out
// in 64 bits: the numbers may be anything a 32-bit value holds. A negative
// span is 0; one past the 32-bit range is the largest 32-bit value.
int32_t SkinWidth(const SkinRect& rect);
int32_t SkinHeight(const SkinRect& rect);

// `<home>/Skin/SkinInfo.Cfg`.
std::filesystem::path SkinFilePath(const std::filesystem::path& home);

// Reads the ten rectangles of section "Control" of the home folder's skin
// file; a missing file, section or key gives 0,0,0,0, and numbers a value
// does not yield are 0.
SkinLayout LoadSkinLayout(const std::filesystem::path& home);

// Whether the layout can place the form: the search box and the viewer each
// need a rectangle of some width and height. A missing or garbled skin file
// gives neither.
bool IsUsableSkinLayout(const SkinLayout& layout);

}  // namespace tavik
