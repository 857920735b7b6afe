#include "chart/ZiWei.h"

#include "calendar/BirthInstant.h"
#include "calendar/DayCount.h"
#include "chart/Text.h"

namespace qelvar {

namespace {

std::chrono::year_month_day Ymd(int y, int m, int d) {
    return std::chrono::year{y} / std::chrono::month{static_cast<unsigned>(m)} /
           std::chrono::day{static_cast<unsigned>(d)};
}

}  // namespace

ChartBirth ChartBirthOf(const BirthData& b) {
    ChartBirth out;
    const int y = ParseDecimal(b.g_strSolarYear);
    const int m = ParseDecimal(b.g_strSolarMonth);
    const int d = ParseDecimal(b.g_strSolarDay);
    out.solar = Ymd(y, FloorMod(m - 1, 12) + 1, FloorMod(d - 1, 31) + 1);
    const LunarCalendar calendar;
    out.solarTerm = 0;
    if (IsValidGregorianDate(y, m, d)) {
        const int term = calendar.SolarTermIndex(y, m, d);
        if (term != kNoSolarTerm) out.solarTerm = term;
    }
    out.solarMonth = b.g_nSolarMonth;
    out.lunarYear = ParseDecimal(b.g_strLunarYear);
    out.lunarMonth = FloorMod(ParseDecimal(b.g_strLunarMonth) - 1, 12) + 1;
    out.lunarDay = FloorMod(ParseDecimal(b.g_strLunarDay) - 1, 30) + 1;
    // The lunar date shown: the real date of the day counted, its leap mark
    // only in the text.
    const bool leap = b.g_strLunarText.find("闰") != std::string::npos;
    out.lunar = LunarDate{static_cast<std::uint16_t>(FloorMod(out.lunarYear, 65536)),
                          static_cast<std::uint16_t>(out.lunarMonth),
                          static_cast<std::uint16_t>(out.lunarDay), leap ? 1 : 0};
    if (IsValidGregorianDate(y, m, d) && y > 0 && y < 65536) {
        const std::chrono::sys_days counted =
            std::chrono::sys_days{Ymd(y, m, d)} + std::chrono::days{b.g_nDayPillarShift};
        const std::chrono::year_month_day c{counted};
        if (const auto real = calendar.SolarToLunar(
                SolarDate{static_cast<std::uint16_t>(static_cast<int>(c.year())),
                          static_cast<std::uint16_t>(static_cast<unsigned>(c.month())),
                          static_cast<std::uint16_t>(static_cast<unsigned>(c.day()))}))
            out.lunar = *real;
    }
    out.hour = FloorMod(b.g_nHour, 12);
    out.minuteSlot = FloorMod(b.g_nMinuteSlot, 12);
    out.sex = FloorMod(b.g_nSex, 2);
    out.instant = b.g_tBirthInstant ? *b.g_tBirthInstant : ZiWeiChart::DefaultInstant(b);
    out.dayPillarShift = b.g_nDayPillarShift;
    return out;
}

ZiWeiChart::ZiWeiChart(const ChartBirth& birth, std::chrono::year_month_day today) {
    m_chart.birth = birth;
    m_chart.today = today;
}

ZiWeiChart::ZiWeiChart(const BirthData& birth, std::chrono::year_month_day today)
    : ZiWeiChart(ChartBirthOf(birth), today) {}

std::chrono::sys_seconds ZiWeiChart::DefaultInstant(const BirthData& birth) {
    // Any numbers give an instant: the day count clamps the month, and the
    // hour and sub-period are taken round their cycles.
    const long long day =
        OrdinalDay(ParseDecimal(birth.g_strSolarYear), ParseDecimal(birth.g_strSolarMonth),
                   ParseDecimal(birth.g_strSolarDay)) -
        OrdinalDay(1970, 1, 1);
    const std::chrono::sys_days date{std::chrono::days{day}};
    return SubPeriodMiddle(date, FloorMod(birth.g_nHour, 12), FloorMod(birth.g_nMinuteSlot, 12));
}

const ChartGrid& ZiWeiChart::Grid() const {
    if (!m_grid) m_grid.emplace();
    m_grid->Fill(m_chart);
    return *m_grid;
}

PillarSet ZiWeiChart::Pillars() const {
    const auto& p = m_chart.pillars;
    return {PillarText(p[0]), PillarText(p[1]), PillarText(p[2]), PillarText(p[3])};
}

void ZiWeiChart::RunChartSteps() {
    m_chart.done |= 1U;  // the marks and the first brightness family cleared
    ShowPalaceNames();
    ShowPalaceStems();
    ShowBureauAndDecades();
    PlaceMainStars();
    ShowLifeStages();
    PlaceChangQu();
    PlaceFuBi();
    PlaceLuCun();
    PlaceKuiYue();
    PlaceHuoLing();
    PlaceYangTuo();
    PlaceKongJie();
    PlaceTianMa();
    PlaceYaoXing();
    PlaceGuanFu();
    PlaceTaiFeng();
    PlaceJieShen();
    PlaceTianWu();
    PlaceTianYue();
    PlaceYinSha();
    PlaceTaiZuo();
    PlaceEnGui();
    PlaceChiGe();
    PlaceKong();
    PlaceLuanXi();
    PlaceXuKu();
    PlaceGuSu();
    PlaceFeiPo();
    PlaceCaiShou();
    PlaceTianChu();
    PlaceShangShi();
    PlaceExtendedStars();
    ShowBoShiGods();
    ShowSuiQianGods();
    ShowJiangQianGods();
    ShowBrightness();
    ShowRulers();
    ShowDouJunAndDates();
    ComputePillars();
    ShowFourTransformations();
    ShowPalaceNayin();
    ComputePillarStars();
    ShowDaysLived();
}

void ZiWeiChart::PlaceInFreeSlot(PalaceIndex cell, Star star, int n) {
    Palace& p = m_chart.palaces[Ring(cell)];
    // Until the driver clears them, the mark slot (14) and the first
    // brightness slot (18) hold the window's placeholder texts.
    const bool cleared = m_chart.Done(0);
    for (int j = 0; j < n && j < kStarPositions; ++j) {
        if (IsFixedPosition(j) || ((p.occupied >> j) & 1U)) continue;
        if (!cleared && (j == 14 || j == 18)) continue;
        p.occupied |= 1U << j;
        // Kept in position order.
        int k = p.starCount++;
        while (k > 0 && p.stars[k - 1].position > j) {
            p.stars[k] = p.stars[k - 1];
            --k;
        }
        p.stars[k] = PlacedStar{star, static_cast<std::uint8_t>(j)};
        // FindStarCell's answer: the lowest of star columns 0..9 wins, then
        // the lowest cell, as a reader scanning the columns finds it.
        const int id = static_cast<int>(star);
        const int c = Ring(cell);
        if (j < 10 && (m_starCell[id] < 0 || j < m_starColumn[id] ||
                       (j == m_starColumn[id] && c < m_starCell[id]))) {
            m_starCell[id] = static_cast<std::int8_t>(c);
            m_starColumn[id] = static_cast<std::uint8_t>(j);
        }
        return;
    }
}

std::optional<PalaceIndex> ZiWeiChart::FindStarCell(Star star) const {
    if (const int c = m_starCell[static_cast<int>(star)]; c >= 0) return c;
    // A star not placed by PlaceInFreeSlot: column-major over star columns
    // 0..9, as a reader scanning the columns.
    std::optional<PalaceIndex> best;
    int bestColumn = 10;
    for (PalaceIndex c = 0; c < 12; ++c) {
        const Palace& p = m_chart.palaces[c];
        for (int i = 0; i < p.starCount; ++i)
            if (p.stars[i].star == star && p.stars[i].position < bestColumn) {
                bestColumn = p.stars[i].position;
                best = c;
            }
    }
    return best;
}

bool ZiWeiChart::IsForward() const {
    return FloorMod(Birth().lunarYear + Birth().sex, 2) == 0;
}

long long ZiWeiChart::OrdinalDay(int year, int month, int day) {
    // A month outside 1..12 counts none (below) or all (above) of the year's months.
    const long long y = month > 12 ? static_cast<long long>(year) + 1 : year;
    const int m = month < 1 || month > 12 ? 1 : month;
    return DaysFromCivil<long long>(y, m, 1) - DaysFromCivil<long long>(1, 1, 1) + day;
}

void ZiWeiChart::ShowDaysLived() {
    using std::chrono::sys_days;
    m_chart.daysLived = (sys_days{m_chart.today} - sys_days{Birth().solar}).count();
    m_chart.done |= 1ULL << 42;
}

}  // namespace qelvar
