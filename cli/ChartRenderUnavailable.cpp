// RenderChartPng for a build without the Qt layer.
#include "chart/ChartRender.h"

namespace qelvar {

bool RenderChartPng(const ChartGrid&, const std::string&, std::string* error, double) {
    if (error != nullptr) *error = "this build has no chart window (configured without the GUI)";
    return false;
}

}  // namespace qelvar
