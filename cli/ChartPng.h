#pragma once
// The chart picture of a cast chart written to a PNG, SVG or PDF file (by
// the file's suffix), for `cast --format png` and `render`: the drawing the
// chart window shows, with the period layers, the relations of a selected
// cell and the palette it is asked for, at `scale` times the size at zoom 1
// (PNG).  Drawn with Qt's offscreen platform whatever QT_QPA_PLATFORM says,
// so no display is needed; no window is made.  The file is replaced whole
// or not at all.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chart/Chart.h"
#include "chart/ChartGrid.h"
#include "lang/Terms.h"
#include "periods/Periods.h"

namespace qelvar::cli {

struct PngOutcome {
    int status = 0;       // cli/Status.h
    std::string problem;  // "cannot write x.png: No space left on device"
};

// What the picture shows beyond the natal chart.
struct ChartDrawing {
    const Horoscope* horoscope = nullptr;  // the periods, or none
    std::vector<LayerKind> layers;         // of the horoscope, those drawn
    const NatalChart* natal = nullptr;     // needed with `select`
    const Chart* chart = nullptr;          // the 小限 ages of the extended stars
    std::optional<Branch> select;          // the clicked cell: 三方四正 and 飞化
    bool clearPalette = false;             // the 清晰 colours
    bool adjectives = true;                // the adjective stars drawn
    double scale = 1.0;                    // PNG only
    Language language = Language::ZhCN;    // of the texts drawn
};

// If Qt cannot start at all, the process ends here with kMalformed and a
// message naming `command`.  A non-empty `title` goes into the file's
// "Title" text (the chart conventions when they are not the defaults).  The
// chart's texts are drawn in `language`.
PngOutcome WriteChartPng(std::string_view command, const ChartGrid& grid, const std::string& path,
                         std::string_view title = {}, const ChartDrawing& drawing = {});

}  // namespace qelvar::cli
