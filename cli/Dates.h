#pragma once
// The one reader of dates on the command line, for options, arguments and
// input lines of every command: "YYYY-MM-DD" with decimal fields of any
// width.  Whether the numbers name a day is the calendar's question.

#include <chrono>
#include <optional>
#include <string_view>

namespace qelvar::cli {

// The numbers as typed; a field too large for any date saturates at
// kSaturated, so it fails as a date instead of wrapping round.
struct DateNumbers {
    static constexpr long long kSaturated = 1'000'000'000LL;
    long long year = 0;
    long long month = 0;
    long long day = 0;
};

std::optional<DateNumbers> ParseDateNumbers(std::string_view text);

// True when every field fits the 16-bit calendar records; a date that does
// not cannot convert.
bool FitsDateRecord(const DateNumbers& date);

// A valid Gregorian day ("--today 2026-12-07").
std::optional<std::chrono::year_month_day> ParseGregorian(std::string_view text);

}  // namespace qelvar::cli
