#pragma once
// Gregorian <-> Chinese lunar calendar for lunar years 1901..2050
// (Gregorian 1901-02-19 .. 2051-02-10), the Chinese date text of a lunar
// date and the 24 solar terms.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace qelvar {

// A Gregorian date; month and day are 1-based.
struct SolarDate {
    std::uint16_t year = 0;
    std::uint16_t month = 0;
    std::uint16_t day = 0;
    friend bool operator==(const SolarDate&, const SolarDate&) = default;
};

// A Chinese lunar date.  `month` is always the ordinary month number; a leap
// month carries the number of the month it follows and `leap` = 1.
struct LunarDate {
    std::uint16_t year = 0;
    std::uint16_t month = 0;
    std::uint16_t day = 0;
    int leap = 0;
    friend bool operator==(const LunarDate&, const LunarDate&) = default;
};

// Solar month of a Gregorian day: 1..12 = 寅..丑; 13 = February on or after
// 立春 (寅), 14 = February before 立春 (丑).
using SolarMonthCode = int;

class LunarCalendar {
public:
    // Gregorian -> lunar.  Empty outside 1901-02-19 .. 2051-02-10 and for a
    // date that does not exist (month outside 1..12, day past the month).
    std::optional<LunarDate> SolarToLunar(const SolarDate& solar) const;

    // Lunar (with its leap flag, 0 or 1) -> Gregorian: the day a forward
    // search of at most 100 days finds, starting at the Gregorian day with
    // the same numbers (the end of that month for lunar 2-29/2-30, never
    // before 1901-02-19).  Empty when no such lunar date exists.
    std::optional<SolarDate> LunarToSolar(const LunarDate& lunar) const;

    // "龙(庚辰)年正月初一", "鼠(庚子)年闰四月初一", or "Error Year" /
    // "Error Month" / "Error Day".  Never fails.
    static std::string FormatLunarDate(int year, int month, int day, int leap);
    static std::string FormatLunarDate(const LunarDate& d) {
        return FormatLunarDate(d.year, d.month, d.day, d.leap);
    }

    // The date-picker value for a year/month/day record; !ok() when the
    // numbers are no Gregorian date (e.g. 2-30).
    static std::chrono::year_month_day ToDateValue(int year, int month, int day);

    // Leap month 1..12 of a lunar year; 0 when it has none or lies outside
    // 1901..2050.
    static int LeapMonth(int year);
    // Days (29 or 30) of a lunar month, with its leap flag; 0 when the year
    // has no such month or lies outside 1901..2050.
    static int MonthDays(int year, int month, int leap);
    // The month `steps` months after `month` (backwards when negative),
    // leap months counted: 2020 四月, 闰四月, 五月.  Only year, month and
    // leap are stepped; the day is kept.
    static LunarDate StepMonth(LunarDate month, int steps);

    // Index 1..24 of the term falling on the Gregorian day, 25 when none
    // (also for a year outside 1901..2051 or a month outside 1..12).
    std::uint16_t SolarTermIndex(int year, int month, int day) const;

    // Term name of the day ("" when none); also sets m_strSolarTerm and
    // m_nSolarMonth (0 for a year outside the term table, 1901..2051).
    std::string SolarTerm(int year, int month, int day);

    std::string m_strSolarTerm;        // term of the last day asked for
    SolarMonthCode m_nSolarMonth = 0;  // solar month code of that day
};

}  // namespace qelvar
