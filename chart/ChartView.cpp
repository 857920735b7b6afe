#include "chart/ChartView.h"

#include <algorithm>
#include <cmath>

namespace qelvar {

double NextZoom(double zoom, int direction) {
    const double steps = zoom / kZoomStep;
    // A zoom between two steps moves to the nearer step in its direction.
    const double next = direction > 0 ? std::floor(steps + 1e-9) + 1 : std::ceil(steps - 1e-9) - 1;
    return std::clamp(next * kZoomStep, kMinZoom, kMaxZoom);
}

double OpeningZoom(double availableHeight, double chartHeight, double extraHeight,
                   double fraction) {
    const double room = availableHeight * fraction - extraHeight;
    const double steps = std::floor(room / (chartHeight * kZoomStep) + 1e-9);
    return std::clamp(steps * kZoomStep, kMinZoom, kMaxZoom);
}

ChartPlacement FitChart(double w, double h, double areaW, double areaH) {
    if (w <= 0 || h <= 0) return {};
    const double scale = std::max(0.0, std::min(areaW / w, areaH / h));
    return {scale, (areaW - w * scale) / 2, (areaH - h * scale) / 2};
}

std::optional<int> PalaceAt(double x, double y) {
    for (int p = 0; p < kPalaceCount; ++p) {
        const DuPoint c = CellCorner(p);
        // Cells of a row touch: the ring's pitch is 78 x 80 units.
        if (x >= c.x && x < c.x + 78 && y >= c.y && y < c.y + 80) return p;
    }
    return std::nullopt;
}

}  // namespace qelvar
