#pragma once
// Where the selected period layers appear on the chart: in each cell the
// layer palace names ("限官 年子"), the moving stars and the layers'
// transformation marks beside the natal stars they fall on; in the centre
// the target date with the nominal age and each layer's stem-branch.  All
// of it goes into room the natal texts leave free, so the natal chart
// stays readable underneath.  Positions are dialog units of the chart
// window; the window paints them.

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/DialogUnits.h"
#include "chart/ChartColours.h"
#include "chart/ChartLayout.h"
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
    int dropped = 0;                    // items no free room was left for
    std::vector<OverlayText> unplaced;  // those items, without a place
};

// The colour of a layer's texts and marks.
Rgb LayerColour(LayerKind kind);
// The one-character prefix of a layer: 限 小 年 月 日 时.
std::string_view LayerPrefix(LayerKind kind);

// The text of natal slot `id` ("" for an empty slot).
using NatalSlotText = std::function<std::string_view(int id)>;

// The overlay of the layers of `horoscope` listed in `shown`.
PeriodOverlay LayOutPeriodOverlay(const Horoscope& horoscope, std::span<const LayerKind> shown,
                                  const NatalSlotText& natal);

// "2026年12月7日 十月十八 午时 虚岁27": the target line of the centre.
std::string TargetText(const Horoscope& horoscope);

}  // namespace qelvar
