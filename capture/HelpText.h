#pragma once
// Texts of the capture window's help box and the position read-out drawn
// beside the cursor while the left button is held over a selection.  Texts
// are UTF-8.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "capture/ScreenRect.h"

namespace qelvar {

// A colour as the screen reports it: red in bits 0..7, green in bits 8..15,
// blue in bits 16..23.
using ColorRef = std::uint32_t;
constexpr ColorRef MakeColorRef(int r, int g, int b) {
    return static_cast<ColorRef>(r & 0xFF) | (static_cast<ColorRef>(g & 0xFF) << 8) |
           (static_cast<ColorRef>(b & 0xFF) << 16);
}

// Instructions for each state of the selection (dragging, has selection).
inline constexpr std::string_view kHelpPressText =
    "\r\n ·按下鼠标左键不放选择截取\r\n 范围\r\n\r\n ·按ESC键或鼠标右键退出";
inline constexpr std::string_view kHelpReleaseText =
    "\r\n ·松开鼠标左键确定截取范围\r\n\r\n ·按ESC键退出";
inline constexpr std::string_view kHelpAdjustText =
    "\r\n ·用鼠标左键调整截取范围的\r\n 大小和位置\r\n\r\n·截取范围内双击鼠标左键保存\r\n "
    "图像，结束操作\r\n\r\n·点击鼠标右键重新选择";

// The instruction for the flags; empty while a drag has not moved yet.
std::string_view HelpStateText(bool dragging, bool hasSelection);

// "\r\n\r\n ·RGB(r,g,b)(x,y)\r\n": the colour's red, green, blue and the point.
std::string ColourLine(ColorRef colour, ScreenPoint p);

// The help box text: the colour line of the pixel under the cursor, then the
// state text.
std::string HelpText(ColorRef colour, ScreenPoint cursor, bool dragging, bool hasSelection);

// The read-out is six lines in a box above and to the right of the cursor.
// Its width is that of this text in the read-out font.
inline constexpr std::string_view kReadoutWidthText = "顶点位置  ";

// Box of the read-out for the cursor p, given the font's line height (text
// height plus external leading), the box width and the display width.  It
// moves to the left of the cursor when it would reach the display's right
// edge, and below the cursor when it would reach the top; both may apply.
ScreenRect ReadoutBox(ScreenPoint p, int lineHeight, int boxWidth, int displayWidth);

// Top of line k (0..5) inside the box.
inline int ReadoutLineTop(const ScreenRect& box, int k, int lineHeight) {
    return box.top + 2 + k * lineHeight;
}

// The six lines for the rectangle r (its top-left corner and size) and the
// cursor p.
std::array<std::string, 6> ReadoutLines(const ScreenRect& r, ScreenPoint p);

}  // namespace qelvar
