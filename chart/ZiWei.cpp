#include "chart/ZiWei.h"

#include <cstdio>

#include "calendar/BirthInstant.h"
#include "calendar/DayCount.h"
#include "chart/Text.h"

namespace qelvar {

ZiWeiChart::ZiWeiChart(const BirthData& birth, std::chrono::year_month_day today)
    : m_strYear(birth.g_strLunarYear),
      m_strMonth(birth.g_strLunarMonth),
      m_strDay(birth.g_strLunarDay),
      m_nHour(birth.g_nHour),
      m_nSex(birth.g_nSex),
      m_nBirthYear(ParseDecimal(birth.g_strSolarYear)),
      m_nBirthMonth(ParseDecimal(birth.g_strSolarMonth)),
      m_nBirthDay(ParseDecimal(birth.g_strSolarDay)),
      m_nSolarMonth(birth.g_nSolarMonth),
      m_strSolarText(birth.g_strSolarText),
      m_strLunarText(birth.g_strLunarText),
      m_nMinuteSlot(birth.g_nMinuteSlot),
      m_tBirthInstant(birth.g_tBirthInstant ? *birth.g_tBirthInstant : DefaultInstant(birth)),
      m_nDayPillarShift(birth.g_nDayPillarShift),
      m_today(today) {}

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

int ZiWeiChart::LunarYear() const {
    return ParseDecimal(m_strYear);
}
int ZiWeiChart::LunarMonth() const {
    return ParseDecimal(m_strMonth);
}
int ZiWeiChart::LunarDay() const {
    return ParseDecimal(m_strDay);
}

void ZiWeiChart::RunChartSteps() {
    for (PalaceIndex i = 0; i < 12; ++i) {
        m_grid.SetSlotText(slot::kMarks.Slot(i), {});
        m_grid.SetSlotText(slot::BrightnessColumn(0).Slot(i), {});
    }
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

void ZiWeiChart::PlaceInFreeSlot(PalaceIndex cell, std::string_view name, int n) {
    for (int j = 0; j < n; ++j) {
        const int id = slot::StarSequence(cell, j);
        if (Text(id).empty()) {
            m_grid.SetSlotText(id, std::string(name));
            return;
        }
    }
}

std::optional<PalaceIndex> ZiWeiChart::FindStarCell(std::string_view name) const {
    for (int column = 0; column < 10; ++column)
        for (PalaceIndex c = 0; c < 12; ++c)
            if (SameText(Text(slot::StarColumn(column).Slot(c)), name)) return c;
    return std::nullopt;
}

std::optional<PalaceIndex> ZiWeiChart::FindPalaceCell(
    std::initializer_list<std::string_view> names) const {
    for (PalaceIndex c = 0; c < 12; ++c) {
        const std::string& text = Text(slot::kPalaceName.Slot(c));
        for (const std::string_view name : names)
            if (SameText(text, name)) return c;
    }
    return std::nullopt;
}

bool ZiWeiChart::IsForward() const {
    return FloorMod(LunarYear() + m_nSex, 2) == 0;
}

long long ZiWeiChart::OrdinalDay(int year, int month, int day) {
    // A month outside 1..12 counts none (below) or all (above) of the year's months.
    const long long y = month > 12 ? static_cast<long long>(year) + 1 : year;
    const int m = month < 1 || month > 12 ? 1 : month;
    return DaysFromCivil<long long>(y, m, 1) - DaysFromCivil<long long>(1, 1, 1) + day;
}

void ZiWeiChart::ShowDaysLived() {
    const long long today = OrdinalDay(static_cast<int>(m_today.year()),
                                       static_cast<int>(static_cast<unsigned>(m_today.month())),
                                       static_cast<int>(static_cast<unsigned>(m_today.day())));
    const long long n = today - OrdinalDay(m_nBirthYear, m_nBirthMonth, m_nBirthDay);
    char buf[96];
    std::snprintf(buf, sizeof buf, "距离今天，你已经活了%lld天！", n);
    m_grid.SetSlotText(slot::kDaysLived, buf);
}

}  // namespace qelvar
