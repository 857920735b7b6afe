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
    const StemBranch p = ParsePillar(pillar);
    return NayinTable[p.branch][p.stem / 2];
}

StemBranch DayPillarOf(std::string_view solarText, int month, int day) {
    // Base: the day pillar of 1 January of year Y, from the last two digits.
    const std::string_view digits = solarText.substr(0, 4);
    const int year = ParseDecimal(digits);
    int yy = digits.size() >= 4 ? ParseDecimal(digits.substr(2, 2)) : 0;  // [0, 99]
    if (yy == 0) yy = 100;                                                // [1, 100]
    const int n = (yy % 12) * 5 + (yy + 3) / 4;                           // [1, 80]
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

FivePillars ComputeFivePillars(const PillarInputs& in) {
    const YearMonthPillars ym = YearMonthPillarsAt(in.instant);
    FivePillars out;
    out.four.m_strYearPillar = PillarText(ym.year);
    out.four.m_strMonthPillar = PillarText(ym.month);

    const StemBranch day = DayPillarOf(in.solarText, in.birthMonth, in.birthDay);
    out.four.m_strDayPillar = PillarText(day);
    const StemBranch hour = HourPillarTable[FloorMod(in.hour, 12)][day.stem % 5];
    out.four.m_strHourPillar = PillarText(hour);
    out.fifth = PillarText(HourPillarTable[FloorMod(in.minuteSlot, 12)][hour.stem % 5]);
    return out;
}

void ZiWeiChart::ComputePillars() {
    // The day count is linear in the day number, so day + 1 past a month's
    // end still gives the next day's pillar.
    const FivePillars p = ComputeFivePillars({.instant = m_tBirthInstant,
                                              .solarText = m_strSolarText,
                                              .birthMonth = m_nBirthMonth,
                                              .birthDay = m_nBirthDay + m_nDayPillarShift,
                                              .hour = m_nHour,
                                              .minuteSlot = m_nMinuteSlot});
    const PillarSet& f = p.four;
    std::string line;
    line.reserve(64);
    line.append(f.m_strYearPillar).append(5, ' ').append(f.m_strMonthPillar).append(5, ' ');
    line.append(f.m_strDayPillar).append(5, ' ').append(f.m_strHourPillar).append("⑤");
    line.append(p.fifth);
    m_grid.SetSlotText(slot::kFivePillars, std::move(line));

    std::string nayin;
    nayin.reserve(48);
    nayin.append(NayinOf(f.m_strYearPillar)).append(3, ' ');
    nayin.append(NayinOf(f.m_strMonthPillar)).append(3, ' ');
    nayin.append(NayinOf(f.m_strDayPillar)).append(3, ' ');
    nayin.append(NayinOf(f.m_strHourPillar));
    m_grid.SetSlotText(slot::kPillarNayin, std::move(nayin));
    m_pillars = f;
    // The members now name the corrected year, as the year pillar does.
    m_strYearStem = std::string(FirstChar(f.m_strYearPillar));
    m_strYearBranch = std::string(LastChar(f.m_strYearPillar));
}

void ZiWeiChart::ShowPalaceNayin() {
    for (PalaceIndex p = 0; p < 12; ++p) {
        std::string pillar = Text(slot::kPalaceStem.Slot(p));
        pillar += BranchName(BranchOfCell(p));
        m_grid.SetSlotText(slot::kNayin.Slot(p), std::string(NayinOf(pillar)));
    }
}

}  // namespace qelvar
