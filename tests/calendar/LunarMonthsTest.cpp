// Month lengths, leap months and month steps of the lunar calendar; known
// answers from the published calendar (2020's leap 四月 ran from 5-23 to
// 6-20, 五月 began on 6-21; 2033 has a leap 十一月).
#include <gtest/gtest.h>

#include "calendar/LunarCalendar.h"

namespace qelvar {
namespace {

TEST(LunarMonths, LeapMonthOfAYear) {
    const struct {
        int year;
        int leap;
    } cases[] = {{2020, 4}, {2023, 2}, {2033, 11}, {2019, 0}, {1900, 0}, {2051, 0}};
    for (const auto& c : cases) EXPECT_EQ(LunarCalendar::LeapMonth(c.year), c.leap) << c.year;
}

TEST(LunarMonths, DaysOfAMonth) {
    const struct {
        int year, month, leap, days;
    } cases[] = {
        {2020, 4, 0, 30},   // 4-23 .. 5-22
        {2020, 4, 1, 29},   // 5-23 .. 6-20
        {2020, 5, 0, 30},   // from 6-21
        {1999, 12, 0, 29},  // lunar new year 2000 is 2000-02-05, the day after 腊月廿九
        {2020, 5, 1, 0},    // no leap 五月 in 2020
        {2019, 3, 1, 0},    // no leap month at all
        {1900, 1, 0, 0},    // before the table
        {2020, 13, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LunarCalendar::MonthDays(c.year, c.month, c.leap), c.days)
            << c.year << "-" << c.month << (c.leap ? " leap" : "");
    }
}

TEST(LunarMonths, StepsCountLeapMonths) {
    const struct {
        LunarDate from;
        int steps;
        LunarDate to;
    } cases[] = {
        {{2020, 4, 7, 0}, 1, {2020, 4, 7, 1}},
        {{2020, 4, 7, 0}, 2, {2020, 5, 7, 0}},
        {{2020, 5, 1, 0}, -1, {2020, 4, 1, 1}},
        {{2020, 5, 1, 0}, -2, {2020, 4, 1, 0}},
        {{2033, 11, 1, 1}, 2, {2034, 1, 1, 0}},
        {{2034, 1, 1, 0}, -2, {2033, 11, 1, 1}},
        {{2019, 12, 1, 0}, 1, {2020, 1, 1, 0}},
        {{2020, 1, 1, 0}, 13, {2021, 1, 1, 0}},  // 2020 has thirteen months
        {{2019, 1, 1, 0}, 12, {2020, 1, 1, 0}},
        {{2020, 6, 1, 0}, 0, {2020, 6, 1, 0}},
        {{1800, 12, 1, 0}, 1, {1801, 1, 1, 0}},  // outside the table: no leap months
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LunarCalendar::StepMonth(c.from, c.steps), c.to)
            << c.from.year << "-" << c.from.month << " + " << c.steps;
    }
}

}  // namespace
}  // namespace qelvar
