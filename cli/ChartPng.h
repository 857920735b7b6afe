#pragma once
// The chart window of a cast chart drawn to a PNG file, for `cast --format png`
// and `render`, at `scale` times the window's size at zoom 1.  The window is
// painted with Qt's offscreen platform whatever QT_QPA_PLATFORM says, so no
// display is needed; the file is replaced whole or not at all.

#include <string>
#include <string_view>

#include "chart/ChartGrid.h"
#include "lang/Terms.h"

namespace qelvar::cli {

struct PngOutcome {
    int status = 0;       // cli/Status.h
    std::string problem;  // "cannot write x.png: No space left on device"
};

// If Qt cannot start at all, the process ends here with kMalformed and a
// message naming `command`.  A non-empty `title` goes into the file's
// "Title" text (the chart conventions when they are not the defaults).  The
// chart's texts are drawn in `language`.
PngOutcome WriteChartPng(std::string_view command, const ChartGrid& grid, const std::string& path,
                         std::string_view title = {}, double scale = 1.0,
                         Language language = Language::ZhCN);

}  // namespace qelvar::cli
