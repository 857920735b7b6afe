#pragma once
// Draws the chart window of a cast chart to a PNG file without showing it:
// the same drawing as on screen, at `scale` times the window's size at zoom 1.  Needs no display:
// when no application object exists yet, one is made on Qt's offscreen platform.

#include <string>

#include "chart/ChartGrid.h"

namespace qelvar {

// False (with a reason in *error when given) when the image cannot be
// written or the program was built without the Qt layer.
bool RenderChartPng(const ChartGrid& grid, const std::string& path, std::string* error,
                    double scale = 1.0);

}  // namespace qelvar
