#pragma once
// Geometry of the selection tracker: eight resize handles drawn inside the
// rectangle, hit testing, the frame's outer rectangle, and the rectangle that
// results from dragging a handle or the inside.  Every function works on the
// normalised form of the rectangle it is given, except Resized, which starts
// from the rectangle the caller passes and may leave it inverted.

#include <array>

#include "capture/ScreenRect.h"

namespace qelvar {

// Edges a drag moves, as flags: a corner moves two edges, an edge handle one,
// the inside all four (which moves the rectangle).
enum TrackEdge : unsigned {
    kEdgeNone = 0,
    kEdgeLeft = 1u << 0,
    kEdgeTop = 1u << 1,
    kEdgeRight = 1u << 2,
    kEdgeBottom = 1u << 3,
    kEdgeAll = kEdgeLeft | kEdgeTop | kEdgeRight | kEdgeBottom,
};

// What a point hits; the numeric values are the tracker's hit codes
// (-1 outside, 0..7 the handles, 8 the inside away from the handles).
enum class TrackerHit : int {
    Nothing = -1,
    TopLeft = 0,
    TopRight = 1,
    BottomRight = 2,
    BottomLeft = 3,
    Top = 4,
    Right = 5,
    Bottom = 6,
    Left = 7,
    Middle = 8,
};

// Mouse cursor shown over each part; the Qt layer maps it to a Qt cursor.
enum class TrackerCursor {
    None,              // not over the tracker: the owner shows its own cursor
    SizeDiagonalDown,  // "\" : top-left and bottom-right corners
    SizeDiagonalUp,    // "/" : top-right and bottom-left corners
    SizeVertical,      // top and bottom edges
    SizeHorizontal,    // left and right edges
    Move,              // the inside
};

// Side of a square resize handle in pixels; odd so that an edge handle can
// sit centred on the edge.
inline constexpr int kHandleSize = 7;

// Edge flags moved by a drag that starts on `hit`.
unsigned EdgesOf(TrackerHit hit);

// The eight handle squares of the normalised rectangle, indexed by hit code
// 0..7, all inside the rectangle (they overlap when it is smaller than three
// handles).
std::array<ScreenRect, 8> HandleRects(const ScreenRect& box);

// What p hits on the normalised box.  A point outside the box never hits a
// handle, so the no-selection rectangle (-1, -1, -1, -1) is hit by no point.
// Corners win over edge handles where they overlap.
TrackerHit HitTest(const ScreenRect& box, ScreenPoint p);
inline int HitTestAt(const ScreenRect& box, ScreenPoint p) {
    return static_cast<int>(HitTest(box, p));
}

// The normalised box grown by one pixel on each side: it encloses the frame.
ScreenRect GetOuterRect(const ScreenRect& box);

// `start` after a drag by `delta` that began on `hit`: the edges named by
// EdgesOf(hit) move by the delta.  With allowInvert an edge may pass the
// opposite one and the result stays inverted; without it the edge stops there.
ScreenRect Resized(const ScreenRect& start, TrackerHit hit, ScreenPoint delta, bool allowInvert);

// Cursor shape for a hit.
TrackerCursor CursorFor(TrackerHit hit);

}  // namespace qelvar
