#pragma once
// Chart conventions: named switches on how a birth moment is read, each
// defaulting to the program's long-standing behaviour.

#include <optional>
#include <string_view>

#include "birth/BirthData.h"
#include "calendar/LunarCalendar.h"
#include "chart/School.h"

namespace qelvar {

// 23:00-24:00 (夜子): 子 of the same day, or the next day's lunar date and
// day pillar.
enum class LateZi { SameDay, NextDay };
// A leap month counts whole as the month it follows, or splits: days 16
// and later count as the following month.
enum class LeapMonthRule { Whole, Split };
// The chart's year begins at 正月初一 or on the day of 立春.
enum class YearStart { NewYear, Lichun };

struct ChartConventions {
    LateZi lateZi = LateZi::SameDay;
    LeapMonthRule leapMonth = LeapMonthRule::Whole;
    YearStart yearStart = YearStart::NewYear;
    // The readings of the schools, applied after the three above.
    School school;

    // The three rules of how the birth moment is read are the defaults.
    bool IsDefaultDate() const {
        return lateZi == LateZi::SameDay && leapMonth == LeapMonthRule::Whole &&
               yearStart == YearStart::NewYear;
    }
    bool IsDefault() const { return IsDefaultDate() && school.IsDefault(); }
    friend bool operator==(const ChartConventions&, const ChartConventions&) = default;
};

// The names the outputs and the command line use: "same-day" "next-day",
// "whole" "split", "new-year" "lichun".
std::string_view ConventionName(LateZi v);
std::string_view ConventionName(LeapMonthRule v);
std::string_view ConventionName(YearStart v);
std::optional<LateZi> ParseLateZi(std::string_view name);
std::optional<LeapMonthRule> ParseLeapMonth(std::string_view name);
std::optional<YearStart> ParseYearStart(std::string_view name);

// The month a lunar date counts as: its own number, or under the split
// rule the following month from day 16 of a leap month (闰腊月 stays 12:
// the calendar's range holds none).
int CountedMonth(const LunarDate& date, LeapMonthRule rule);

// How the chart reads a Gregorian birth day and double-hour under the
// conventions, applied in the order lateZi, leapMonth, yearStart.
struct ConventionDate {
    // The day the chart counts: the birth day, or the next day for 夜子
    // under lateZi=next-day; its lunar date is the lunar date shown.
    SolarDate day;
    LunarDate lunar;
    int dayShift = 0;    // days from the Gregorian birth day to `day`: 0 or 1
    int chartYear = 0;   // the lunar year, or the year of the last 立春 on `day`
    int chartMonth = 0;  // the lunar month number, or the split rule's
};

// Empty when the day falls outside the calendar.  `hourSelection` is the
// form's 0..12 (12 = 夜子).
std::optional<ConventionDate> ReadUnderConventions(const SolarDate& birth, int hourSelection,
                                                   const ChartConventions& conventions,
                                                   const LunarCalendar& calendar);

// The birth data a chart is cast from under the conventions, from birth
// data built for the defaults (BuildBirth): the chart's lunar year, month
// and day, the lunar text (the real date of the day counted) and what the
// pillars need to stay with the birth moment.  The Gregorian date and its
// text, the solar month code, the hour, sub-period, sex and instant stay.
// Empty when the day counted leaves the calendar.  The defaults return the
// data unchanged.
std::optional<BirthData> ApplyConventions(const BirthData& birth,
                                          const ChartConventions& conventions);

}  // namespace qelvar
