// Exhaustive day-by-day checks over the whole range 1901-02-19 .. 2051-02-10.
#include <gtest/gtest.h>

#include "CalendarTestUtil.h"

namespace qelvar {
namespace {

using test::kFirstDay;
using test::kLastDay;
using test::SolarOfDays;

TEST(RoundTrip, EveryDayConvertsAndConvertsBackToItself) {
    LunarCalendar cal;
    int failures = 0;
    for (int g = kFirstDay; g <= kLastDay && failures < 10; ++g) {
        const SolarDate s = SolarOfDays(g);
        const auto l = cal.SolarToLunar(s);
        if (!l) {
            ADD_FAILURE() << s.year << "-" << s.month << "-" << s.day << " does not convert";
            ++failures;
            continue;
        }
        const auto back = cal.LunarToSolar(*l);
        if (!back || !(*back == s)) {
            ADD_FAILURE() << s.year << "-" << s.month << "-" << s.day << " does not come back";
            ++failures;
        }
    }
}

TEST(RoundTrip, ConsecutiveDaysGiveConsecutiveLunarDays) {
    LunarCalendar cal;
    auto prev = cal.SolarToLunar(SolarOfDays(kFirstDay));
    ASSERT_TRUE(prev);
    for (int g = kFirstDay + 1; g <= kLastDay; ++g) {
        const auto cur = cal.SolarToLunar(SolarOfDays(g));
        ASSERT_TRUE(cur);
        if (cur->day != 1) {
            ASSERT_EQ(cur->day, prev->day + 1) << "day count " << g;
            ASSERT_EQ(cur->month, prev->month);
            ASSERT_EQ(cur->leap, prev->leap);
        } else {
            ASSERT_TRUE(prev->day == 29 || prev->day == 30) << "day count " << g;
        }
        prev = cur;
    }
}

TEST(RoundTrip, JustOutsideTheRangeFails) {
    LunarCalendar cal;
    EXPECT_FALSE(cal.SolarToLunar(SolarOfDays(kFirstDay - 1)));  // 1901-02-18
    EXPECT_FALSE(cal.SolarToLunar(SolarOfDays(kLastDay + 1)));   // 2051-02-11
    EXPECT_FALSE(cal.SolarToLunar({1, 1, 1}));
    EXPECT_FALSE(cal.SolarToLunar({65535, 12, 31}));
}

TEST(RoundTrip, SolarToLunarMatchesThePlainTableWalkOnEveryDay) {
    LunarCalendar cal;
    // From a little before to a little after the range, so both ends count.
    for (int g = kFirstDay - 40; g <= kLastDay + 40; ++g) {
        const SolarDate s = SolarOfDays(g);
        const auto got = cal.SolarToLunar(s);
        const auto want = test::ReferenceSolarToLunar(s.year, s.month, s.day);
        ASSERT_EQ(got.has_value(), want.has_value()) << "day count " << g;
        if (got) {
            ASSERT_EQ(*got, *want) << "day count " << g;
        }
    }
}

TEST(RoundTrip, LunarToSolarMatchesTheForwardSearchOnEveryNumberedDate) {
    // Every (year, month, day, leap) record around the range, including
    // days that do not exist, leap flags that do not fit and the flag 2.
    LunarCalendar cal;
    for (int y = 1900; y <= 2051; ++y) {
        for (int m = 0; m <= 13; ++m) {
            for (int d = 0; d <= 31; ++d) {
                for (int leap = 0; leap <= 2; ++leap) {
                    const LunarDate in{static_cast<std::uint16_t>(y), static_cast<std::uint16_t>(m),
                                       static_cast<std::uint16_t>(d), leap};
                    const auto got = cal.LunarToSolar(in);
                    const auto want = test::ReferenceLunarToSolar(cal, in);
                    ASSERT_EQ(got.has_value(), want.has_value())
                        << y << "-" << m << "-" << d << " leap " << leap;
                    if (got) {
                        ASSERT_EQ(*got, *want) << y << "-" << m << "-" << d;
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace qelvar
