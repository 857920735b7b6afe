#pragma once
// The one cast: a birth with the chart conventions, and where asked the
// periods at a target, into a typed Chart and its Horoscope.  The desktop
// window, the command line and the exports all cast through it.

#include <chrono>
#include <optional>
#include <string_view>

#include "birth/BirthData.h"
#include "chart/Chart.h"
#include "periods/Conventions.h"
#include "periods/Periods.h"

namespace qelvar {

struct ChartCast {
    std::string_view error;  // "" on success; kErrorDate, kErrorTarget
    BirthData birth;         // the birth as charted, under the conventions
    ChartConventions conventions;
    Chart chart;
    NatalChart natal;                    // what the periods read of the chart
    std::optional<Horoscope> horoscope;  // with a target
    bool ok() const { return error.empty(); }
};

// Casts `birth` (as the birth builder makes it, for the default
// conventions) under `conventions`; with `at`, the horoscope of that target
// too.  Fails with kErrorDate when the day the conventions count leaves the
// calendar, and with the horoscope's error when the target fails.
ChartCast CastChart(const BirthData& birth, const ChartConventions& conventions,
                    std::chrono::year_month_day today,
                    const std::optional<HoroscopeRequest>& at = std::nullopt);

}  // namespace qelvar
