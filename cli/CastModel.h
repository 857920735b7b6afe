#pragma once
// One cast as the desktop form does it: set the date, update the form,
// choose the lists, press the cast button, run the chart steps.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "birth/BirthBuilder.h"
#include "birth/BirthData.h"
#include "chart/ChartGrid.h"
#include "cli/Dates.h"
#include "moment/BirthMoment.h"
#include "periods/ChartCast.h"
#include "periods/Conventions.h"
#include "periods/Periods.h"

namespace qelvar::cli {

struct CastRequest {
    bool lunar = false;
    bool leap = false;
    DateNumbers date;         // Gregorian, or the lunar numbers
    int hourSelection = 0;    // combo index 0..12 (12 = 夜子)
    int minuteSelection = 0;  // 0..11
    bool male = true;
    ChartConventions conventions;
    std::optional<DateNumbers> at;  // the horoscope's target date, Gregorian
    std::optional<int> atHour;      // its double-hour 0..12
};

struct CastResult {
    bool ok = false;
    std::string error;  // "Error Date" when the cast was refused
    BirthData birth;    // as the builder made it, under the conventions
    Chart chart;        // the cast chart
    ChartGrid grid;     // its slot texts
    // A cast from a clock time: the moment and how it was read.
    std::optional<BirthMoment> moment;
    std::optional<MomentResolution> resolution;
    ChartConventions conventions;
    NatalChart natal;                    // read from the chart
    std::optional<Horoscope> horoscope;  // with a target
};

// Builds the birth data of the request with the functions the desktop form
// uses, applies the chart conventions and casts its chart; with a target,
// the horoscope too.  Numbers too large for the calendar's records fail as
// "Error Date"; the birth is checked first, then the target ("Error Date",
// "Error Target").
void CastRequestOnce(const CastRequest& request, std::chrono::year_month_day today,
                     CastResult& result);

// Builds the birth data of a resolved clock time and casts its chart, with
// the sex, conventions and target of `request` (its date and lists unused).
void CastMomentOnce(const BirthMoment& moment, const MomentResolution& resolution,
                    const CastRequest& request, std::chrono::year_month_day today,
                    CastResult& result);

// Parsers of the command-line tokens; empty when the token is malformed.
std::optional<int> ParseHour(std::string_view text);    // 0..12, 子..亥, 夜子
std::optional<int> ParseMinute(std::string_view text);  // 0..11
std::optional<bool> ParseMale(std::string_view text);   // 0/男 -> true, 1/女 -> false

}  // namespace qelvar::cli
