// Hit codes, the outer frame rectangle and drags of the selection tracker.
#include <gtest/gtest.h>

#include "capture/TrackGeometry.h"

namespace qelvar {
namespace {

constexpr ScreenRect kBox{100, 100, 300, 250};
constexpr ScreenRect kInverted{300, 250, 100, 100};  // the same box dragged up and left

struct HitRow {
    const char* behaviour;
    ScreenRect box;
    ScreenPoint point;
    int expected;
};

TEST(TrackerHitTest, GivesTheCodeOfThePartUnderThePoint) {
    const HitRow rows[] = {
        {"no-selection rectangle is hit by no window point", kNoSelection, {0, 0}, -1},
        {"no-selection rectangle, another point", kNoSelection, {5, 3}, -1},
        {"inside away from the handles", kBox, {150, 150}, 8},
        {"just outside the top-left corner", kBox, {99, 99}, -1},
        {"right edge is exclusive", kBox, {300, 150}, -1},
        {"bottom edge is exclusive", kBox, {150, 250}, -1},
        {"top-left corner pixel", kBox, {100, 100}, 0},
        {"top-right corner pixel", kBox, {299, 100}, 1},
        {"bottom-right corner pixel", kBox, {299, 249}, 2},
        {"bottom-left corner pixel", kBox, {100, 249}, 3},
        {"middle of the top edge", kBox, {200, 100}, 4},
        {"middle of the right edge", kBox, {299, 175}, 5},
        {"middle of the bottom edge", kBox, {200, 249}, 6},
        {"middle of the left edge", kBox, {100, 175}, 7},
        {"handle reaches inward by its size", kBox, {100 + kHandleSize - 1, 100}, 0},
        {"one pixel past the corner handle is inside", kBox, {100 + kHandleSize, 110}, 8},
        {"inverted rectangle: inside", kInverted, {150, 150}, 8},
        {"inverted rectangle: top-left corner of what is shown", kInverted, {100, 100}, 0},
        {"inverted rectangle: outside", kInverted, {301, 200}, -1},
    };
    for (const HitRow& row : rows) {
        EXPECT_EQ(HitTestAt(row.box, row.point), row.expected) << row.behaviour;
    }
}

TEST(TrackerHandles, LieInsideTheNormalisedRectangle) {
    for (const ScreenRect& box : {kBox, kInverted}) {
        const ScreenRect n = Normalised(box);
        for (const ScreenRect& h : HandleRects(box)) {
            EXPECT_GE(h.left, n.left);
            EXPECT_GE(h.top, n.top);
            EXPECT_LE(h.right, n.right);
            EXPECT_LE(h.bottom, n.bottom);
            EXPECT_EQ(h.Width(), kHandleSize);
            EXPECT_EQ(h.Height(), kHandleSize);
        }
    }
}

TEST(TrackerOuterRect, EnclosesTheFrameOfTheNormalisedRectangle) {
    const ScreenRect expected{99, 99, 301, 251};
    EXPECT_EQ(GetOuterRect(kBox), expected);
    EXPECT_EQ(GetOuterRect(kInverted), expected);
}

struct DragRow {
    const char* behaviour;
    TrackerHit hit;
    ScreenPoint delta;
    bool allowInvert;
    ScreenRect expected;
};

TEST(TrackerDrag, MovesTheEdgesOfThePressedPart) {
    const DragRow rows[] = {
        {"inside drag moves the whole rectangle",
         TrackerHit::Middle,
         {10, -5},
         true,
         {110, 95, 310, 245}},
        {"corner drag moves its two edges",
         TrackerHit::TopLeft,
         {5, 7},
         true,
         {105, 107, 300, 250}},
        {"bottom-right corner", TrackerHit::BottomRight, {-20, 30}, true, {100, 100, 280, 280}},
        {"top handle ignores horizontal motion",
         TrackerHit::Top,
         {30, 20},
         true,
         {100, 120, 300, 250}},
        {"left handle ignores vertical motion",
         TrackerHit::Left,
         {-30, 20},
         true,
         {70, 100, 300, 250}},
        {"right edge dragged past the left edge stays inverted",
         TrackerHit::Right,
         {-250, 0},
         true,
         {100, 100, 50, 250}},
        {"bottom edge dragged past the top edge stays inverted",
         TrackerHit::Bottom,
         {0, -200},
         true,
         {100, 100, 300, 50}},
        {"without inversion the edge stops at the opposite edge",
         TrackerHit::Right,
         {-250, 0},
         false,
         {100, 100, 100, 250}},
        {"a drag from nothing changes nothing", TrackerHit::Nothing, {40, 40}, true, kBox},
    };
    for (const DragRow& row : rows) {
        EXPECT_EQ(Resized(kBox, row.hit, row.delta, row.allowInvert), row.expected)
            << row.behaviour;
    }
}

TEST(TrackerCursor, OppositeHandlesShareTheirResizeDirection) {
    EXPECT_EQ(CursorFor(TrackerHit::TopLeft), CursorFor(TrackerHit::BottomRight));
    EXPECT_EQ(CursorFor(TrackerHit::TopRight), CursorFor(TrackerHit::BottomLeft));
    EXPECT_NE(CursorFor(TrackerHit::TopLeft), CursorFor(TrackerHit::TopRight));
    EXPECT_EQ(CursorFor(TrackerHit::Top), CursorFor(TrackerHit::Bottom));
    EXPECT_EQ(CursorFor(TrackerHit::Left), CursorFor(TrackerHit::Right));
    EXPECT_EQ(CursorFor(TrackerHit::Middle), TrackerCursor::Move);
    EXPECT_EQ(CursorFor(TrackerHit::Nothing), TrackerCursor::None);
}

}  // namespace
}  // namespace qelvar
