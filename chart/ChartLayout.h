#pragma once
// The layout of the chart window (template 130) in dialog units: the twelve
// cell frames, the place of every slot family inside a cell, the fixed
// labels and the centre controls.  Constant data and small lookups only;
// the Qt window converts the rectangles to pixels and paints the texts.

#include <array>
#include <optional>
#include <span>
#include <string_view>

#include "layout/DialogUnits.h"

namespace qelvar {

inline constexpr std::string_view kChartCaption = "斗数排盘";
inline constexpr int kChartWidthDu = 331;
inline constexpr int kChartHeightDu = 341;
inline constexpr int kCellWidthDu = 77;
inline constexpr int kCellHeightDu = 84;
inline constexpr int kPalaceCount = 12;

enum class SlotAlign { kLeft, kRight };

// How a slot's text is laid out in its rectangle.
enum class SlotFlow {
    kLine,     // one line, wraps at the right edge like a static text
    kStacked,  // one character per line (the 8-unit-wide name columns)
    kBlock,    // several lines on a fixed grid: a CJK character = two spaces
};

struct DuPoint {
    int x = 0;
    int y = 0;
};

// One family of twelve slots (base + PalaceIndex) at the same place in
// every cell.
struct CellSlotFamily {
    int base;
    DuPoint offset;  // from the cell's top-left corner
    int w;
    int h;
    SlotAlign align;
    SlotFlow flow;
};

// A control of the centre panel: a slot or a fixed label (id kNoSlot).
struct CentreControl {
    int id;
    std::string_view text;  // fixed text of a label; "" for a slot
    DuRect rect;
    SlotFlow flow;
};

inline constexpr int kNoSlot = -1;

// Where a slot sits in the window, in dialog units.
struct SlotPlace {
    DuRect rect;
    SlotAlign align;
    SlotFlow flow;
    int palace = -1;  // the cell (PalaceIndex) of a cell slot; -1 in the centre
};

// The chart grown for the period layers: every cell `extra` dialog units
// taller, the room added below the cell's natal texts.  The rows of the
// ring move down by the growth of the rows above them; the centre texts by
// one row's growth, which leaves the lower centre free.  With extra 0 this
// is the natal layout itself.
inline constexpr int kBandTopDu = 81;  // first line of the added room, from the cell's corner
int RowOfCell(int palace);             // 0 (top) .. 3 (bottom)
DuPoint GrownCellCorner(int palace, int extra);
// A natal rectangle of cell `palace` (or of the centre, palace -1).
DuRect GrownRect(const DuRect& natal, int palace, int extra);
constexpr int GrownChartHeightDu(int extra) {
    return kChartHeightDu + 4 * extra;
}

// Top-left corner of the frame of cell `palace` (PalaceIndex 0..11, 寅 = 0).
DuPoint CellCorner(int palace);
// The fixed branch character of a cell ("寅" for PalaceIndex 0).
std::string_view BranchLabel(int palace);
// Place of the branch character inside a cell.
inline constexpr DuRect kBranchLabelOffset{66, 73, 8, 8};

std::span<const CellSlotFamily> CellFamilies();
std::span<const CentreControl> CentreControls();

// The painted background of a client area of w x h pixels: the red frame
// is the rectangle (3, 3, w - 3, h - 3) stroked with a 4-pixel pen centred
// on its outline (from 1 to 5 pixels in from the left and top edge, 2 to 6
// from the right and bottom), white inside it, black outside.
struct ChartFrame {
    PixelRect outer;  // red, and everything inside it
    PixelRect inner;  // white
};
constexpr ChartFrame ChartFrameOf(int w, int h) {
    return {{1, 1, w - 3, h - 3}, {5, 5, w - 11, h - 11}};
}

// Rectangle, alignment and flow of slot `id`; empty for an identifier that
// is no visible slot.
std::optional<SlotPlace> FindSlotPlace(int id);

}  // namespace qelvar
