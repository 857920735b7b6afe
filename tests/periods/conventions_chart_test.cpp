// Each convention switch on a built birth changes what it names and nothing
// else: the birth-data fields it owns, and through them the chart.
#include <gtest/gtest.h>

#include "PeriodsFixture.h"

namespace qelvar::test {
namespace {

constexpr ChartConventions kNextDay{LateZi::NextDay, LeapMonthRule::Whole, YearStart::NewYear, {}};
constexpr ChartConventions kSplit{LateZi::SameDay, LeapMonthRule::Split, YearStart::NewYear, {}};
constexpr ChartConventions kLichun{LateZi::SameDay, LeapMonthRule::Whole, YearStart::Lichun, {}};

BirthData Built(int y, int m, int d, int hour) {
    const BirthBuild b = BirthFromSolar(
        std::chrono::year_month_day{std::chrono::year{y}, std::chrono::month{unsigned(m)},
                                    std::chrono::day{unsigned(d)}},
        BirthTime{.doubleHour = hour, .minuteSlot = 0, .sex = 0, .instant = std::nullopt});
    EXPECT_TRUE(b.ok());
    return *b.birth;
}

Chart CastValue(const BirthData& birth) {
    ZiWeiChart chart(birth, kToday);
    chart.RunChartSteps();
    return chart.Value();
}

ChartGrid CastGrid(const BirthData& birth) {
    ZiWeiChart chart(birth, kToday);
    chart.RunChartSteps();
    return chart.Grid();
}

// The slots whose texts differ between two grids.
std::vector<int> Differing(const ChartGrid& a, const ChartGrid& b) {
    std::vector<int> ids;
    for (const int id : ChartGrid::SlotIds())
        if (a.GetSlotText(id) != b.GetSlotText(id)) ids.push_back(id);
    return ids;
}

bool Contains(const std::vector<int>& ids, int id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

TEST(ConventionSwitch, NextDayMovesTheLunarDateAndTheDayPillarOnly) {
    const BirthData base = Built(2000, 2, 5, 12);  // 夜子 of 正月初一
    const BirthData moved = *ApplyConventions(base, kNextDay);
    BirthData expected = base;
    expected.g_strLunarDay = "2";
    expected.g_strLunarText = "龙(庚辰)年正月初二";
    expected.g_nDayPillarShift = 1;
    EXPECT_EQ(moved, expected);

    const ChartGrid a = CastGrid(base), b = CastGrid(moved);
    EXPECT_EQ(a.GetSlotText(slot::kFivePillars), "庚辰     戊寅     癸巳     壬子⑤庚子");
    EXPECT_EQ(b.GetSlotText(slot::kFivePillars), "庚辰     戊寅     甲午     甲子⑤甲子");
    EXPECT_EQ(b.GetSlotText(slot::kLunarLine), "农历：龙(庚辰)年正月初二");
    const std::vector<int> differ = Differing(a, b);
    for (const int same : {slot::kSolarLine, slot::kDaysLived, slot::kFourTransformations,
                           slot::kDouJun, slot::kBureau})
        EXPECT_FALSE(Contains(differ, same)) << same;
}

TEST(ConventionSwitch, SplitMovesTheChartMonthOnly) {
    const BirthData base = Built(2023, 4, 6, 6);  // 闰二月十六 午
    const BirthData split = *ApplyConventions(base, kSplit);
    BirthData expected = base;
    expected.g_strLunarMonth = "3";
    EXPECT_EQ(split, expected);

    const ChartGrid a = CastGrid(base), b = CastGrid(split);
    // 命宫 = month forward from 寅, hour back: 酉 for month 2, 戌 for month 3;
    // at 午 the body shares it.
    EXPECT_EQ(a.GetSlotText(slot::kPalaceName.Slot(CellOfBranch(B("酉")))), "命★身");
    EXPECT_EQ(b.GetSlotText(slot::kPalaceName.Slot(CellOfBranch(B("戌")))), "命★身");
    const std::vector<int> differ = Differing(a, b);
    for (const int same : {slot::kSolarLine, slot::kLunarLine, slot::kDaysLived, slot::kFivePillars,
                           slot::kFourTransformations, slot::kBodyRuler})
        EXPECT_FALSE(Contains(differ, same)) << same;
}

TEST(ConventionSwitch, LichunMovesTheChartYearNotThePillars) {
    const BirthData base = Built(2000, 2, 4, 6);  // 腊月廿九, the day of 立春
    const BirthData lichun = *ApplyConventions(base, kLichun);
    BirthData expected = base;
    expected.g_strLunarYear = "2000";
    EXPECT_EQ(lichun, expected);

    const ChartGrid a = CastGrid(base), b = CastGrid(lichun);
    EXPECT_EQ(a.GetSlotText(slot::kFourTransformations), "武曲[禄]贪狼[权]天梁[科]文曲[忌]");
    EXPECT_EQ(b.GetSlotText(slot::kFourTransformations), "太阳[禄]武曲[权]太阴[科]天同[忌]");
    EXPECT_EQ(a.GetSlotText(slot::kBodyRuler), "身主天同");
    EXPECT_EQ(b.GetSlotText(slot::kBodyRuler), "身主文昌");
    // The pillars turn at the moment of 立春 (20:40), after this birth at 午:
    // 己卯 in both.
    EXPECT_EQ(a.GetSlotText(slot::kFivePillars).substr(0, 6), "己卯");
    const std::vector<int> differ = Differing(a, b);
    for (const int same :
         {slot::kSolarLine, slot::kLunarLine, slot::kDaysLived, slot::kFivePillars, slot::kDouJun})
        EXPECT_FALSE(Contains(differ, same)) << same;

    // The age and the decade years count from the chart's year.
    const LunarCalendar calendar;
    const NatalChart natal = ReadNatalChart(CastValue(lichun));
    EXPECT_EQ(ComputeHoroscope(natal, {2025, 6, 1, {}}, calendar).horoscope.age, 26);
    EXPECT_EQ(Decades(natal)[0].firstYear, 2000 + Decades(natal)[0].firstAge - 1);
    EXPECT_EQ(
        ComputeHoroscope(ReadNatalChart(CastValue(base)), {2025, 6, 1, {}}, calendar).horoscope.age,
        27);
}

TEST(ConventionSwitch, NothingChangesWhereASwitchDoesNotApply) {
    struct Row {
        const char* name;
        BirthData birth;
        ChartConventions conventions;
    };
    const Row rows[] = {
        {"next-day on 子", Built(2000, 2, 5, 0), kNextDay},
        {"split on an ordinary 二月十六", Built(2023, 3, 7, 6), kSplit},
        {"split on 闰二月十五", Built(2023, 4, 5, 6), kSplit},
        {"lichun after both 立春 and the new year", Built(2000, 2, 10, 6), kLichun},
        {"lichun before both", Built(2000, 1, 20, 6), kLichun},
    };
    for (const Row& r : rows)
        EXPECT_EQ(*ApplyConventions(r.birth, r.conventions), r.birth) << r.name;
}

TEST(ConventionSwitch, NextDayPastTheCalendarIsNoBirth) {
    EXPECT_FALSE(ApplyConventions(Built(2051, 2, 10, 12), kNextDay));
}

}  // namespace
}  // namespace qelvar::test
