#pragma once
// BirthData: what the birth-data form hands to the chart.  The desktop
// program keeps one instance with static storage; tests and the CLI make
// their own.

#include <chrono>
#include <optional>
#include <string>

namespace qelvar {

struct BirthData {
    std::string g_strSolarYear;   // Gregorian year, "%d"
    std::string g_strSolarMonth;  // Gregorian month, no leading zero
    std::string g_strSolarDay;    // Gregorian day, no leading zero
    std::string g_strSolarText;   // "2000年2月5日 " + term name of the day
    std::string g_strLunarText;   // FormatLunarDate of the lunar date
    int g_nSolarMonth = 0;        // SolarMonthCode 1..14 of the Gregorian day
    std::string g_strLunarYear;   // lunar year, "%d"
    std::string g_strLunarMonth;  // lunar month 1..12 (no leap mark)
    std::string g_strLunarDay;    // lunar day 1..30
    int g_nHour = 0;              // double-hour 0..11 (夜子 folded to 0)
    int g_nMinuteSlot = 0;        // ten-minute sub-period 0..11
    int g_nSex = 0;               // 0 male, 1 female
    // The double-hour as chosen, 0..12 (12 = 夜子, 23:00-24:00 of the
    // Gregorian date): 夜子 and 子 differ by a day in the birth instant.
    int g_nDoubleHour = 0;
    // The UTC instant of the birth; the year and month pillars compare it
    // with the moments of the 节.  Empty in birth data made by hand: the
    // chart then takes the middle of the sub-period, g_nHour 0 counted as
    // 子 of the evening before (SubPeriodMiddle).
    std::optional<std::chrono::sys_seconds> g_tBirthInstant;
    // Days the day pillar counts past the Gregorian date: 1 when the chart
    // conventions count 夜子 as the next day.
    int g_nDayPillarShift = 0;

    friend bool operator==(const BirthData&, const BirthData&) = default;
};

}  // namespace qelvar
