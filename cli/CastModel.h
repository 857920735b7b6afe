#pragma once
// One cast from command-line values: the birth data from the builder the
// desktop form uses, then the chart steps, run once.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "app/BirthBuilder.h"
#include "app/Global.h"
#include "chart/ZiWei.h"

namespace qelvar::cli {

struct CastRequest {
    bool lunar = false;
    bool leap = false;
    int year = 0, month = 0, day = 0;  // Gregorian, or the lunar numbers
    int hourSelection = 0;             // combo index 0..12 (12 = 夜子)
    int minuteSelection = 0;           // 0..11
    bool male = true;
};

struct CastResult {
    bool ok = false;
    std::string error;                // "Error Date" when the cast was refused
    BirthData birth;                  // as the builder made it
    std::optional<ZiWeiChart> chart;  // after RunChartSteps
};

// Builds the birth data of the request and casts its chart.
void CastRequestOnce(const CastRequest& request, std::chrono::year_month_day today,
                     CastResult& result);

// Parsers of the command-line tokens; empty when the token is malformed.
std::optional<std::chrono::year_month_day> ParseIsoDate(std::string_view text);
// "YYYY-MM-DD" numbers without checking that they are a Gregorian date.
bool ParseDateNumbers(std::string_view text, int& year, int& month, int& day);
std::optional<int> ParseHour(std::string_view text);    // 0..12, 子..亥, 夜子
std::optional<int> ParseMinute(std::string_view text);  // 0..11
std::optional<bool> ParseMale(std::string_view text);   // 0/男 -> true, 1/女 -> false

}  // namespace qelvar::cli
