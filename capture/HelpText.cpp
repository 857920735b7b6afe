#include "capture/HelpText.h"

#include <cstdio>

namespace qelvar {

namespace {

std::string PairText(int a, int b) {
    char buf[32];
    std::snprintf(buf, sizeof buf, " (%d,%d)", a, b);
    return buf;
}

}  // namespace

std::string_view HelpStateText(bool dragging, bool hasSelection) {
    if (dragging) return hasSelection ? kHelpReleaseText : std::string_view{};
    return hasSelection ? kHelpAdjustText : kHelpPressText;
}

std::string ColourLine(ColorRef colour, ScreenPoint p) {
    const unsigned r = colour & 0xFFu;          // [0, 255]
    const unsigned g = (colour >> 8) & 0xFFu;   // [0, 255]
    const unsigned b = (colour >> 16) & 0xFFu;  // [0, 255]
    char buf[96];
    std::snprintf(buf, sizeof buf, "\r\n\r\n ·RGB(%u,%u,%u)(%d,%d)\r\n", r, g, b, p.x, p.y);
    return buf;
}

std::string HelpText(ColorRef colour, ScreenPoint cursor, bool dragging, bool hasSelection) {
    std::string text = ColourLine(colour, cursor);
    text += HelpStateText(dragging, hasSelection);
    return text;
}

ScreenRect ReadoutBox(ScreenPoint p, int lineHeight, int boxWidth, int displayWidth) {
    const int blockHeight = 6 * lineHeight;
    ScreenRect box{p.x + 3, p.y - blockHeight - 3, p.x + boxWidth + 3, p.y - 3};
    if (p.x + boxWidth >= displayWidth) {  // would reach the right edge: left of the cursor
        box.left -= boxWidth + 6;
        box.right -= boxWidth + 6;
    }
    if (p.y - blockHeight <= 0) {  // would reach the top edge: below the cursor
        box.top += blockHeight + 6;
        box.bottom += blockHeight + 6;
    }
    return box;
}

std::array<std::string, 6> ReadoutLines(const ScreenRect& r, ScreenPoint p) {
    return {" 顶点位置 ", PairText(r.left, r.top), " 矩形大小 ", PairText(r.Width(), r.Height()),
            " 光标坐标 ", PairText(p.x, p.y)};
}

}  // namespace qelvar
