// Invariants that hold for every year of the lunar table, seen through the
// conversions: month lengths, year lengths, leap months.
#include <gtest/gtest.h>

#include <vector>

#include "CalendarTestUtil.h"

namespace qelvar {
namespace {

using test::kFirstDay;
using test::kLastDay;
using test::SolarOfDays;

struct MonthRun {
    int month;
    int leap;
    int length;
};

// The months of every lunar year, in order, as SolarToLunar lays them out.
std::vector<std::vector<MonthRun>> MonthsByYear() {
    LunarCalendar cal;
    std::vector<std::vector<MonthRun>> years(kLunarYearCount);
    for (int g = kFirstDay; g <= kLastDay; ++g) {
        const auto l = cal.SolarToLunar(SolarOfDays(g));
        if (!l) continue;  // the round-trip test reports these
        auto& months = years[static_cast<std::size_t>(l->year - kFirstLunarYear)];
        if (l->day == 1) months.push_back({l->month, l->leap, 0});
        if (!months.empty()) months.back().length = l->day;
    }
    return years;
}

TEST(LunarTableInvariants, EntriesKeepTheirUnusedBitsClear) {
    for (int i = 0; i < kLunarYearCount; ++i) {
        const std::uint32_t e = LunarYearTable[static_cast<std::size_t>(i)];
        EXPECT_EQ(e & 0xFFF0E000U, 0U) << "year " << kFirstLunarYear + i;
        EXPECT_EQ(LeapMonthOf(e) != 0, HasThirteenMonths(e)) << "year " << kFirstLunarYear + i;
        EXPECT_LE(LeapMonthOf(e), 12) << "year " << kFirstLunarYear + i;
    }
}

TEST(LunarTableInvariants, EveryYearHasWholeMonthsInOrderWithItsLeapMonth) {
    const auto years = MonthsByYear();
    for (int i = 0; i < kLunarYearCount; ++i) {
        const int year = kFirstLunarYear + i;
        const auto& months = years[static_cast<std::size_t>(i)];
        const int leapMonth = LeapMonthOf(LunarYearTable[static_cast<std::size_t>(i)]);
        ASSERT_EQ(months.size(), leapMonth ? 13U : 12U) << "year " << year;
        int days = 0;
        int expectMonth = 1;
        for (const MonthRun& run : months) {
            EXPECT_TRUE(run.length == 29 || run.length == 30) << "year " << year;
            if (run.leap) {
                EXPECT_EQ(run.month, leapMonth) << "leap month of " << year;
                EXPECT_EQ(run.month, expectMonth - 1) << "leap month follows its month, " << year;
            } else {
                EXPECT_EQ(run.month, expectMonth++) << "year " << year;
            }
            days += run.length;
        }
        if (leapMonth) {
            EXPECT_GE(days, 383) << year;
            EXPECT_LE(days, 385) << year;
        } else {
            EXPECT_GE(days, 353) << year;
            EXPECT_LE(days, 355) << year;
        }
    }
}

}  // namespace
}  // namespace qelvar
