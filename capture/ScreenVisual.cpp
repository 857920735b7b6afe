#include "capture/ScreenVisual.h"

#include <algorithm>
#include <array>

namespace qelvar {

namespace {

constexpr int kGrayScale = 1;
constexpr int kTrueColor = 4;
constexpr int kDirectColor = 5;

struct PixelLayout {
    int depth, bitsPerPixel;
    std::uint32_t redMask, blueMask;
};

// The layouts Qt's X backing store paints into (red and blue may swap).
constexpr std::array<PixelLayout, 5> kDrawable{{
    {24, 32, 0xFF0000, 0x0000FF},
    {30, 32, 0x3FF00000, 0x3FF},
    {16, 16, 0xF800, 0x001F},
    {15, 16, 0x7C00, 0x001F},
    {32, 32, 0xFF0000, 0x0000FF},
}};

// Preference among drawable visuals: the best true colour first.
int Rank(const VisualInfo& v) {
    if (v.visualClass == kGrayScale) return 0;
    switch (v.depth) {
        case 24:
            return 5;
        case 30:
            return 4;
        case 16:
            return 3;
        case 15:
            return 2;
        default:
            return 1;  // 32 bits, with alpha
    }
}

}  // namespace

bool QtCanDrawVisual(const VisualInfo& v) {
    if (v.depth == 8) return v.visualClass == kGrayScale;
    if (v.visualClass != kTrueColor && v.visualClass != kDirectColor) return false;
    return std::any_of(kDrawable.begin(), kDrawable.end(), [&](const PixelLayout& l) {
        return l.depth == v.depth && l.bitsPerPixel == v.bitsPerPixel &&
               ((v.redMask == l.redMask && v.blueMask == l.blueMask) ||
                (v.redMask == l.blueMask && v.blueMask == l.redMask));
    });
}

std::optional<std::uint32_t> ChooseDrawableVisual(const VisualInfo& root,
                                                  std::span<const VisualInfo> offered) {
    if (QtCanDrawVisual(root)) return std::nullopt;
    const VisualInfo* best = nullptr;
    for (const VisualInfo& v : offered) {
        if (QtCanDrawVisual(v) && (!best || Rank(v) > Rank(*best))) best = &v;
    }
    if (!best) return std::nullopt;
    return best->id;
}

}  // namespace qelvar
