// Moments of the solar terms: published instants, agreement with the table
// of term days, the spacing of the terms, and the lookup of the last 节.
#include <gtest/gtest.h>

#include <chrono>

#include "calendar/LunarCalendar.h"
#include "calendar/SolarTermMoments.h"

namespace qelvar {
namespace {

using namespace std::chrono;

sys_seconds Utc(year_month_day d, int hour, int minute) {
    return sys_days{d} + hours{hour} + minutes{minute};
}

// Published to the minute: equinoxes and solstices (UTC, as the US Naval
// Observatory lists them) and 立春 and 惊蛰 as Chinese almanacs give them in
// China Standard Time, here less eight hours.  Within 90 seconds.
TEST(SolarTermMoments, AgreeWithPublishedMoments) {
    struct Row {
        const char* what;
        int year, index;
        sys_seconds published;
    };
    const Row rows[] = {
        {"立春 2000 (20:40 CST)", 2000, 3, Utc(2000y / 2 / 4, 12, 40)},
        {"惊蛰 2000 (14:43 CST)", 2000, 5, Utc(2000y / 3 / 5, 6, 43)},
        {"春分 2000", 2000, 6, Utc(2000y / 3 / 20, 7, 35)},
        {"夏至 2000", 2000, 12, Utc(2000y / 6 / 21, 1, 48)},
        {"秋分 2000", 2000, 18, Utc(2000y / 9 / 22, 17, 28)},
        {"冬至 2000", 2000, 24, Utc(2000y / 12 / 21, 13, 37)},
        {"春分 2010", 2010, 6, Utc(2010y / 3 / 20, 17, 32)},
        {"夏至 2010", 2010, 12, Utc(2010y / 6 / 21, 11, 28)},
        {"秋分 2010", 2010, 18, Utc(2010y / 9 / 23, 3, 9)},
        {"冬至 2010", 2010, 24, Utc(2010y / 12 / 21, 23, 38)},
        {"春分 2020", 2020, 6, Utc(2020y / 3 / 20, 3, 50)},
        {"夏至 2020", 2020, 12, Utc(2020y / 6 / 20, 21, 44)},
        {"秋分 2020", 2020, 18, Utc(2020y / 9 / 22, 13, 31)},
        {"冬至 2020", 2020, 24, Utc(2020y / 12 / 21, 10, 2)},
        {"春分 2024", 2024, 6, Utc(2024y / 3 / 20, 3, 6)},
        {"夏至 2024", 2024, 12, Utc(2024y / 6 / 20, 20, 51)},
        {"秋分 2024", 2024, 18, Utc(2024y / 9 / 22, 12, 44)},
        {"冬至 2024", 2024, 24, Utc(2024y / 12 / 21, 9, 20)},
        {"立春 1984 (23:19 CST)", 1984, 3, Utc(1984y / 2 / 4, 15, 19)},
        {"立春 2020 (17:03 CST)", 2020, 3, Utc(2020y / 2 / 4, 9, 3)},
        {"立春 2021 (22:59 CST)", 2021, 3, Utc(2021y / 2 / 3, 14, 59)},
        {"立春 2022 (04:51 CST)", 2022, 3, Utc(2022y / 2 / 3, 20, 51)},
        {"立春 2023 (10:42 CST)", 2023, 3, Utc(2023y / 2 / 4, 2, 42)},
        {"立春 2024 (16:27 CST)", 2024, 3, Utc(2024y / 2 / 4, 8, 27)},
    };
    for (const Row& r : rows) {
        const seconds off = SolarTermMoment(r.year, r.index) - r.published;
        EXPECT_LE(abs(off.count()), 90) << r.what << ": off by " << off.count() << " s";
    }
}

// Every moment falls, in China Standard Time, on the day the term table
// gives, inside the term's own Gregorian month.
TEST(SolarTermMoments, FallOnTheDaysOfTheTermTable) {
    const LunarCalendar cal;
    for (int y = kFirstTermYear; y <= kLastTermYear; ++y) {
        for (int index = 1; index <= 24; ++index) {
            const sys_seconds cst = SolarTermMoment(y, index) + hours{8};
            const year_month_day d{floor<days>(cst)};
            ASSERT_EQ(static_cast<int>(d.year()), y) << y << " term " << index;
            ASSERT_EQ(static_cast<unsigned>(d.month()), static_cast<unsigned>((index + 1) / 2))
                << y << " term " << index;
            EXPECT_EQ(cal.SolarTermIndex(y, static_cast<int>(static_cast<unsigned>(d.month())),
                                         static_cast<int>(static_cast<unsigned>(d.day()))),
                      index)
                << y << " term " << index;
        }
    }
}

// The Sun takes 14.7 to 15.8 days for each 15 degrees (fastest in January).
TEST(SolarTermMoments, FollowEachOtherAtAboutFifteenDays) {
    sys_seconds previous = SolarTermMoment(kFirstTermYear, 1);
    for (int y = kFirstTermYear; y <= kLastTermYear; ++y) {
        for (int index = (y == kFirstTermYear ? 2 : 1); index <= 24; ++index) {
            const sys_seconds t = SolarTermMoment(y, index);
            EXPECT_GT(t - previous, hours{24 * 14 + 12}) << y << " term " << index;
            EXPECT_LT(t - previous, hours{24 * 16}) << y << " term " << index;
            previous = t;
        }
    }
}

TEST(LastJieAtOrBefore, TakesTheJieFromItsMomentOn) {
    struct Row {
        const char* what;
        sys_seconds instant;
        Jie expected;
    };
    const sys_seconds liChun2000 = SolarTermMoment(2000, 3);
    const sys_seconds xiaoHan2001 = SolarTermMoment(2001, 1);
    const Row rows[] = {
        {"at 立春", liChun2000, {2000, 3}},
        {"a second before 立春: 小寒", liChun2000 - seconds{1}, {2000, 1}},
        {"雨水 is no 节", SolarTermMoment(2000, 4), {2000, 3}},
        {"a second before 小寒: 大雪 of the year before", xiaoHan2001 - seconds{1}, {2000, 23}},
        {"at 小寒", xiaoHan2001, {2001, 1}},
        {"new year's eve UTC", Utc(2000y / 12 / 31, 23, 59), {2000, 23}},
        {"before the table", Utc(1800y / 1 / 1, 0, 0), {kFirstTermYear, 1}},
        {"after the table", Utc(2100y / 1 / 1, 0, 0), {kLastTermYear, 23}},
    };
    for (const Row& r : rows) {
        const Jie j = LastJieAtOrBefore(r.instant);
        EXPECT_EQ(j, r.expected) << r.what << ": " << j.year << " term " << j.index;
    }
}

}  // namespace
}  // namespace qelvar
