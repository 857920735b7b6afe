#pragma once
// Dialog units: the template coordinates of every window.  A horizontal unit
// is a quarter of the dialog font's average character width, a vertical unit
// an eighth of its character height, the rule of the toolkit the templates
// were drawn for.  Pure arithmetic, no windowing code.

namespace qelvar {

// A rectangle in dialog units: x, y of the top-left corner, width, height.
struct DuRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    friend bool operator==(const DuRect&, const DuRect&) = default;
};

// A rectangle in (device-independent) pixels, same layout.
struct PixelRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The dialog base units of a font, in pixels.
struct DialogBaseUnits {
    int x = 0;  // average character width
    int y = 0;  // character height
    friend bool operator==(const DialogBaseUnits&, const DialogBaseUnits&) = default;
};

// Base units from a font's metrics: `lettersWidth` is the advance of the 52
// letters "A".."Z" "a".."z" in a row, `height` the font's character height.
// The average width is rounded to the nearest pixel, as the dialog manager
// rounds it: (width / 26 + 1) / 2.
constexpr DialogBaseUnits BaseUnitsFromMetrics(int lettersWidth, int height) {
    return {(lettersWidth / 26 + 1) / 2, height};
}

// value * numerator / denominator rounded half away from zero (MulDiv).
constexpr int MulDiv(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : (product - half) / denominator);
}

// Each edge is mapped on its own, so adjacent rectangles stay adjacent.
constexpr PixelRect ToPixels(const DuRect& r, DialogBaseUnits base) {
    const int left = MulDiv(r.x, base.x, 4);
    const int top = MulDiv(r.y, base.y, 8);
    const int right = MulDiv(r.x + r.w, base.x, 4);
    const int bottom = MulDiv(r.y + r.h, base.y, 8);
    return {left, top, right - left, bottom - top};
}

constexpr int DuToPixelsX(int du, DialogBaseUnits base) {
    return MulDiv(du, base.x, 4);
}
constexpr int DuToPixelsY(int du, DialogBaseUnits base) {
    return MulDiv(du, base.y, 8);
}

// The "宋体" 9 pt dialog font at 96 dpi: 6 x 12 pixels.
static_assert(ToPixels({8, 8, 8, 17}, {6, 12}) == PixelRect{12, 12, 12, 26});

}  // namespace qelvar
