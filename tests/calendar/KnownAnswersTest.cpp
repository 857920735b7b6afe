// Known answers from the published Chinese calendar, not from our own code.
#include <gtest/gtest.h>

#include "CalendarTestUtil.h"

namespace qelvar {
namespace {

struct Pair {
    const char* what;
    SolarDate solar;
    LunarDate lunar;
};

const Pair kPairs[] = {
    {"first day of the range", {1901, 2, 19}, {1901, 1, 1, 0}},
    {"last day of lunar 1999", {2000, 2, 4}, {1999, 12, 29, 0}},
    {"lunar new year 2000", {2000, 2, 5}, {2000, 1, 1, 0}},
    {"lunar new year 1984", {1984, 2, 2}, {1984, 1, 1, 0}},
    {"last day of month 4 before a leap 4", {2020, 5, 22}, {2020, 4, 30, 0}},
    {"first day of the leap 4th month", {2020, 5, 23}, {2020, 4, 1, 1}},
    {"last day of the leap 4th month", {2020, 6, 20}, {2020, 4, 29, 1}},
    {"month 5 after the leap month", {2020, 6, 21}, {2020, 5, 1, 0}},
    {"leap 2nd month 2023", {2023, 3, 22}, {2023, 2, 1, 1}},
    {"leap 11th month 2033", {2033, 12, 22}, {2033, 11, 1, 1}},
    {"lunar new year 2050", {2050, 1, 23}, {2050, 1, 1, 0}},
    {"last day of the range", {2051, 2, 10}, {2050, 12, 29, 0}},
    {"Gregorian leap day", {2000, 2, 29}, {2000, 1, 25, 0}},
    {"day after a Gregorian leap day", {2000, 3, 1}, {2000, 1, 26, 0}},
    {"end of a common February", {1999, 2, 28}, {1999, 1, 13, 0}},
    {"after a common February", {1999, 3, 1}, {1999, 1, 14, 0}},
    // The corrected years.
    {"2025 month 2 begins on Feb 28", {2025, 2, 28}, {2025, 2, 1, 0}},
    {"2025 leap 6th month", {2025, 7, 25}, {2025, 6, 1, 1}},
    {"1917 leap 2nd month", {1917, 3, 23}, {1917, 2, 1, 1}},
    {"2050 leap 3rd month", {2050, 4, 21}, {2050, 3, 1, 1}},
};

TEST(KnownAnswers, GregorianToLunarAndBack) {
    LunarCalendar cal;
    for (const Pair& p : kPairs) {
        SCOPED_TRACE(p.what);
        const auto l = cal.SolarToLunar(p.solar);
        ASSERT_TRUE(l);
        EXPECT_EQ(*l, p.lunar);
        const auto s = cal.LunarToSolar(p.lunar);
        ASSERT_TRUE(s);
        EXPECT_EQ(*s, p.solar);
    }
}

// Lunar new years (Gregorian date of 正月初一) of the published calendar.
TEST(KnownAnswers, LunarNewYears) {
    const SolarDate kNewYears[] = {
        {1902, 2, 8},  {1912, 2, 18}, {1917, 1, 23}, {1918, 2, 11}, {1949, 1, 29}, {1950, 2, 17},
        {1976, 1, 31}, {1990, 1, 27}, {2001, 1, 24}, {2008, 2, 7},  {2010, 2, 14}, {2020, 1, 25},
        {2021, 2, 12}, {2022, 2, 1},  {2023, 1, 22}, {2024, 2, 10}, {2025, 1, 29}, {2026, 2, 17},
        {2027, 2, 6},  {2028, 1, 26}, {2029, 2, 13}, {2030, 2, 3},  {2031, 1, 23}, {2032, 2, 11},
        {2033, 1, 31}, {2034, 2, 19}, {2039, 1, 24}, {2040, 2, 12}, {2049, 2, 2},
    };
    LunarCalendar cal;
    for (const SolarDate& s : kNewYears) {
        const auto l = cal.SolarToLunar(s);
        ASSERT_TRUE(l) << s.year;
        EXPECT_EQ(*l, (LunarDate{s.year, 1, 1, 0})) << s.year;
    }
}

TEST(KnownAnswers, GregorianDatesThatDoNotExistAreRefused) {
    LunarCalendar cal;
    const SolarDate kBad[] = {{2000, 0, 10}, {2000, 13, 1}, {2000, 2, 30}, {1999, 2, 29},
                              {2001, 4, 31}, {2000, 1, 0},  {2000, 1, 32}, {1950, 65535, 1}};
    for (const SolarDate& s : kBad) {
        EXPECT_FALSE(cal.SolarToLunar(s)) << s.year << "-" << s.month << "-" << s.day;
    }
}

struct LunarCase {
    const char* what;
    LunarDate lunar;
    std::optional<SolarDate> solar;
};

const LunarCase kLunarCases[] = {
    {"lunar new year 2000", {2000, 1, 1, 0}, SolarDate{2000, 2, 5}},
    {"leap 4th month 2020", {2020, 4, 1, 1}, SolarDate{2020, 5, 23}},
    {"no leap month after month 5 in 2020", {2020, 5, 1, 1}, std::nullopt},
    {"1901 month 2 day 19", {1901, 2, 19, 0}, SolarDate{1901, 4, 7}},
    {"last lunar day of the range", {2050, 12, 29, 0}, SolarDate{2051, 2, 10}},
    {"2050 month 12 has 29 days", {2050, 12, 30, 0}, std::nullopt},
    {"lunar 2051 is outside the range", {2051, 1, 1, 0}, std::nullopt},
    {"2000 month 3 has 29 days", {2000, 3, 30, 0}, std::nullopt},
    {"2000 month 1 day 30", {2000, 1, 30, 0}, SolarDate{2000, 3, 5}},
    {"day 31 never exists", {2000, 1, 31, 0}, std::nullopt},
    {"leap flag other than 0 or 1", {2020, 4, 1, 2}, std::nullopt},
    // Lunar dates whose numbers are no Gregorian date.
    {"lunar 2-30 in a common year", {2001, 2, 30, 0}, SolarDate{2001, 3, 24}},
    {"lunar 2-29 in a common year", {2003, 2, 29, 0}, SolarDate{2003, 3, 31}},
    {"lunar 2-30 in a Gregorian leap year", {2004, 2, 30, 0}, SolarDate{2004, 3, 20}},
    // The first 47 days of the range.
    {"lunar 1901 new year", {1901, 1, 1, 0}, SolarDate{1901, 2, 19}},
    {"last day of lunar 1901 month 1", {1901, 1, 29, 0}, SolarDate{1901, 3, 19}},
    {"lunar 1901 month 2 day 1", {1901, 2, 1, 0}, SolarDate{1901, 3, 20}},
    {"lunar 1901 month 2 day 18", {1901, 2, 18, 0}, SolarDate{1901, 4, 6}},
    {"lunar 1900 is outside the range", {1900, 12, 1, 0}, std::nullopt},
    {"month 0", {2000, 0, 1, 0}, std::nullopt},
    {"month 13", {2000, 13, 1, 0}, std::nullopt},
    {"day 0", {2000, 1, 0, 0}, std::nullopt},
};

TEST(KnownAnswers, LunarToGregorian) {
    LunarCalendar cal;
    for (const LunarCase& c : kLunarCases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(cal.LunarToSolar(c.lunar), c.solar);
    }
}

TEST(KnownAnswers, LunarDateTexts) {
    struct Case {
        int year, month, day, leap;
        const char* text;
    };
    const Case kCases[] = {
        {2000, 1, 1, 0, "龙(庚辰)年正月初一"},
        {2020, 4, 1, 1, "鼠(庚子)年闰四月初一"},
        {1984, 12, 30, 0, "鼠(甲子)年腊月三十"},
        {2033, 11, 1, 1, "牛(癸丑)年闰十一月初一"},
        {2025, 2, 1, 0, "蛇(乙巳)年二月初一"},
        {1901, 10, 20, 0, "牛(辛丑)年十月二十"},
        {2043, 6, 21, 0, "猪(癸亥)年六月廿一"},
        {2000, 0, 0, 0, "龙(庚辰)年*月*"},
        {3, 1, 1, 0, "Error Year"},
        {2000, 13, 1, 0, "Error Month"},
        {2000, 1, 31, 0, "Error Day"},
        {3, 13, 1, 0, "Error Year"},
        {2000, 13, 31, 0, "Error Month"},
        {2000, -1, 1, 0, "Error Month"},
        {2000, 1, -1, 0, "Error Day"},
    };
    for (const Case& c : kCases) {
        EXPECT_EQ(LunarCalendar::FormatLunarDate(c.year, c.month, c.day, c.leap), c.text)
            << c.year << "-" << c.month << "-" << c.day;
    }
}

TEST(KnownAnswers, DateValuesAreInvalidForNumbersThatAreNoDate) {
    using namespace std::chrono;
    EXPECT_EQ(LunarCalendar::ToDateValue(2000, 2, 5), year_month_day(year{2000}, February, day{5}));
    EXPECT_TRUE(LunarCalendar::ToDateValue(2000, 2, 29).ok());
    EXPECT_FALSE(LunarCalendar::ToDateValue(2001, 2, 29).ok());
    EXPECT_FALSE(LunarCalendar::ToDateValue(2000, 2, 30).ok());
    EXPECT_FALSE(LunarCalendar::ToDateValue(2000, 13, 1).ok());
    EXPECT_FALSE(LunarCalendar::ToDateValue(2000, 257, 1).ok());  // no wrap-around to January
    EXPECT_FALSE(LunarCalendar::ToDateValue(2000, 1, 257).ok());
}

}  // namespace
}  // namespace qelvar
