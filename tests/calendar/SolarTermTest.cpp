// Solar terms and solar months of Gregorian days.
#include <gtest/gtest.h>

#include <array>

#include "CalendarTestUtil.h"
#include "calendar/SolarTermTable.h"

namespace qelvar {
namespace {

using Row = std::array<std::uint32_t, 12>;

std::uint32_t Entry(int year, int month) {
    return SolarTermTable[static_cast<std::size_t>((year - 1901) * 12 + month - 1)];
}

// Rows of the published term table (China Standard Time); 2050 with 白露 on
// 7 September (it falls at about 18:00 CST).
TEST(SolarTermTable, ReproducesPublishedRows) {
    const std::pair<int, Row> kRows[] = {
        {1901, {0x96, 0xB4, 0x96, 0xA6, 0x97, 0x97, 0x78, 0x79, 0x79, 0x69, 0x78, 0x77}},
        {2000, {0x96, 0xB4, 0xA5, 0xB5, 0xA6, 0xA6, 0x87, 0x88, 0x88, 0x78, 0x87, 0x86}},
        {2020, {0x95, 0xB4, 0xA5, 0xB4, 0xA5, 0xA6, 0x97, 0x87, 0x87, 0x78, 0x87, 0x86}},
        {2050, {0xA5, 0xC3, 0xA5, 0xB5, 0xA6, 0xA6, 0x87, 0x88, 0x88, 0x78, 0x87, 0x87}},
    };
    for (const auto& [year, row] : kRows) {
        for (int m = 1; m <= 12; ++m) EXPECT_EQ(Entry(year, m), row[m - 1]) << year << "-" << m;
    }
}

TEST(SolarTermTable, TermsFallOnDays3To9And18To24) {
    for (int y = kFirstTermYear; y <= kLastTermYear; ++y) {
        for (int m = 1; m <= 12; ++m) {
            const std::uint32_t e = Entry(y, m);
            const int first = 15 - static_cast<int>(e >> 4);
            const int second = 15 + static_cast<int>(e & 0xF);
            EXPECT_TRUE(first >= 3 && first <= 9) << y << "-" << m;
            EXPECT_TRUE(second >= 18 && second <= 24) << y << "-" << m;
        }
    }
}

// Every term of 2000 on its day; every other day of 2000 has none.
TEST(SolarTerm, TheTermDaysOf2000) {
    struct Day {
        int month, day;
        const char* name;
    };
    const Day kTerms[] = {
        {1, 6, "小寒"},  {1, 21, "大寒"},  {2, 4, "立春"},  {2, 19, "雨水"},  {3, 5, "惊蛰"},
        {3, 20, "春分"}, {4, 4, "清明"},   {4, 20, "谷雨"}, {5, 5, "立夏"},   {5, 21, "小满"},
        {6, 5, "芒种"},  {6, 21, "夏至"},  {7, 7, "小暑"},  {7, 22, "大暑"},  {8, 7, "立秋"},
        {8, 23, "处暑"}, {9, 7, "白露"},   {9, 23, "秋分"}, {10, 8, "寒露"},  {10, 23, "霜降"},
        {11, 7, "立冬"}, {11, 22, "小雪"}, {12, 7, "大雪"}, {12, 21, "冬至"},
    };
    LunarCalendar cal;
    int found = 0;
    for (int g = DaysFromCivil(2000, 1, 1); g <= DaysFromCivil(2000, 12, 31); ++g) {
        const CivilDate c = CivilFromDays(g);
        const std::string name = cal.SolarTerm(c.year, c.month, c.day);
        if (name.empty()) continue;
        ASSERT_LT(found, 24);
        EXPECT_EQ(c.month, kTerms[found].month);
        EXPECT_EQ(c.day, kTerms[found].day);
        EXPECT_EQ(name, kTerms[found].name);
        EXPECT_EQ(cal.m_strSolarTerm, name);
        ++found;
    }
    EXPECT_EQ(found, 24);
}

TEST(SolarTerm, TermsAndSolarMonths) {
    struct Case {
        int year, month, day;
        const char* term;
        SolarMonthCode code;
    };
    const Case kCases[] = {
        {2000, 2, 4, "立春", 13},
        {2000, 2, 3, "", 14},
        {2000, 2, 19, "雨水", 13},
        {2000, 3, 4, "", 1},
        {2000, 3, 5, "惊蛰", 2},
        {2000, 1, 5, "", 11},
        {2000, 1, 6, "小寒", 12},
        {2000, 12, 7, "大雪", 11},
        {2000, 12, 6, "", 10},
        {2020, 1, 20, "大寒", 12},
        {2000, 1, 20, "", 12},
        {2000, 6, 15, "", 5},
        // 大雪 of 2020 falls at about 00:09 CST on 7 December.
        {2020, 12, 7, "大雪", 11},
        {2020, 12, 6, "", 10},
        // 白露 of 2050 falls at about 18:00 CST on 7 September.
        {2050, 9, 7, "白露", 8},
        {2050, 9, 6, "", 7},
        // January and February 2051 come from the 2051 row.
        {2051, 1, 5, "小寒", 12},
        {2051, 1, 4, "", 11},
        {2051, 2, 4, "立春", 13},
        {2051, 2, 3, "", 14},
        {2051, 2, 10, "", 13},
    };
    LunarCalendar cal;
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << "-" << c.day);
        EXPECT_EQ(cal.SolarTerm(c.year, c.month, c.day), c.term);
        EXPECT_EQ(cal.m_strSolarTerm, c.term);
        EXPECT_EQ(cal.m_nSolarMonth, c.code);
    }
    EXPECT_EQ(cal.SolarTermIndex(2000, 2, 4), 3);
    EXPECT_EQ(cal.SolarTermIndex(2020, 1, 20), 2);
    EXPECT_EQ(cal.SolarTermIndex(2000, 12, 21), 24);
}

TEST(SolarTerm, DayFifteenNeverHasATerm) {
    LunarCalendar cal;
    for (int y = kFirstTermYear; y <= kLastTermYear; ++y) {
        for (int m = 1; m <= 12; ++m) EXPECT_EQ(cal.SolarTermIndex(y, m, 15), 25);
    }
}

TEST(SolarTerm, YearsOutsideTheTableReadNothing) {
    LunarCalendar cal;
    EXPECT_EQ(cal.SolarTermIndex(1900, 12, 22), 25);
    EXPECT_EQ(cal.SolarTermIndex(2052, 1, 5), 25);
    EXPECT_EQ(cal.SolarTermIndex(2000, 13, 7), 25);
    EXPECT_EQ(cal.SolarTerm(2052, 1, 6), "");
    EXPECT_EQ(cal.m_nSolarMonth, 0);
}

// Over every day of the range the solar month moves on by one at each 节
// (12 -> 13 at 立春 inside February, 14 -> 13 there, 13 -> 2 at 惊蛰).
TEST(SolarTerm, SolarMonthsRunInOrderOverTheRange) {
    LunarCalendar cal;
    auto normal = [](SolarMonthCode c) { return c == 13 ? 1 : c == 14 ? 12 : c; };
    cal.SolarTerm(1901, 2, 19);
    int prev = normal(cal.m_nSolarMonth);
    for (int g = test::kFirstDay + 1; g <= test::kLastDay; ++g) {
        const CivilDate c = CivilFromDays(g);
        cal.SolarTerm(c.year, c.month, c.day);
        const int cur = normal(cal.m_nSolarMonth);
        const int index = cal.SolarTermIndex(c.year, c.month, c.day);
        const bool opensMonth = index != 25 && index % 2 == 1;
        if (opensMonth) {
            ASSERT_EQ(cur, prev % 12 + 1) << c.year << "-" << c.month << "-" << c.day;
        } else {
            ASSERT_EQ(cur, prev) << c.year << "-" << c.month << "-" << c.day;
        }
        ASSERT_EQ(cal.m_nSolarMonth == 13 || cal.m_nSolarMonth == 14, c.month == 2);
        prev = cur;
    }
}

}  // namespace
}  // namespace qelvar
