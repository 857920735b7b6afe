// How a birth day and double-hour are read under each convention, worked
// out by hand: 2000 立春 on 2-4 (in 腊月: lunar 2000 begins on 2-5), 2001
// 立春 on 2-4 (after the new year of 1-24), 2023 闰二月 from 3-22.
#include "periods/Conventions.h"

#include <gtest/gtest.h>

namespace qelvar {
namespace {

struct Row {
    const char* name;
    SolarDate birth;
    int hour;
    ChartConventions conventions;
    SolarDate day;
    LunarDate lunar;
    int chartYear, chartMonth;
};

constexpr ChartConventions kDefault{};
constexpr ChartConventions kNextDay{LateZi::NextDay, LeapMonthRule::Whole, YearStart::NewYear, {}};
constexpr ChartConventions kSplit{LateZi::SameDay, LeapMonthRule::Split, YearStart::NewYear, {}};
constexpr ChartConventions kLichun{LateZi::SameDay, LeapMonthRule::Whole, YearStart::Lichun, {}};
constexpr ChartConventions kAll{LateZi::NextDay, LeapMonthRule::Split, YearStart::Lichun, {}};

TEST(Conventions, EachSwitchReadsTheBirthAsItNames) {
    const Row rows[] = {
        {"default 夜子 stays on its day",
         {2000, 2, 5},
         12,
         kDefault,
         {2000, 2, 5},
         {2000, 1, 1, 0},
         2000,
         1},
        {"next-day moves 夜子 to 初二",
         {2000, 2, 5},
         12,
         kNextDay,
         {2000, 2, 6},
         {2000, 1, 2, 0},
         2000,
         1},
        {"next-day leaves 子 alone",
         {2000, 2, 5},
         0,
         kNextDay,
         {2000, 2, 5},
         {2000, 1, 1, 0},
         2000,
         1},
        {"next-day crosses the new year",
         {2000, 2, 4},
         12,
         kNextDay,
         {2000, 2, 5},
         {2000, 1, 1, 0},
         2000,
         1},
        {"next-day crosses a month end",
         {2000, 3, 5},
         12,
         kNextDay,
         {2000, 3, 6},
         {2000, 2, 1, 0},
         2000,
         2},
        {"split: 闰二月十五 stays 2",
         {2023, 4, 5},
         6,
         kSplit,
         {2023, 4, 5},
         {2023, 2, 15, 1},
         2023,
         2},
        {"split: 闰二月十六 counts 3",
         {2023, 4, 6},
         6,
         kSplit,
         {2023, 4, 6},
         {2023, 2, 16, 1},
         2023,
         3},
        {"split: ordinary 二月十六 stays 2",
         {2023, 3, 7},
         6,
         kSplit,
         {2023, 3, 7},
         {2023, 2, 16, 0},
         2023,
         2},
        {"whole: 闰二月十六 stays 2",
         {2023, 4, 6},
         6,
         kDefault,
         {2023, 4, 6},
         {2023, 2, 16, 1},
         2023,
         2},
        {"lichun: 腊月 day of 立春 is the next year",
         {2000, 2, 4},
         6,
         kLichun,
         {2000, 2, 4},
         {1999, 12, 29, 0},
         2000,
         12},
        {"lichun: the day before 立春 stays",
         {2000, 2, 3},
         6,
         kLichun,
         {2000, 2, 3},
         {1999, 12, 28, 0},
         1999,
         12},
        {"lichun: 正月 before 立春 is the last year",
         {2001, 1, 30},
         6,
         kLichun,
         {2001, 1, 30},
         {2001, 1, 7, 0},
         2000,
         1},
        {"lichun: 立春 itself", {2001, 2, 4}, 6, kLichun, {2001, 2, 4}, {2001, 1, 12, 0}, 2001, 1},
        {"lichun on the day next-day gives",
         {2001, 2, 3},
         12,
         kAll,
         {2001, 2, 4},
         {2001, 1, 12, 0},
         2001,
         1},
        {"lichun on the birth day without next-day",
         {2001, 2, 3},
         12,
         kLichun,
         {2001, 2, 3},
         {2001, 1, 11, 0},
         2000,
         1},
    };
    const LunarCalendar calendar;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const auto d = ReadUnderConventions(r.birth, r.hour, r.conventions, calendar);
        ASSERT_TRUE(d);
        EXPECT_EQ(d->day, r.day);
        EXPECT_EQ(d->dayShift, r.day == r.birth ? 0 : 1);
        EXPECT_EQ(d->lunar, r.lunar);
        EXPECT_EQ(d->chartYear, r.chartYear);
        EXPECT_EQ(d->chartMonth, r.chartMonth);
    }
}

TEST(Conventions, NextDayPastTheCalendarFails) {
    const LunarCalendar calendar;
    EXPECT_FALSE(ReadUnderConventions({2051, 2, 10}, 12, kNextDay, calendar));
    EXPECT_TRUE(ReadUnderConventions({2051, 2, 10}, 12, kDefault, calendar));
}

TEST(Conventions, NamesRoundTrip) {
    EXPECT_EQ(ParseLateZi("next-day"), LateZi::NextDay);
    EXPECT_EQ(ParseLeapMonth("split"), LeapMonthRule::Split);
    EXPECT_EQ(ParseYearStart("lichun"), YearStart::Lichun);
    EXPECT_EQ(ConventionName(LateZi::SameDay), "same-day");
    EXPECT_EQ(ConventionName(LeapMonthRule::Whole), "whole");
    EXPECT_EQ(ConventionName(YearStart::NewYear), "new-year");
    EXPECT_FALSE(ParseLateZi("next"));
    EXPECT_FALSE(ParseYearStart("Lichun"));
    EXPECT_TRUE(kDefault.IsDefault());
    EXPECT_FALSE(kSplit.IsDefault());
}

}  // namespace
}  // namespace qelvar
