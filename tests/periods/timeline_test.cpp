// The timeline: where the first step starts, stepping by year, decade and
// month (leap months included), clicks on the rows, and the layers shown.
#include "periods/Timeline.h"

#include <gtest/gtest.h>

#include "PeriodsFixture.h"

namespace qelvar::test {
namespace {

// Gregorian 2000-02-05 = lunar 2000-01-01, hour 午, a man: 水二局, decades
// from 2-11 (2001-2010) forward.
const Cast& Chart2000() {
    static const Cast c = CastBirth(2000, 2, 5, 6, 0);
    return c;
}

SolarDate D(int y, int m, int d) {
    return {static_cast<std::uint16_t>(y), static_cast<std::uint16_t>(m),
            static_cast<std::uint16_t>(d)};
}

struct StepCase {
    const char* name;
    SolarDate today;
    std::vector<TimelineKey> keys;
    SolarDate target;
    TimelineDepth depth;
};

// Known dates: 2020 四月初一 = 04-23, 闰四月初一 = 05-23, 五月初一 = 06-21;
// 2021 四月初一 = 05-12; 2019 四月初一 = 05-05; 2010 四月初一 = 05-14.
TEST(TimelineSteps, FromTodayByYearDecadeAndMonth) {
    using K = TimelineKey;
    using Dp = TimelineDepth;
    const StepCase cases[] = {
        {"the first step starts at today", D(2020, 5, 1), {K::YearOn}, D(2020, 5, 1), Dp::Year},
        {"the first decade step starts at today",
         D(2020, 5, 1),
         {K::DecadeOn},
         D(2020, 5, 1),
         Dp::Decade},
        {"a month through the leap month: 四月初九 to 闰四月初九",
         D(2020, 5, 1),
         {K::MonthOn, K::MonthOn},
         D(2020, 5, 31),
         Dp::Month},
        {"past the leap month to 五月初九",
         D(2020, 5, 1),
         {K::MonthOn, K::MonthOn, K::MonthOn},
         D(2020, 6, 29),
         Dp::Month},
        {"back again to 四月初九",
         D(2020, 5, 1),
         {K::MonthOn, K::MonthOn, K::MonthBack},
         D(2020, 5, 1),
         Dp::Month},
        {"a year on keeps 四月初九 (2021)",
         D(2020, 5, 1),
         {K::YearOn, K::YearOn},
         D(2021, 5, 20),
         Dp::Year},
        {"from 闰四月 a year back lands in 四月 (2019)",
         D(2020, 5, 31),
         {K::YearOn, K::YearBack},
         D(2019, 5, 13),
         Dp::Year},
        {"a month step deepens a year selection",
         D(2020, 5, 1),
         {K::YearOn, K::MonthOn},
         D(2020, 5, 31),
         Dp::Month},
        {"a decade step keeps a deeper selection",
         D(2020, 5, 1),
         {K::MonthOn, K::DecadeBack},
         D(2010, 5, 22),
         Dp::Month},
        {"Home goes back to natal",
         D(2020, 5, 1),
         {K::YearOn, K::YearOn, K::Natal},
         D(2020, 5, 1),
         Dp::Natal},
    };
    for (const StepCase& c : cases) {
        LunarCalendar calendar;
        Timeline t(Chart2000().natal, calendar, c.today);
        for (const K k : c.keys) t.Step(k);
        EXPECT_EQ(t.Target(), c.target) << c.name;
        EXPECT_EQ(t.Depth(), c.depth) << c.name;
    }
}

TEST(TimelineSteps, TodayOutsideTheRangeStartsAtTheChartsYear) {
    LunarCalendar calendar;
    Timeline t(Chart2000().natal, calendar, D(1990, 6, 1));  // before the birth
    t.Step(TimelineKey::YearOn);
    EXPECT_EQ(t.Target(), D(2000, 2, 5));  // 正月初一 of 2000
}

TEST(TimelineSteps, StopsAtTheEndOfTheCalendar) {
    LunarCalendar calendar;
    Timeline t(Chart2000().natal, calendar, D(2050, 6, 1));
    EXPECT_TRUE(t.Step(TimelineKey::YearOn));   // starts at 2050
    EXPECT_FALSE(t.Step(TimelineKey::YearOn));  // no lunar 2051 in the calendar
    EXPECT_EQ(t.TargetLunar().year, 2050);
}

TEST(TimelineRows, DecadesYearsMonthsDaysHours) {
    LunarCalendar calendar;
    Timeline t(Chart2000().natal, calendar, D(2020, 5, 1));
    const std::vector<TimelineItem> decades = t.Row(TimelineRow::Decade);
    ASSERT_EQ(decades.size(), 12u);
    EXPECT_EQ(decades[0].label, "2-11");
    EXPECT_EQ(decades[0].second, "2001-2010");
    EXPECT_EQ(decades[11].label, "112-121");
    EXPECT_TRUE(decades[4].enabled);    // 42-51: 2041-2050
    EXPECT_FALSE(decades[5].enabled);   // 52-61 begins in 2051, past the calendar
    EXPECT_FALSE(decades[2].selected);  // natal: nothing selected

    t.Step(TimelineKey::MonthOn);
    const std::vector<TimelineItem> years = t.Row(TimelineRow::Year);
    ASSERT_EQ(years.size(), 10u);  // 12-21: 2011-2020
    EXPECT_EQ(years.front().label, "2011");
    EXPECT_TRUE(years.back().selected);
    EXPECT_TRUE(t.Row(TimelineRow::Decade)[1].selected);

    const std::vector<TimelineItem> months = t.Row(TimelineRow::Month);
    ASSERT_EQ(months.size(), 13u);  // 2020 has a leap fourth month
    EXPECT_EQ(months[3].label, "四");
    EXPECT_EQ(months[4].label, "闰四");
    EXPECT_EQ(months[12].label, "腊");
    EXPECT_TRUE(months[3].selected);

    EXPECT_EQ(t.Row(TimelineRow::Day).size(), 30u);     // 2020 四月 has 30 days (04-23 .. 05-22)
    EXPECT_FALSE(t.Row(TimelineRow::Day)[8].selected);  // the day is not chosen yet
    EXPECT_EQ(t.Row(TimelineRow::Hour).size(), 12u);
}

TEST(TimelineSelect, ClicksChooseTheItemAndTheDepth) {
    LunarCalendar calendar;
    Timeline t(Chart2000().natal, calendar, D(2020, 5, 1));
    // A decade that holds today keeps today.
    EXPECT_TRUE(t.Select(TimelineRow::Decade, 1));
    EXPECT_EQ(t.Target(), D(2020, 5, 1));
    EXPECT_EQ(t.ShownLayers(), std::vector<LayerKind>{LayerKind::Decade});
    // Another decade: the same month and day in its first year, 2001 四月初九.
    EXPECT_TRUE(t.Select(TimelineRow::Decade, 0));
    EXPECT_EQ(t.TargetLunar().year, 2001);
    EXPECT_EQ(t.TargetLunar().month, 4);
    EXPECT_EQ(t.TargetLunar().day, 9);
    EXPECT_FALSE(t.Select(TimelineRow::Decade, 6));  // past the calendar
    // Back to 2020, then its leap month, a day and a double-hour.
    EXPECT_TRUE(t.Select(TimelineRow::Decade, 1));
    EXPECT_TRUE(t.Select(TimelineRow::Year, 9));
    EXPECT_TRUE(t.Select(TimelineRow::Month, 4));
    EXPECT_EQ(t.Target(), D(2020, 5, 31));
    EXPECT_TRUE(t.Select(TimelineRow::Day, 0));
    EXPECT_EQ(t.Target(), D(2020, 5, 23));  // 闰四月初一
    EXPECT_TRUE(t.Select(TimelineRow::Hour, 6));
    EXPECT_EQ(t.Depth(), TimelineDepth::Hour);
    const std::optional<HoroscopeRequest> r = t.Request();
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->hour, 6);
    EXPECT_EQ(t.ShownLayers(),
              (std::vector<LayerKind>{LayerKind::Decade, LayerKind::Minor, LayerKind::Year,
                                      LayerKind::Month, LayerKind::Day, LayerKind::Hour}));
    EXPECT_FALSE(t.Select(TimelineRow::Hour, 12));  // no such item
}

}  // namespace
}  // namespace qelvar::test
