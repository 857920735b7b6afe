#include "capture/TrackGeometry.h"

#include <algorithm>

namespace qelvar {

unsigned EdgesOf(TrackerHit hit) {
    switch (hit) {
        case TrackerHit::TopLeft:
            return kEdgeTop | kEdgeLeft;
        case TrackerHit::TopRight:
            return kEdgeTop | kEdgeRight;
        case TrackerHit::BottomRight:
            return kEdgeBottom | kEdgeRight;
        case TrackerHit::BottomLeft:
            return kEdgeBottom | kEdgeLeft;
        case TrackerHit::Top:
            return kEdgeTop;
        case TrackerHit::Right:
            return kEdgeRight;
        case TrackerHit::Bottom:
            return kEdgeBottom;
        case TrackerHit::Left:
            return kEdgeLeft;
        case TrackerHit::Middle:
            return kEdgeAll;
        case TrackerHit::Nothing:
            break;
    }
    return kEdgeNone;
}

std::array<ScreenRect, 8> HandleRects(const ScreenRect& box) {
    const ScreenRect n = Normalised(box);
    constexpr int s = kHandleSize;
    const int cx = n.left + (n.Width() - s) / 2;  // left of the top/bottom handles
    const int cy = n.top + (n.Height() - s) / 2;  // top of the left/right handles
    return {{
        {n.left, n.top, n.left + s, n.top + s},          // 0 top-left
        {n.right - s, n.top, n.right, n.top + s},        // 1 top-right
        {n.right - s, n.bottom - s, n.right, n.bottom},  // 2 bottom-right
        {n.left, n.bottom - s, n.left + s, n.bottom},    // 3 bottom-left
        {cx, n.top, cx + s, n.top + s},                  // 4 top
        {n.right - s, cy, n.right, cy + s},              // 5 right
        {cx, n.bottom - s, cx + s, n.bottom},            // 6 bottom
        {n.left, cy, n.left + s, cy + s},                // 7 left
    }};
}

TrackerHit HitTest(const ScreenRect& box, ScreenPoint p) {
    const ScreenRect n = Normalised(box);
    if (!Contains(n, p)) return TrackerHit::Nothing;
    const auto handles = HandleRects(n);
    for (int i = 0; i < 8; ++i) {
        if (Contains(handles[static_cast<std::size_t>(i)], p)) return static_cast<TrackerHit>(i);
    }
    return TrackerHit::Middle;
}

ScreenRect GetOuterRect(const ScreenRect& box) {
    const ScreenRect n = Normalised(box);
    return {n.left - 1, n.top - 1, n.right + 1, n.bottom + 1};
}

ScreenRect Resized(const ScreenRect& start, TrackerHit hit, ScreenPoint delta, bool allowInvert) {
    const unsigned edges = EdgesOf(hit);
    ScreenRect r = start;
    if (edges & kEdgeLeft) r.left += delta.x;
    if (edges & kEdgeRight) r.right += delta.x;
    if (edges & kEdgeTop) r.top += delta.y;
    if (edges & kEdgeBottom) r.bottom += delta.y;
    if (!allowInvert && edges != kEdgeAll) {
        // The moving edge stops at the opposite one.
        if (edges & kEdgeLeft) r.left = std::min(r.left, r.right);
        if (edges & kEdgeRight) r.right = std::max(r.right, r.left);
        if (edges & kEdgeTop) r.top = std::min(r.top, r.bottom);
        if (edges & kEdgeBottom) r.bottom = std::max(r.bottom, r.top);
    }
    return r;
}

TrackerCursor CursorFor(TrackerHit hit) {
    switch (hit) {
        case TrackerHit::TopLeft:
        case TrackerHit::BottomRight:
            return TrackerCursor::SizeDiagonalDown;
        case TrackerHit::TopRight:
        case TrackerHit::BottomLeft:
            return TrackerCursor::SizeDiagonalUp;
        case TrackerHit::Top:
        case TrackerHit::Bottom:
            return TrackerCursor::SizeVertical;
        case TrackerHit::Left:
        case TrackerHit::Right:
            return TrackerCursor::SizeHorizontal;
        case TrackerHit::Middle:
            return TrackerCursor::Move;
        case TrackerHit::Nothing:
            break;
    }
    return TrackerCursor::None;
}

}  // namespace qelvar
