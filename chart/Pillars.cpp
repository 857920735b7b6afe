#include "chart/Pillars.h"

#include "calendar/SolarTermMoments.h"
#include "chart/Text.h"
#include "chart/ZiWei.h"

namespace qelvar {

namespace {

// Day-pillar month adjustment (stem addend, branch addend) by Gregorian
// month 1..12: the offset of the month's first day from 1 January in the
// sexagenary day count, less the day number.
struct MonthAddend {
    int stem;
    int branch;
};
constexpr std::array<MonthAddend, 12> kDayMonthAddend = {{
    {-1, -1},
    {0, 6},
    {-2, 10},
    {-1, 5},
    {-1, -1},
    {0, 6},
    {0, 0},
    {1, 7},
    {2, 2},
    {2, 8},
    {3, 3},
    {3, 9},
}};

}  // namespace

Pillar PillarText(StemBranch p) {
    Pillar text;
    text.reserve(6);
    text += StemName(p.stem);
    text += BranchName(p.branch);
    return text;
}

StemBranch ParsePillar(std::string_view text) {
    const int s = StemIndex(FirstChar(text));
    const int b = BranchIndex(LastChar(text));
    return {s < 0 ? 0 : s, b < 0 ? 0 : b};
}

std::string_view NayinOf(std::string_view pillar) {
    return NayinOf(ParsePillar(pillar));
}

StemBranch DayPillarOf(int year, int month, int day) {
    // Base: the day pillar of 1 January of year Y, from its last two digits.
    int yy = year >= 1000 && year <= 9999 ? year % 100 : 0;  // [0, 99]
    if (yy == 0) yy = 100;                                   // [1, 100]
    const int n = (yy % 12) * 5 + (yy + 3) / 4;              // [1, 80]
    int col = (n / 12) % 5;
    int row = n % 12;
    if (year > 2000) {
        col = (col + 4) % 5;
        if (row + 5 > 12) col = (col + 1) % 5;
        row = (row + 4) % 12;
    } else {
        if (row + 8 > 12) col = (col + 1) % 5;
        row = (row + 7) % 12;
    }
    const StemBranch base = MonthPillarTable[row][col];

    const int m = FloorMod(month - 1, 12);  // [0, 11]
    const int leap = IsGregorianLeapYear(year) && month > 2 ? 1 : 0;
    return {FloorMod(base.stem + day + kDayMonthAddend[m].stem + leap, 10),
            FloorMod(base.branch + day + kDayMonthAddend[m].branch + leap, 12)};
}

YearMonthPillars YearMonthPillarsAt(std::chrono::sys_seconds instant) {
    const Jie jie = LastJieAtOrBefore(instant);
    const int month = (jie.index + 1) / 2;  // Gregorian month of the 节, [1, 12]
    // 小寒 opens the 丑 month, 立春 the 寅 month, .., 大雪 the 子 month; the
    // year turns at 立春, so the 丑 month still belongs to the year before.
    const Branch monthBranch = FloorMod(month, 12);
    const int pillarYear = month == 1 ? jie.year - 1 : jie.year;
    const int cycle = FloorMod(pillarYear - 4, 60);  // 甲子 = 0
    const StemBranch year{cycle % 10, cycle % 12};
    return {year, MonthPillarTable[FloorMod(monthBranch - 2, 12)][year.stem % 5]};
}

std::array<StemBranch, 5> FivePillarsOf(const PillarInputs& in) {
    const YearMonthPillars ym = YearMonthPillarsAt(in.instant);
    const StemBranch day = DayPillarOf(in.birthYear, in.birthMonth, in.birthDay);
    const StemBranch hour = HourPillarTable[FloorMod(in.hour, 12)][day.stem % 5];
    return {ym.year, ym.month, day, hour,
            HourPillarTable[FloorMod(in.minuteSlot, 12)][hour.stem % 5]};
}

FivePillars ComputeFivePillars(const PillarInputs& in) {
    const std::array<StemBranch, 5> p = FivePillarsOf(in);
    return {{PillarText(p[0]), PillarText(p[1]), PillarText(p[2]), PillarText(p[3])},
            PillarText(p[4])};
}

void ZiWeiChart::ComputePillars() {
    const ChartBirth& b = Birth();
    // The day count is linear in the day number, so day + 1 past a month's
    // end still gives the next day's pillar.
    m_chart.pillars =
        FivePillarsOf({.instant = b.instant,
                       .birthYear = static_cast<int>(b.solar.year()),
                       .birthMonth = static_cast<int>(unsigned{b.solar.month()}),
                       .birthDay = static_cast<int>(unsigned{b.solar.day()}) + b.dayPillarShift,
                       .hour = b.hour,
                       .minuteSlot = b.minuteSlot});
    m_chart.done |= 1ULL << 38;
}

// The 纳音 of each palace follows from its stem and branch (NayinOf).
void ZiWeiChart::ShowPalaceNayin() {
    m_chart.done |= 1ULL << 40;
}

}  // namespace qelvar
