// The typed builder: birth data from a Gregorian or lunar date and the
// double-hour, sub-period and sex; the birth instant of a time given the
// old way; the reasons a build fails.
#include "birth/BirthBuilder.h"

#include <gtest/gtest.h>

#include "form/BirthForm.h"

namespace qelvar {
namespace {

using namespace std::chrono;
using namespace std::chrono_literals;

constexpr year_month_day kToday{year{2026}, month{12}, day{7}};

BirthTime Time(int doubleHour, int minuteSlot = 0, int sex = 0) {
    return {.doubleHour = doubleHour, .minuteSlot = minuteSlot, .sex = sex, .instant = {}};
}

sys_seconds Utc(year_month_day d, hours h, minutes m) {
    return sys_days{d} + h + m;
}

// Worked by hand: double-hour h > 0 starts at 2h - 1 o'clock China Standard
// Time, 子 at 23:00 the evening before, 夜子 at 23:00 the same evening; the
// instant is the start plus 10 * slot + 5 minutes, less eight hours.
TEST(BirthInstant, MiddleOfTheSubPeriodInChinaStandardTime) {
    struct Row {
        const char* what;
        year_month_day date;
        int hour, slot;
        sys_seconds utc;
    };
    const Row rows[] = {
        {"卯 slot 0 is 05:05", 2000y / 2 / 4, 3, 0, Utc(2000y / 2 / 3, 21h, 5min)},
        {"辰 slot 6 is 08:05", 2000y / 3 / 5, 4, 6, Utc(2000y / 3 / 5, 0h, 5min)},
        {"子 slot 9 is 00:35 of the date", 2000y / 1 / 1, 0, 9, Utc(1999y / 12 / 31, 16h, 35min)},
        {"子 slot 0 is 23:05 the evening before", 2000y / 1 / 1, 0, 0,
         Utc(1999y / 12 / 31, 15h, 5min)},
        {"夜子 slot 3 is 23:35 of the date", 2000y / 1 / 1, 12, 3, Utc(2000y / 1 / 1, 15h, 35min)},
        {"亥 slot 11 is 22:55", 2000y / 1 / 1, 11, 11, Utc(2000y / 1 / 1, 14h, 55min)},
        {"丑 slot 0 is 01:05", 2000y / 1 / 1, 1, 0, Utc(1999y / 12 / 31, 17h, 5min)},
    };
    for (const Row& r : rows) {
        const BirthBuild b = BirthFromSolar(r.date, Time(r.hour, r.slot));
        ASSERT_TRUE(b.ok()) << r.what;
        EXPECT_EQ(b.birth->g_tBirthInstant, r.utc) << r.what;
    }
}

TEST(BirthInstant, AGivenInstantIsKept) {
    const sys_seconds given = Utc(2000y / 2 / 4, 12h, 41min);
    const BirthBuild b = BirthFromSolar(
        2000y / 2 / 4, {.doubleHour = 10, .minuteSlot = 0, .sex = 0, .instant = given});
    ASSERT_TRUE(b.ok());
    EXPECT_EQ(b.birth->g_tBirthInstant, given);
}

TEST(BirthFromSolar, FillsEveryField) {
    const BirthBuild b = BirthFromSolar(2000y / 2 / 5, Time(12, 4, 1));
    ASSERT_TRUE(b.ok());
    const BirthData& d = *b.birth;
    EXPECT_EQ(d.g_strSolarText, "2000年2月5日 ");
    EXPECT_EQ(d.g_strLunarText, "龙(庚辰)年正月初一");
    EXPECT_EQ(d.g_nSolarMonth, 13);
    EXPECT_EQ(d.g_strLunarYear + "-" + d.g_strLunarMonth + "-" + d.g_strLunarDay, "2000-1-1");
    EXPECT_EQ(d.g_nHour, 0);  // 夜子 charted as 子 of the same date
    EXPECT_EQ(d.g_nDoubleHour, 12);
    EXPECT_EQ(d.g_nMinuteSlot, 4);
    EXPECT_EQ(d.g_nSex, 1);
    EXPECT_EQ(d.g_tBirthInstant, Utc(2000y / 2 / 5, 15h, 45min));  // 23:45 CST
}

TEST(BirthFromLunar, LeapMonthGivesItsNumberAndTheLeapText) {
    const BirthBuild b = BirthFromLunar(LunarDate{2020, 4, 1, 1}, Time(6));
    ASSERT_TRUE(b.ok());
    EXPECT_EQ(
        b.birth->g_strSolarYear + "-" + b.birth->g_strSolarMonth + "-" + b.birth->g_strSolarDay,
        "2020-5-23");
    EXPECT_EQ(b.birth->g_strLunarMonth, "4");
    EXPECT_EQ(b.birth->g_strLunarText, "鼠(庚子)年闰四月初一");
    EXPECT_EQ(b.birth->g_nHour, 6);
}

TEST(BuildBirth, RefusesWithAReason) {
    struct Row {
        const char* what;
        BirthBuild build;
        std::string_view error;
    };
    const Row rows[] = {
        {"before the calendar", BirthFromSolar(1901y / 2 / 18, {}), kErrorDate},
        {"after the calendar", BirthFromSolar(2051y / 2 / 12, {}), kErrorDate},
        {"no Gregorian date", BirthFromSolar(2000y / 2 / 30, {}), kErrorDate},
        {"no such leap month", BirthFromLunar(LunarDate{2020, 5, 1, 1}, {}), kErrorDate},
        // 闰四月 of 2020 runs from 5-23 to 6-20: 29 days.
        {"day 30 of a 29-day month", BirthFromLunar(LunarDate{2020, 4, 30, 1}, {}), kErrorDate},
        {"double-hour past 夜子", BirthFromSolar(2000y / 2 / 5, Time(13)), kErrorTime},
        {"no double-hour", BirthFromSolar(2000y / 2 / 5, Time(-1)), kErrorTime},
        {"sub-period past 11", BirthFromSolar(2000y / 2 / 5, Time(0, 12)), kErrorTime},
    };
    for (const Row& r : rows) {
        EXPECT_FALSE(r.build.ok()) << r.what;
        EXPECT_EQ(r.build.error, r.error) << r.what;
    }
}

// The form's cast button and the builder store the same birth data, for
// every double-hour including 夜子.
TEST(BirthForm, CastsWhatTheBuilderBuilds) {
    BirthData birth;
    BirthForm form(birth, kToday);
    form.m_dateSolar = 1988y / 6 / 15;
    form.UpdateFromSolar();
    for (int hour = 0; hour <= 12; ++hour) {
        form.m_nHourSelection = hour;
        form.m_nMinuteSelection = 11 - hour % 12;
        form.m_bMale = hour % 2 == 0;
        ASSERT_TRUE(form.CastChart());
        const BirthBuild b = BirthFromSolar(1988y / 6 / 15, Time(hour, 11 - hour % 12, hour % 2));
        ASSERT_TRUE(b.ok());
        EXPECT_EQ(birth, *b.birth) << hour;
    }
}

}  // namespace
}  // namespace qelvar
