#include "cli/PeriodOptions.h"

#include "cli/CastModel.h"
#include "cli/Options.h"

namespace qelvar::cli {

void AddConventionOptions(CLI::App& command, ChartConventions& c) {
    AddParsedOption(command, "--late-zi", c.lateZi, ParseLateZi, "same-day|next-day",
                    "same-day or next-day",
                    "夜子 (23-24) as 子 of the same day (default) or of the next day");
    AddParsedOption(command, "--leap-month", c.leapMonth, ParseLeapMonth, "whole|split",
                    "whole or split",
                    "a leap month counts as the month it follows (whole, default), or from "
                    "day 16 as the following month (split)");
    AddParsedOption(command, "--year-start", c.yearStart, ParseYearStart, "new-year|lichun",
                    "new-year or lichun",
                    "the chart's year begins at 正月初一 (new-year, default) or at 立春");
}

void AddTargetOptions(CLI::App& command, PeriodOptions& periods) {
    CLI::Option* at =
        AddParsedOption(command, "--at", periods.at, ParseDateNumbers, "YYYY-MM-DD",
                        "a date YYYY-MM-DD", "add the periods (运限) at this Gregorian date");
    AddParsedOption(command, "--at-hour", periods.atHour, ParseHour, "H", "0..12, 子..亥 or 夜子",
                    "double-hour of --at, as --hour takes it: adds 流时")
        ->needs(at);
}

}  // namespace qelvar::cli
