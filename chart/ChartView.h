#pragma once
// The chart drawn at any size: the zoom steps, the scale and offset that fit
// the chart into a window, the zoom a window opens at, and which cell a
// point of the drawing falls in.  Pure arithmetic in logical pixels.

#include <optional>

#include "chart/ChartLayout.h"

namespace qelvar {

inline constexpr double kZoomStep = 0.5;
inline constexpr double kMinZoom = 0.5;
inline constexpr double kMaxZoom = 6.0;

// The next whole or half step above (direction +1) or below (-1) `zoom`,
// within [kMinZoom, kMaxZoom].
double NextZoom(double zoom, int direction);

// The largest half step at which a chart of chartHeight pixels at zoom 1,
// with `extraHeight` pixels of bars and strips that do not scale, fits
// `fraction` of `availableHeight`; never below kMinZoom.
double OpeningZoom(double availableHeight, double chartHeight, double extraHeight,
                   double fraction = 0.85);

// Where a chart of w x h pixels at zoom 1 is drawn in an area of
// areaW x areaH: the largest scale that keeps its proportions, centred.
struct ChartPlacement {
    double scale = 1;
    double x = 0;  // offset of the chart's top-left corner
    double y = 0;
};
ChartPlacement FitChart(double w, double h, double areaW, double areaH);

// The cell (PalaceIndex) whose frame holds the point (x, y) in dialog
// units; empty in the centre and outside the ring.
std::optional<int> PalaceAt(double x, double y);

}  // namespace qelvar
