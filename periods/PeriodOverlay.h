#pragma once
// Where the selected period layers appear on the chart.  Every cell grows
// by one band per layer along its bottom (the chart becomes taller while
// periods are shown), so nothing of a layer is ever left out and no natal
// text is covered.  A layer's band holds, on a grid of eight character
// columns:
// - its 四化 marks, each in the column of the star it transforms, so that
//   a star transformed by several layers has their marks stacked in layer
//   order under it;
// - the layer palace name ("年命"), the 流年 岁前 and 将前 gods and the
//   moving stars, from the right end of the band leftwards.
// A band has as many lines as its fullest cell needs.  The centre shows the
// target date with the nominal age and each layer's stem-branch in the
// room the growth adds below the natal centre texts.  Positions are dialog
// units of the grown chart (ChartLayout's GrownRect); the window paints
// them.

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "chart/ChartColours.h"
#include "chart/ChartLayout.h"
#include "layout/DialogUnits.h"
#include "periods/Periods.h"

namespace qelvar {

enum class OverlayStyle {
    kLabel,  // layer colour on the white chart
    kMark,   // white on the layer colour, like the natal 四化 slots
};

struct OverlayText {
    DuRect rect;
    std::string text;  // UTF-8
    LayerKind layer = LayerKind::Decade;
    OverlayStyle style = OverlayStyle::kLabel;
    SlotFlow flow = SlotFlow::kLine;  // kStacked: one character per line
    Branch cell = kNoCell;            // kNoCell for the centre
};

struct PeriodOverlay {
    std::vector<OverlayText> texts;
    int extra = 0;  // dialog units every cell grows by (8 per band line)
    // The band of each layer shown, in order: its first line and its lines.
    struct Band {
        LayerKind layer = LayerKind::Decade;
        int firstLine = 0, lines = 0;
    };
    std::vector<Band> bands;
};

// The colour of a layer's texts and marks.
Rgb LayerColour(LayerKind kind);
// The one-character prefix of a layer: 限 小 年 月 日 时.
std::string_view LayerPrefix(LayerKind kind);

// The text of natal slot `id` ("" for an empty slot).
using NatalSlotText = std::function<std::string_view(int id)>;

// The overlay of the layers of `horoscope` listed in `shown`, in the order
// of the horoscope's layers.
PeriodOverlay LayOutPeriodOverlay(const Horoscope& horoscope, std::span<const LayerKind> shown,
                                  const NatalSlotText& natal);

// The band column (0..7) of the star `star` in cell `cell`: the column of
// the natal slot that shows it; empty when the cell does not show it.
std::optional<int> StarBandColumn(std::string_view star, PalaceIndex cell,
                                  const NatalSlotText& natal);

// The text a layer palace name is drawn as: the layer's prefix and the
// name's first character ("流年", "命宫" -> "年命").
std::string LayerPalaceLabel(LayerKind kind, std::string_view palace);

// "2026年12月7日 十月十八 午时 虚岁27": the target line of the centre.
std::string TargetText(const Horoscope& horoscope);

}  // namespace qelvar
