#pragma once
// The chart as terminal text: the twelve cells in a 4 x 4 ring round the
// centre block, arranged as in the chart window (巳午未申 on top, 寅丑子亥 at
// the bottom).  Widths assume CJK characters two columns wide.

#include <string>
#include <string_view>

#include "chart/Chart.h"
#include "chart/ChartGrid.h"
#include "lang/Terms.h"

namespace qelvar::cli {

// The cells from the typed chart (no filler between transformation marks;
// stars a crowded cell overflowed with follow its second row), the centre
// from the chart's grid; every name and text in `language`, put into it
// whole before the cells break it into columns; with the extended star set,
// a line of 小限 ages per cell 寅..丑 below.
void AppendChartText(std::string& out, const Chart& chart, const ChartGrid& grid,
                     Language language = Language::ZhCN);

}  // namespace qelvar::cli
