#pragma once
// The one typed way from a birth date and time to BirthData, used by the
// form, the CLI, the tests and the benchmarks.  Pure functions: each result
// is a value, a failure an empty result with its reason.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "birth/BirthData.h"
#include "calendar/BirthInstant.h"
#include "calendar/LunarCalendar.h"

namespace qelvar {

inline constexpr std::string_view kErrorDate = "Error Date";
inline constexpr std::string_view kErrorTime = "Error Time";

// The date part of a birth: what a date picker resolves to.
struct BirthDates {
    SolarDate solar;
    LunarDate lunar;              // with its leap flag
    std::string lunarText;        // FormatLunarDate of `lunar`
    std::string solarTerm;        // term of the Gregorian day, "" when none
    SolarMonthCode solarMonth{};  // of the Gregorian day
};

// The time part: the form's two lists, the sex and, when known, the UTC
// instant of the birth.
struct BirthTime {
    int doubleHour = 0;  // 0..12, 12 = 夜子 (23:00-24:00 of the Gregorian date)
    int minuteSlot = 0;  // 0..11
    int sex = 0;         // 0 male, 1 female
    // Empty: the middle of the sub-period in China Standard Time.
    std::optional<std::chrono::sys_seconds> instant;
};

// A built birth, or the reason there is none (kErrorDate, kErrorTime).
struct BirthBuild {
    std::optional<BirthData> birth;
    std::string_view error;
    bool ok() const { return birth.has_value(); }
};

// A picker value as a calendar record; empty when it is no date the record
// can carry (not a Gregorian date, or a year outside 1..9999).
std::optional<SolarDate> ToSolarDate(std::chrono::year_month_day date);

// Both calendars of a Gregorian day; empty outside the calendar's range.
std::optional<BirthDates> DatesFromSolar(const SolarDate& solar);
// Both calendars of a lunar date with its leap flag; empty when no such
// lunar date exists.
std::optional<BirthDates> DatesFromLunar(const LunarDate& lunar);

// Why a date has no both-calendar record, in Chinese for the form ("2023年
// 2月只有28天", "农历2020年没有闰五月", the range ...); empty when it has one.
std::string SolarDateProblem(const SolarDate& solar);
std::string LunarDateProblem(const LunarDate& lunar);

// Both lists chosen, each inside its range.
constexpr bool IsValidTime(const BirthTime& t) {
    return t.doubleHour >= 0 && t.doubleHour <= kLateZiHour && t.minuteSlot >= 0 &&
           t.minuteSlot <= 11;
}

// The UTC instant of a birth: the given one, else the middle of the
// sub-period on the Gregorian date in China Standard Time.  Needs a valid time.
std::chrono::sys_seconds BirthInstant(const SolarDate& solar, const BirthTime& time);

// Writes the date part of `birth` (Gregorian fields, both texts, the solar
// month code), as a date change of the form does.
void StoreDates(BirthData& birth, const BirthDates& dates);
// Writes the rest (lunar numbers, double-hour folded and unfolded,
// sub-period, sex, instant), as the cast button does.  A time outside its
// ranges is stored as given, with no instant.
void StoreTime(BirthData& birth, const BirthDates& dates, const BirthTime& time);

BirthBuild BuildBirth(const BirthDates& dates, const BirthTime& time);
BirthBuild BirthFromSolar(std::chrono::year_month_day date, const BirthTime& time);
BirthBuild BirthFromLunar(const LunarDate& lunar, const BirthTime& time);

}  // namespace qelvar
