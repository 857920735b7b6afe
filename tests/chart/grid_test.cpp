// The chart grid and the helpers of the casting driver.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "ChartFixture.h"

namespace qelvar {
namespace {

using test::kToday;
using test::Lunar;

TEST(ChartGrid, HoldsExactlyTheSlotsOfTheChartWindow) {
    std::set<int> expected = {1036, 2181, 2182, 2183, 2184, 2185, 2186, 2188, 2189, 2190, 2193};
    for (int base : {1012, 1024, 1037, 1217, 1229, 1241, 1253, 1265, 2073})
        for (int c = 0; c < 12; ++c) expected.insert(base + c);
    for (int j = 0; j < 13; ++j)
        for (int c = 0; c < 12; ++c) expected.insert(1061 + 12 * j + c);
    for (int j = 0; j < 8; ++j)
        for (int c = 0; c < 12; ++c) expected.insert(1277 + 12 * j + c);
    const auto ids = ChartGrid::SlotIds();
    EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));
    EXPECT_EQ(std::set<int>(ids.begin(), ids.end()), expected);
}

TEST(ChartGrid, UnknownIdentifiersReadEmptyAndIgnoreWrites) {
    ChartGrid g;
    for (int id : {0, 1011, 1049, 1060, 1373, 2072, 2085, 2187, 2191, 2192, 2194, 99999}) {
        g.SetSlotText(id, "紫微");
        EXPECT_EQ(g.GetSlotText(id), "") << id;
    }
}

TEST(ChartGrid, FreshGridHasEmptyStarSlotsAndFilledNayinAndGods) {
    const ChartGrid g;
    for (int c = 0; c < 12; ++c) {
        for (int j = 0; j < 13; ++j) EXPECT_EQ(g.GetSlotText(1061 + 12 * j + c), "");
        for (int j = 1; j < 8; ++j) EXPECT_EQ(g.GetSlotText(1277 + 12 * j + c), "");
        for (int base : {1217, 1241, 1253, 1265}) EXPECT_NE(g.GetSlotText(base + c), "");
    }
}

TEST(ChartGrid, DriverClearsMarksAndFirstBrightnessBeforeStarsArePlaced) {
    // In a fresh grid the marks and 1277.. hold template texts; after a cast
    // no cell keeps "权禄科忌".
    ZiWeiChart z(Lunar(1984, 1, 1, 0), kToday);
    z.RunChartSteps();
    for (int c = 0; c < 12; ++c) EXPECT_NE(z.Grid().GetSlotText(1229 + c), "权禄科忌");
}

TEST(PlaceInFreeSlot, OverflowRunsThroughMarksThenBrightnessSlots) {
    ZiWeiChart z(Lunar(1984, 1, 1, 0), kToday);
    test::Clear(z);
    const PalaceIndex cell = 5;
    for (int j = 0; j < 13; ++j) test::PutStar(z, cell, j, static_cast<Star>(28 + j));

    z.PlaceInFreeSlot(cell, Star::ZiWei, 10);    // columns 0..9 full: left out
    z.PlaceInFreeSlot(cell, Star::TianJi, 15);   // position 13 is 纳音 (full): position 14, marks
    z.PlaceInFreeSlot(cell, Star::TaiYang, 15);  // nothing left within 15
    z.PlaceInFreeSlot(cell, Star::WuQu, 20);     // positions 15..17 gods: position 18
    z.PlaceInFreeSlot(cell, Star::TianTong, 20);  // position 19
    z.PlaceInFreeSlot(cell, Star::LianZhen, 20);  // none left

    const ChartGrid& g = z.Grid();
    EXPECT_EQ(g.GetSlotText(1229 + cell), "天机");
    EXPECT_EQ(g.GetSlotText(1277 + cell), "武曲");
    EXPECT_EQ(g.GetSlotText(1289 + cell), "天同");
    for (int j = 0; j < 20; ++j) {
        const std::string& t = g.GetSlotText(slot::StarSequence(cell, j));
        EXPECT_TRUE(t != "紫微" && t != "太阳" && t != "廉贞") << j;
    }
}

TEST(FindStarCell, ScansColumnByColumnOverColumnsZeroToNine) {
    ZiWeiChart z(Lunar(1984, 1, 1, 0), kToday);
    test::PutStar(z, 2, 3, Star::LuCun);
    test::PutStar(z, 9, 1, Star::LuCun);  // earlier column wins over lower cell
    EXPECT_EQ(z.FindStarCell(Star::LuCun), 9);
    test::PutStar(z, 4, 10, Star::ZuoFu);  // column 10 is outside the scan
    EXPECT_FALSE(z.FindStarCell(Star::ZuoFu).has_value());
}

TEST(OrdinalDay, CountsGregorianDaysFromYearOne) {
    struct Row {
        int y, m, d, expected;
    };
    // 1 January of year 1 is day 1; from there by whole years of 365/366.
    const Row rows[] = {
        {1, 1, 1, 1},
        {1, 12, 31, 365},
        {2, 1, 1, 366},
        {5, 1, 1, 4 * 365 + 1 + 1},  // year 4 is a leap year
    };
    for (const Row& r : rows) EXPECT_EQ(ZiWeiChart::OrdinalDay(r.y, r.m, r.d), r.expected);
    // 1900 is no leap year, 2000 is.
    EXPECT_EQ(ZiWeiChart::OrdinalDay(1900, 3, 1) - ZiWeiChart::OrdinalDay(1900, 2, 28), 1);
    EXPECT_EQ(ZiWeiChart::OrdinalDay(2000, 3, 1) - ZiWeiChart::OrdinalDay(2000, 2, 28), 2);
    EXPECT_EQ(ZiWeiChart::OrdinalDay(2024, 3, 1) - ZiWeiChart::OrdinalDay(2024, 2, 1), 29);
}

TEST(ShowDaysLived, CountsToTheGivenToday) {
    struct Row {
        const char *y, *m, *d;
        std::chrono::year_month_day today;
        const char* text;
    };
    using namespace std::chrono;
    const Row rows[] = {
        {"2026", "12", "7", kToday, "距离今天，你已经活了0天！"},
        {"2000", "2", "5", kToday, "距离今天，你已经活了9802天！"},
        {"2024", "2", "29", year_month_day{year{2024}, month{3}, day{1}},
         "距离今天，你已经活了1天！"},
        {"2027", "1", "1", kToday, "距离今天，你已经活了-25天！"},
    };
    for (const Row& r : rows) {
        BirthData b = Lunar(2000, 1, 1, 6);
        b.g_strSolarYear = r.y;
        b.g_strSolarMonth = r.m;
        b.g_strSolarDay = r.d;
        ZiWeiChart z(b, r.today);
        z.ShowDaysLived();
        EXPECT_EQ(z.Grid().GetSlotText(2184), r.text);
    }
}

TEST(RunChartSteps, TwoCastsInARowAreIndependent) {
    ZiWeiChart first(Lunar(1984, 1, 1, 0), kToday);
    first.RunChartSteps();
    ZiWeiChart second(Lunar(2023, 7, 15, 9, 1), kToday);
    second.RunChartSteps();
    ZiWeiChart fresh(Lunar(2023, 7, 15, 9, 1), kToday);
    fresh.RunChartSteps();
    for (int id : ChartGrid::SlotIds())
        EXPECT_EQ(second.Grid().GetSlotText(id), fresh.Grid().GetSlotText(id)) << id;
}

}  // namespace
}  // namespace qelvar

namespace qelvar {
namespace {

// Inputs the form never produces still cast without reading outside any
// table (the sanitizer build checks the reads).
TEST(RunChartSteps, OutOfRangeInputsStayInsideTheTables) {
    const char* texts[] = {"", "0", "-7", "13", "99", "abc", "2147483647"};
    const int numbers[] = {-13, -1, 0, 12, 14, 99};
    for (const char* t : texts) {
        for (const int n : numbers) {
            BirthData b = test::Lunar(1984, 1, 1, 0);
            b.g_strLunarYear = t;
            b.g_strLunarMonth = t;
            b.g_strLunarDay = t;
            b.g_strSolarText = t;
            b.g_strSolarMonth = t;
            b.g_strSolarYear = t;
            b.g_strSolarDay = t;
            b.g_nHour = n;
            b.g_nMinuteSlot = n;
            b.g_nSolarMonth = n;
            b.g_nSex = n;
            ZiWeiChart z(b, test::kToday);
            z.RunChartSteps();
            EXPECT_FALSE(z.Grid().GetSlotText(2185).empty());
        }
    }
}

}  // namespace
}  // namespace qelvar
