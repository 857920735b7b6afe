#pragma once
// The options of the periods: the chart conventions and the horoscope's
// target date and double-hour.

#include <optional>

#include "cli/CommandLine.h"
#include "cli/Dates.h"
#include "periods/Conventions.h"

namespace qelvar::cli {

struct PeriodOptions {
    ChartConventions conventions;
    std::optional<DateNumbers> at;  // --at
    std::optional<int> atHour;      // --at-hour, 0..12
};

// --late-zi same-day|next-day, --leap-month whole|split,
// --year-start new-year|lichun, and the school's readings: --preset, then
// --kui-yue --tian-ma --body-ruler-zi --jie-kong --mutagen-geng --mutagen-wu
// --mutagen-ren --god-names --stars.
void AddConventionOptions(Command& command, ChartConventions& conventions);

// --at YYYY-MM-DD and --at-hour H (which needs --at).
void AddTargetOptions(Command& command, PeriodOptions& periods);

}  // namespace qelvar::cli
