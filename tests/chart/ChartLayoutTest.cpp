// The chart window's layout in dialog units: cells by branch, slots inside
// their cells, the centre panel clear of the ring.
#include <gtest/gtest.h>

#include "chart/ChartLayout.h"

namespace qelvar {
namespace {

bool Inside(const DuRect& inner, const DuRect& outer) {
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.w <= outer.x + outer.w &&
           inner.y + inner.h <= outer.y + outer.h;
}

TEST(ChartLayout, CellsRunClockwiseFromTheTopLeftSi) {
    struct Corner {
        int palace;
        const char* branch;
        int x, y;
    } const corners[] = {
        {3, "巳", 10, 7},    {4, "午", 88, 7},    {5, "未", 166, 7},   {6, "申", 244, 7},
        {7, "酉", 244, 87},  {8, "戌", 244, 167}, {9, "亥", 244, 247}, {10, "子", 166, 247},
        {11, "丑", 88, 247}, {0, "寅", 10, 247},  {1, "卯", 10, 167},  {2, "辰", 10, 87},
    };
    for (const Corner& c : corners) {
        EXPECT_EQ(CellCorner(c.palace).x, c.x) << c.branch;
        EXPECT_EQ(CellCorner(c.palace).y, c.y) << c.branch;
        EXPECT_EQ(BranchLabel(c.palace), c.branch);
    }
}

TEST(ChartLayout, SlotPlacesAreCornerPlusOffset) {
    struct Case {
        const char* behaviour;
        int id;
        DuRect rect;
        SlotAlign align;
        SlotFlow flow;
    } const cases[] = {
        {"star column 0 of 巳", 1061 + 3, {15, 15, 8, 17}, SlotAlign::kLeft, SlotFlow::kStacked},
        {"star column 7 of 寅", 1145, {71, 255, 8, 17}, SlotAlign::kLeft, SlotFlow::kStacked},
        {"star column 12 of 丑",
         1205 + 11,
         {125, 292, 8, 17},
         SlotAlign::kLeft,
         SlotFlow::kStacked},
        {"brightness of column 1 of 申",
         1289 + 6,
         {257, 33, 8, 8},
         SlotAlign::kLeft,
         SlotFlow::kLine},
        {"四化 of 午", 1229 + 4, {93, 42, 36, 8}, SlotAlign::kLeft, SlotFlow::kLine},
        {"纳音 of 午", 1217 + 4, {132, 41, 24, 8}, SlotAlign::kLeft, SlotFlow::kLine},
        {"life stage of 亥", 2073 + 9, {310, 292, 8, 17}, SlotAlign::kLeft, SlotFlow::kStacked},
        {"将前 god of 酉", 1265 + 7, {265, 152, 8, 17}, SlotAlign::kLeft, SlotFlow::kStacked},
        {"palace name of 子", 1012 + 10, {206, 312, 25, 8}, SlotAlign::kLeft, SlotFlow::kLine},
        {"stem of 卯", 1024 + 1, {76, 232, 8, 8}, SlotAlign::kLeft, SlotFlow::kLine},
        {"decade of 寅, right-aligned", 1037, {44, 320, 30, 8}, SlotAlign::kRight, SlotFlow::kLine},
        {"bureau", 1036, {116, 101, 33, 8}, SlotAlign::kLeft, SlotFlow::kLine},
        {"pillar-star block", 2185, {95, 167, 147, 50}, SlotAlign::kLeft, SlotFlow::kBlock},
        {"days lived", 2184, {97, 223, 123, 9}, SlotAlign::kLeft, SlotFlow::kLine},
    };
    for (const Case& c : cases) {
        const std::optional<SlotPlace> place = FindSlotPlace(c.id);
        ASSERT_TRUE(place.has_value()) << c.behaviour;
        EXPECT_EQ(place->rect, c.rect) << c.behaviour;
        EXPECT_EQ(place->align, c.align) << c.behaviour;
        EXPECT_EQ(place->flow, c.flow) << c.behaviour;
    }
}

TEST(ChartLayout, IdentifiersBetweenFamiliesAreNoSlots) {
    for (const int id : {1011, 1049, 1060, 1373, 2072, 2085, 2187, 2191, 2192, 2194}) {
        EXPECT_FALSE(FindSlotPlace(id).has_value()) << id;
    }
}

TEST(ChartLayout, EveryCellSlotLiesInsideItsCell) {
    for (const CellSlotFamily& f : CellFamilies()) {
        for (int palace = 0; palace < kPalaceCount; ++palace) {
            const DuPoint c = CellCorner(palace);
            const std::optional<SlotPlace> place = FindSlotPlace(f.base + palace);
            ASSERT_TRUE(place.has_value()) << f.base + palace;
            EXPECT_TRUE(Inside(place->rect, {c.x, c.y, kCellWidthDu, kCellHeightDu}))
                << f.base + palace;
        }
    }
}

TEST(ChartLayout, CentreControlsStayInTheCentreArea) {
    const DuRect centre{88, 87, 243 - 88 + 1, 246 - 87 + 1};
    for (const CentreControl& c : CentreControls()) {
        EXPECT_TRUE(Inside(c.rect, centre)) << c.id;
    }
}

TEST(ChartFrame, RedBandFromOneToFivePixelsInside) {
    const ChartFrame f = ChartFrameOf(497, 512);
    EXPECT_EQ(f.outer, (PixelRect{1, 1, 494, 509}));  // pixels 1 .. 494 (w - 3)
    EXPECT_EQ(f.inner, (PixelRect{5, 5, 486, 501}));  // pixels 5 .. 490 (w - 7)
}

}  // namespace
}  // namespace qelvar
