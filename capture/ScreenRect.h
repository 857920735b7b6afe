#pragma once
// Points and rectangles in screen pixels.  A rectangle is (left, top, right,
// bottom) with right and bottom exclusive, so its width is right - left.  It
// may be inverted (right < left or bottom < top) when it was dragged up or to
// the left; Normalised() gives the rectangle the user sees.

#include <algorithm>

namespace qelvar {

struct ScreenPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

// The rectangle that stands for "no selection".
inline constexpr ScreenRect kNoSelection{-1, -1, -1, -1};

// True when the width or the height is zero or negative.
inline bool IsRectEmpty(const ScreenRect& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

// The same rectangle with left <= right and top <= bottom.
inline ScreenRect Normalised(const ScreenRect& r) {
    return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
            std::max(r.top, r.bottom)};
}

// Whether p lies in r (right and bottom exclusive); an empty r holds no point.
inline bool Contains(const ScreenRect& r, ScreenPoint p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

}  // namespace qelvar
