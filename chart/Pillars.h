#pragma once
// The stem-branch pillars of a birth moment and their 纳音 elements.
//
// A Pillar is held as text: the stem character followed by the branch
// character ("甲子").  Arithmetic runs on Stem/Branch indexes and the texts
// come from the name tables.

#include <array>
#include <chrono>
#include <string>
#include <string_view>

#include "chart/Cycle.h"

namespace qelvar {

using Pillar = std::string;

// The four birth pillars kept for the pillar stars (the fifth is not kept).
struct PillarSet {
    Pillar m_strYearPillar;
    Pillar m_strMonthPillar;
    Pillar m_strDayPillar;
    Pillar m_strHourPillar;
};

// 五虎遁 (month stems led by the year stem, "甲己之年丙作首"): row r = solar
// month r + 1 from 寅 to 丑, column c = year stem mod 5; stem (2 + 2c + r)
// mod 10, branch (r + 2) mod 12.  Also the base of the day-pillar count.
constexpr std::array<std::array<StemBranch, 5>, 12> MakeMonthPillarTable() {
    std::array<std::array<StemBranch, 5>, 12> t{};
    for (int r = 0; r < 12; ++r)
        for (int c = 0; c < 5; ++c) t[r][c] = {FloorMod(2 + 2 * c + r, 10), FloorMod(r + 2, 12)};
    return t;
}
inline constexpr auto MonthPillarTable = MakeMonthPillarTable();
static_assert(MonthPillarTable[0][0] == StemBranch{2, 2});   // 丙寅
static_assert(MonthPillarTable[11][4] == StemBranch{1, 1});  // 乙丑

// 五鼠遁 (hour stems led by the day stem, "甲己还加甲"): row b = hour
// branch, column c = governing stem mod 5; stem (2c + b) mod 10, branch b.
constexpr std::array<std::array<StemBranch, 5>, 12> MakeHourPillarTable() {
    std::array<std::array<StemBranch, 5>, 12> t{};
    for (int b = 0; b < 12; ++b)
        for (int c = 0; c < 5; ++c) t[b][c] = {FloorMod(2 * c + b, 10), b};
    return t;
}
inline constexpr auto HourPillarTable = MakeHourPillarTable();
static_assert(HourPillarTable[0][0] == StemBranch{0, 0});    // 甲子
static_assert(HourPillarTable[11][4] == StemBranch{9, 11});  // 癸亥

// 六十甲子纳音 ("甲子乙丑海中金"): row = branch of the pillar, column = its
// stem / 2.  Consecutive rows are equal in pairs.
inline constexpr std::array<std::array<std::string_view, 5>, 12> NayinTable = {{
    {"海中金", "涧下水", "霹雳火", "壁上土", "桑柘木"},  // 子
    {"海中金", "涧下水", "霹雳火", "壁上土", "桑柘木"},  // 丑
    {"大溪水", "炉中火", "城头土", "松柏木", "金箔金"},  // 寅
    {"大溪水", "炉中火", "城头土", "松柏木", "金箔金"},  // 卯
    {"佛灯火", "沙中土", "大林木", "白蜡金", "长流水"},  // 辰
    {"佛灯火", "沙中土", "大林木", "白蜡金", "长流水"},  // 巳
    {"砂中金", "天河水", "天上火", "路傍土", "杨柳木"},  // 午
    {"砂中金", "天河水", "天上火", "路傍土", "杨柳木"},  // 未
    {"泉中水", "山下火", "大驿土", "石榴木", "剑锋金"},  // 申
    {"泉中水", "山下火", "大驿土", "石榴木", "剑锋金"},  // 酉
    {"山头火", "屋上土", "平地木", "钗钏金", "大海水"},  // 戌
    {"山头火", "屋上土", "平地木", "钗钏金", "大海水"},  // 亥
}};

// The text of a stem-branch pair.
Pillar PillarText(StemBranch p);

// Stem of the first character and branch of the last character of a text;
// an index is 0 when the character is no such name.  Never fails.
StemBranch ParsePillar(std::string_view text);

// 纳音 of a stem-branch pair (three characters).
constexpr std::string_view NayinOf(StemBranch p) {
    return NayinTable[FloorMod(p.branch, 12)][FloorMod(p.stem, 10) / 2];
}
// 纳音 of a pillar text.
std::string_view NayinOf(std::string_view pillar);

// What the pillars step needs of the birth moment.
struct PillarInputs {
    std::chrono::sys_seconds instant;  // UTC instant of the birth: year and month pillars
    int birthYear = 0;                 // Gregorian year
    int birthMonth = 0;                // Gregorian month 1..12
    int birthDay = 0;                  // Gregorian day 1..31
    int hour = 0;                      // double-hour 0..11
    int minuteSlot = 0;                // ten-minute sub-period 0..11
};

struct YearMonthPillars {
    StemBranch year;
    StemBranch month;
};

// The year pillar turns at the moment of 立春, the month pillar at the
// moment of each 节: an instant at or after the moment belongs to the new
// year (month).  The month stem follows the year stem (五虎遁).
YearMonthPillars YearMonthPillarsAt(std::chrono::sys_seconds instant);

struct FivePillars {
    PillarSet four;
    Pillar fifth;
};

// The year, month, day, hour and fifth pillars.
std::array<StemBranch, 5> FivePillarsOf(const PillarInputs& in);
// The same as texts.
FivePillars ComputeFivePillars(const PillarInputs& in);

// The day pillar of a Gregorian date; a day past the month's end counts on
// into the next month.
StemBranch DayPillarOf(int year, int month, int day);

}  // namespace qelvar
