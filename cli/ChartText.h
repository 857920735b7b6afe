#pragma once
// The chart as terminal text: the twelve cells in a 4 x 4 ring round the
// centre block, arranged as in the chart window (巳午未申 on top, 寅丑子亥 at
// the bottom).  Widths assume CJK characters two columns wide.

#include <string>
#include <string_view>

#include "chart/ChartGrid.h"
#include "lang/Terms.h"

namespace qelvar::cli {

// Each slot's text is put into `language` whole, before the cells break it
// into columns.
void AppendChartText(std::string& out, const ChartGrid& grid, Language language = Language::ZhCN);

// Terminal columns of a UTF-8 text: East Asian wide and full-width
// characters take two, everything else one.
int DisplayWidth(std::string_view text);

}  // namespace qelvar::cli
