// Help box texts and the placement and lines of the position read-out.
#include <gtest/gtest.h>

#include "capture/HelpText.h"

namespace qelvar {
namespace {

TEST(HelpColourLine, PureBluePixelShowsZeroZeroTwoFiftyFiveThenThePoint) {
    // A screen colour keeps blue in bits 16..23.
    const ColorRef blue = 0x00FF0000u;
    EXPECT_EQ(ColourLine(blue, {12, 34}), "\r\n\r\n \xC2\xB7RGB(0,0,255)(12,34)\r\n");
}

TEST(HelpColourLine, ChannelsComeFromTheirOwnBits) {
    EXPECT_EQ(ColourLine(0x00030201u, {0, 0}), "\r\n\r\n \xC2\xB7RGB(1,2,3)(0,0)\r\n");
    EXPECT_EQ(ColourLine(0xFF0000FFu, {-1, 1079}), "\r\n\r\n \xC2\xB7RGB(255,0,0)(-1,1079)\r\n")
        << "bits above 23 are ignored";
}

struct StateRow {
    const char* behaviour;
    bool dragging;
    bool hasSelection;
    const char* expected;
};

TEST(HelpStateText, IsChosenByTheDraggingAndSelectionFlags) {
    const StateRow rows[] = {
        {"idle: how to start", false, false,
         "\r\n \xC2\xB7\xE6\x8C\x89\xE4\xB8\x8B\xE9\xBC\xA0\xE6\xA0\x87\xE5\xB7\xA6\xE9\x94\xAE"
         "\xE4\xB8\x8D\xE6\x94\xBE\xE9\x80\x89\xE6\x8B\xA9\xE6\x88\xAA\xE5\x8F\x96\r\n "
         "\xE8\x8C\x83\xE5\x9B\xB4\r\n\r\n \xC2\xB7\xE6\x8C\x89"
         "ESC"
         "\xE9\x94\xAE\xE6\x88\x96\xE9\xBC\xA0\xE6\xA0\x87\xE5\x8F\xB3\xE9\x94\xAE\xE9\x80\x80"
         "\xE5\x87\xBA"},
        {"dragging: release to confirm", true, true,
         "\r\n ·松开鼠标左键确定截取范围\r\n\r\n ·按ESC键退出"},
        {"selected: adjust, double-click, right click; two bullets without a leading space", false,
         true,
         "\r\n ·用鼠标左键调整截取范围的\r\n 大小和位置\r\n\r\n·截取范围内双击鼠标左键保存\r\n "
         "图像，结束操作\r\n\r\n·点击鼠标右键重新选择"},
        {"armed before the first move: nothing", true, false, ""},
    };
    for (const StateRow& row : rows) {
        EXPECT_EQ(HelpStateText(row.dragging, row.hasSelection), row.expected) << row.behaviour;
    }
}

TEST(HelpText, IsTheColourLineFollowedByTheStateText) {
    const std::string text = HelpText(0x00FF0000u, {7, 8}, true, true);
    EXPECT_EQ(text, ColourLine(0x00FF0000u, {7, 8}) + std::string(kHelpReleaseText));
    EXPECT_EQ(HelpText(0, {0, 0}, true, false), ColourLine(0, {0, 0}));
}

struct PlacementRow {
    const char* behaviour;
    ScreenPoint cursor;
    ScreenRect expected;
};

TEST(ReadoutBox, SitsAboveRightOfTheCursorAndDodgesTheRightAndTopEdges) {
    // Line height 12 (six lines: 72), box width 60, display 1920 wide.
    const PlacementRow rows[] = {
        {"middle of the screen: above and to the right", {500, 500}, {503, 425, 563, 497}},
        {"one pixel short of the right edge: unchanged", {1859, 500}, {1862, 425, 1922, 497}},
        {"at the right edge: moved left, ends 3 pixels left of the cursor",
         {1860, 500},
         {1797, 425, 1857, 497}},
        {"one line block below the top: unchanged", {500, 73}, {503, -2, 563, 70}},
        {"at the top: moved down, starts 3 pixels below the cursor",
         {500, 72},
         {503, 75, 563, 147}},
        {"top-right corner: both moves", {1900, 10}, {1837, 13, 1897, 85}},
    };
    for (const PlacementRow& row : rows) {
        EXPECT_EQ(ReadoutBox(row.cursor, 12, 60, 1920), row.expected) << row.behaviour;
    }
}

TEST(ReadoutLines, ShowCornerSizeAndCursor) {
    const auto lines = ReadoutLines({99, 99, 301, 251}, {300, 250});
    const std::array<std::string, 6> expected{" 顶点位置 ", " (99,99)",   " 矩形大小 ",
                                              " (202,152)", " 光标坐标 ", " (300,250)"};
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(ReadoutLineTop({503, 425, 563, 497}, 0, 12), 427);
    EXPECT_EQ(ReadoutLineTop({503, 425, 563, 497}, 5, 12), 487);
}

}  // namespace
}  // namespace qelvar
