// WriteChartPng for a build without the Qt layer.
#include "cli/ChartPng.h"
#include "cli/Status.h"

namespace qelvar::cli {

PngOutcome WriteChartPng(std::string_view, const ChartGrid&, const std::string&, std::string_view,
                         double, Language) {
    return {kMalformed, "this build has no chart window (configured without the GUI)"};
}

}  // namespace qelvar::cli
