// Loading the skin's layout: ten rectangles from section "Control".
#include "config/skin_layout.h"

#include <algorithm>
#include <array>
#include <limits>

#include "config/decimal_text.h"
#include "config/profile.h"

namespace tavik {

namespace {

struct SkinKey {
    const char* name;
    SkinSlot slot;
};

// In the order the skin file is read.
constexpr std::array<SkinKey, kSkinSlotCount> kSkinKeys = {{
    {"SearchStatic", kSearchStatic},
    {"SearchListStatic", kSearchListStatic},
    {"SearchEdit", kSearchEdit},
    {"SearchButton", kSearchButton},
    {"SearchList", kSearchList},
    {"ContentEdit", kContentEdit},
    {"SearchButtonListUp", kSearchButtonListUp},
    {"SearchButtonListDown", kSearchButtonListDown},
    {"SelectDicStatic", kSelectDicStatic},
    {"SelectDicList", kSelectDicList},
}};

// Scans "left,top,right,bottom" as "%d,%d,%d,%d" does: white space may stand
// before each number, each comma must follow its number directly, and the
// scan stops at the first byte that does not fit. Numbers not reached stay 0.
SkinRect ScanRect(std::string_view value) {
    std::array<int32_t, 4> numbers{};
    size_t position = 0;
    for (size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0) {
            if (position >= value.size() || value[position] != ',') break;
            ++position;
        }
        const auto number = ScanDecimal(value, position);
        if (!number) break;
        numbers[i] = *number;
    }
    return {numbers[0], numbers[1], numbers[2], numbers[3]};
}

int32_t ClampedSpan(int32_t from, int32_t to) {
    const int64_t span = int64_t(to) - int64_t(from);
    return int32_t(std::clamp<int64_t>(span, 0, std::numeric_limits<int32_t>::max()));
}

}  // namespace

int32_t SkinWidth(const SkinRect& rect) { return ClampedSpan(rect.left, rect.right); }
int32_t SkinHeight(const SkinRect& rect) { return ClampedSpan(rect.top, rect.bottom); }

std::filesystem::path SkinFilePath(const std::filesystem::path& home) {
    return home / "Skin" / "SkinInfo.Cfg";
}

SkinLayout LoadSkinLayout(const std::filesystem::path& home) {
    const std::filesystem::path skinFile = SkinFilePath(home);
    std::array<char, kProfileLineBuffer> buffer{};
    SkinLayout layout{};
    for (const SkinKey& key : kSkinKeys) {
        ProfileReadString("Control", key.name, "0,0,0,0", buffer.data(), int(buffer.size()),
                          skinFile);
        layout[key.slot] = ScanRect(buffer.data());
    }
    return layout;
}

bool IsUsableSkinLayout(const SkinLayout& layout) {
    for (const SkinSlot slot : {kSearchEdit, kContentEdit}) {
        const SkinRect& rect = layout[slot];
        // In 64 bits: the difference of two 32-bit numbers may not fit 32.
        if (int64_t(rect.right) - rect.left <= 0 || int64_t(rect.bottom) - rect.top <= 0)
            return false;
    }
    return true;
}

}  // namespace tavik
