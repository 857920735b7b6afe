// Steps 38, 40, 41: the five pillars, the palace 纳音 and the pillar stars.
#include "chart/Pillars.h"

#include <gtest/gtest.h>

#include <chrono>

#include "ChartFixture.h"
#include "chart/PillarStars.h"

namespace qelvar {
namespace {

using test::kToday;
using test::Lunar;

std::string SolarText(int y, int m, int d) {
    return std::to_string(y) + "年" + std::to_string(m) + "月" + std::to_string(d) + "日 ";
}

TEST(DayPillar, KnownDays) {
    struct Row {
        int y, m, d;
        const char* pillar;
    };
    const Row rows[] = {
        {2000, 1, 1, "戊午"},                         // the base of a year <= 2000 with YY = 100
        {2001, 1, 1, "甲子"},  {1921, 3, 1, "癸亥"},  // stem sum -1 becomes 9
        {2024, 2, 29, "癸亥"},                        // leap year, but month 2 adds nothing
        {1949, 10, 1, "甲子"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(PillarText(DayPillarOf(r.y, r.m, r.d)), r.pillar)
            << r.y << "-" << r.m << "-" << r.d;
}

TEST(DayPillar, ContinuousSexagenaryCountOverTheWholeRange) {
    using namespace std::chrono;
    const sys_days base = sys_days{year{2000} / 1 / 1};  // 戊午, cycle number 54
    for (sys_days t = sys_days{year{1901} / 1 / 1}; t <= sys_days{year{2050} / 12 / 31};
         t += days{1}) {
        const year_month_day ymd{t};
        const int y = static_cast<int>(ymd.year());
        const int m = static_cast<int>(static_cast<unsigned>(ymd.month()));
        const int d = static_cast<int>(static_cast<unsigned>(ymd.day()));
        const int n = FloorMod(54 + static_cast<int>((t - base).count()), 60);
        const StemBranch got = DayPillarOf(y, m, d);
        ASSERT_EQ(got, (StemBranch{n % 10, n % 12})) << y << "-" << m << "-" << d;
    }
}

PillarInputs Inputs(int m, int d, int hour, int minute, int year) {
    return {.instant = {},  // the year and month pillars are tested on their own
            .birthYear = year,
            .birthMonth = m,
            .birthDay = d,
            .hour = hour,
            .minuteSlot = minute};
}

// An instant given on the clock of China Standard Time.
std::chrono::sys_seconds Cst(std::chrono::year_month_day date, int hour, int minute) {
    using namespace std::chrono;
    return sys_days{date} + hours{hour - 8} + minutes{minute};
}

// Moments used below (China Standard Time, as almanacs publish them):
// 立春 1984-02-04 23:19, 2000-02-04 20:40, 2021-02-03 22:59; 惊蛰
// 2000-03-05 14:43.  These rows replace day-granular ones: until the
// pillars compared instants, any time on the day of a 节 took the new
// month, so 1984-02-04 under 子 (23:05 the evening before) and at 23:05
// (before 23:19) were given 甲子/丙寅.
TEST(YearMonthPillarsAt, TurnAtTheMomentOfEachJie) {
    using namespace std::chrono;
    struct Row {
        const char* what;
        sys_seconds instant;
        const char *yearPillar, *monthPillar;
    };
    const Row rows[] = {
        {"hours before 立春", Cst(2000y / 2 / 4, 5, 5), "己卯", "丁丑"},
        {"a minute before 立春", Cst(2000y / 2 / 4, 20, 39), "己卯", "丁丑"},
        {"a minute after 立春", Cst(2000y / 2 / 4, 20, 41), "庚辰", "戊寅"},
        {"hours before 惊蛰", Cst(2000y / 3 / 5, 8, 5), "庚辰", "戊寅"},
        {"minutes after 惊蛰", Cst(2000y / 3 / 5, 14, 45), "庚辰", "己卯"},
        {"腊月 day after 立春", Cst(2021y / 2 / 5, 12, 0), "辛丑", "庚寅"},
        {"minutes before 立春 on 腊月 廿二", Cst(2021y / 2 / 3, 22, 55), "庚子", "己丑"},
        {"夜子 after 立春", Cst(2021y / 2 / 3, 23, 5), "辛丑", "庚寅"},
        {"正月 day before 立春 in a 甲子 year", Cst(1984y / 2 / 3, 12, 0), "癸亥", "乙丑"},
        {"day of 立春, before its moment", Cst(1984y / 2 / 4, 23, 5), "癸亥", "乙丑"},
        {"day of 立春, after its moment", Cst(1984y / 2 / 4, 23, 25), "甲子", "丙寅"},
        {"January after the lunar new year", Cst(2023y / 1 / 25, 12, 0), "壬寅", "癸丑"},
        {"lunar new year's day in January", Cst(2004y / 1 / 22, 12, 0), "癸未", "乙丑"},
        {"ordinary month", Cst(1990y / 7 / 15, 12, 0), "庚午", "癸未"},
    };
    for (const Row& r : rows) {
        const YearMonthPillars p = YearMonthPillarsAt(r.instant);
        EXPECT_EQ(PillarText(p.year), r.yearPillar) << r.what;
        EXPECT_EQ(PillarText(p.month), r.monthPillar) << r.what;
    }
}

TEST(ComputeFivePillars, HourAndFifthPillarsLedByDayAndHourStems) {
    // 2000-01-01 is a 戊午 day: hour 子 of a 戊 day is 壬子.
    const int text = 2000;
    FivePillars p = ComputeFivePillars(Inputs(1, 1, 0, 0, text));
    EXPECT_EQ(p.four.m_strHourPillar, "壬子");
    EXPECT_EQ(p.fifth, "庚子");  // led by the hour stem 壬
    // 2001-01-01 is 甲子: hour 子 gives 甲子; hour 寅 gives 丙寅, whose
    // sub-period 亥 is 己亥.
    const int text2 = 2001;
    p = ComputeFivePillars(Inputs(1, 1, 0, 11, text2));
    EXPECT_EQ(p.four.m_strHourPillar, "甲子");
    EXPECT_EQ(p.fifth, "乙亥");
    p = ComputeFivePillars(Inputs(1, 1, 2, 11, text2));
    EXPECT_EQ(p.four.m_strHourPillar, "丙寅");
    EXPECT_EQ(p.fifth, "己亥");
    // 1984-02-02 is a 丙寅 day: hour 子 is 戊子, and sub-period 亥 under an
    // hour stem 戊 is 癸亥.
    const int text3 = 1984;
    p = ComputeFivePillars(Inputs(2, 2, 0, 11, text3));
    EXPECT_EQ(p.four.m_strDayPillar, "丙寅");
    EXPECT_EQ(p.four.m_strHourPillar, "戊子");
    EXPECT_EQ(p.fifth, "癸亥");
}

TEST(ComputePillars, PillarAndNayinLines) {
    BirthData b = Lunar(1990, 6, 24, 6);
    b.g_strSolarYear = "1990";
    b.g_strSolarMonth = "7";
    b.g_strSolarDay = "15";
    b.g_strSolarText = SolarText(1990, 7, 15);
    b.g_nSolarMonth = 6;
    ZiWeiChart z(b, kToday);
    z.ComputePillars();
    EXPECT_EQ(z.Grid().GetSlotText(2190), "庚午     癸未     辛巳     甲午⑤甲子");
    EXPECT_EQ(z.Grid().GetSlotText(2193), "路傍土   杨柳木   白蜡金   砂中金");
    EXPECT_EQ(z.Pillars().m_strDayPillar, "辛巳");
}

TEST(NayinOf, PairsOfTheSexagenaryCycle) {
    const std::pair<const char*, const char*> rows[] = {
        {"甲子", "海中金"}, {"乙丑", "海中金"}, {"丙寅", "炉中火"},
        {"壬戌", "大海水"}, {"癸亥", "大海水"}, {"庚午", "路傍土"},
        {"戊申", "大驿土"}, {"丁酉", "山下火"}, {"干寅", "大溪水"},  // no stem name: stem 0
    };
    for (const auto& [pillar, nayin] : rows) EXPECT_EQ(NayinOf(pillar), nayin) << pillar;
}

TEST(ShowPalaceNayin, StemSlotWithTheCellsBranch) {
    ZiWeiChart z(Lunar(1984, 1, 1, 0), kToday);
    z.ShowPalaceStems();  // 甲 year: 寅 丙, 卯 丁, ... 子 丙, 丑 丁
    z.ShowPalaceNayin();
    EXPECT_EQ(test::At(z, slot::kNayin, "寅"), "炉中火");  // 丙寅
    EXPECT_EQ(test::At(z, slot::kNayin, "子"), "涧下水");  // 丙子
    EXPECT_EQ(test::At(z, slot::kNayin, "亥"), "山头火");  // 乙亥
}

TEST(PillarStars, LookupsTakeTheFirstMatchingRow) {
    const Stem yi = 1, jia = 0;
    EXPECT_EQ(StemStarOf(yi, 6), "文昌贵人");        // 乙 day, 午: before 红艳
    EXPECT_EQ(YearBranchStarOf(0, 9), "桃花    ");   // 子 year, 酉: before 天喜
    EXPECT_EQ(StemStarOf(jia, 2), "干禄    ");       // 甲寅 day
    EXPECT_EQ(DayBranchStarOf(9, 1), "华盖    ");    // 酉 day, 丑: 墓 of 巳酉丑
    EXPECT_EQ(DayBranchStarOf(9, 7), "        ");    // 酉 day, 未: nothing
    EXPECT_EQ(DayBranchStarOf(0, 4), "华盖    ");    // 子 day, 辰
    EXPECT_EQ(YearBranchStarOf(8, 4), "华盖    ");   // 申 year, 辰
    EXPECT_EQ(YearBranchStarOf(2, 10), "华盖    ");  // 寅 year, 戌
    EXPECT_EQ(YearBranchStarOf(3, 7), "华盖    ");   // 卯 year, 未
}

// Stages the four pillars of the chart.
void Pillars(ZiWeiChart& z, std::initializer_list<const char*> texts) {
    int i = 0;
    for (const char* t : texts) z.MutableValue().pillars[i++] = ParsePillar(t);
}

TEST(ComputePillarStars, ThreeAlignedLines) {
    ZiWeiChart z(Lunar(2000, 1, 1, 6), kToday);
    Pillars(z, {"乙巳", "辛巳", "丁巳", "乙巳"});  // nothing matches a 丁 day on 巳 branches
    z.ComputePillarStars();
    const std::string blank(35, ' ');
    EXPECT_EQ(z.Grid().GetSlotText(2185), blank + "\r\n" + blank + "\r\n" + blank + "\r\n");

    Pillars(z, {"辛丑", "丁酉", "乙酉", "壬午"});
    z.ComputePillarStars();
    // Line 1, key 丑: 酉 将星, 酉 将星, 午 桃花.  Line 2, key 乙: 丑 blank,
    // 酉 blank, 酉 blank, 午 文昌贵人.  Line 3, key 酉: 丑 华盖, 酉 将星, 午 桃花.
    const std::string none(8, ' '), untested(9, ' ');
    EXPECT_EQ(z.Grid().GetSlotText(2185),
              untested + "将星     " + "将星     " + "桃花    \r\n" +      //
                  none + " " + none + " " + none + " " + "文昌贵人\r\n" +  //
                  "华盖     " + "将星     " + untested + "桃花    \r\n");
}

}  // namespace
}  // namespace qelvar
