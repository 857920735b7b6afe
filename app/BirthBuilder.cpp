#include "app/BirthBuilder.h"

namespace qelvar {

namespace {

std::string Decimal(int n) {
    return std::to_string(n);
}

BirthDates MakeDates(const SolarDate& g, const LunarDate& l) {
    LunarCalendar calendar;
    std::string term = calendar.SolarTerm(g.year, g.month, g.day);
    return {.solar = g,
            .lunar = l,
            .lunarText = LunarCalendar::FormatLunarDate(l),
            .solarTerm = std::move(term),
            .solarMonth = calendar.m_nSolarMonth};
}

}  // namespace

std::optional<SolarDate> ToSolarDate(std::chrono::year_month_day date) {
    if (!date.ok()) return std::nullopt;
    const int y = static_cast<int>(date.year());
    if (y < 1 || y > 9999) return std::nullopt;
    return SolarDate{static_cast<std::uint16_t>(y),
                     static_cast<std::uint16_t>(static_cast<unsigned>(date.month())),
                     static_cast<std::uint16_t>(static_cast<unsigned>(date.day()))};
}

std::optional<BirthDates> DatesFromSolar(const SolarDate& solar) {
    const std::optional<LunarDate> l = LunarCalendar().SolarToLunar(solar);
    if (!l) return std::nullopt;
    return MakeDates(solar, *l);
}

std::optional<BirthDates> DatesFromLunar(const LunarDate& lunar) {
    const std::optional<SolarDate> g = LunarCalendar().LunarToSolar(lunar);
    if (!g) return std::nullopt;
    return MakeDates(*g, lunar);
}

std::chrono::sys_seconds BirthInstant(const SolarDate& solar, const BirthTime& time) {
    if (time.instant) return *time.instant;
    const std::chrono::year_month_day date{std::chrono::year{solar.year},
                                           std::chrono::month{solar.month},
                                           std::chrono::day{solar.day}};
    return SubPeriodMiddle(std::chrono::sys_days{date}, time.doubleHour, time.minuteSlot);
}

void StoreDates(BirthData& birth, const BirthDates& d) {
    const SolarDate& g = d.solar;
    birth.g_strSolarText =
        Decimal(g.year) + "年" + Decimal(g.month) + "月" + Decimal(g.day) + "日 " + d.solarTerm;
    birth.g_strSolarYear = Decimal(g.year);
    birth.g_strSolarMonth = Decimal(g.month);
    birth.g_strSolarDay = Decimal(g.day);
    birth.g_strLunarText = d.lunarText;
    birth.g_nSolarMonth = d.solarMonth;
}

void StoreTime(BirthData& birth, const BirthDates& d, const BirthTime& time) {
    birth.g_strLunarYear = Decimal(d.lunar.year);
    birth.g_strLunarMonth = Decimal(d.lunar.month);
    birth.g_strLunarDay = Decimal(d.lunar.day);
    // 夜子 is charted as 子 of the same date.
    birth.g_nHour = time.doubleHour == kLateZiHour ? 0 : time.doubleHour;
    birth.g_nDoubleHour = time.doubleHour;
    birth.g_nMinuteSlot = time.minuteSlot;
    birth.g_nSex = time.sex;
    birth.g_tBirthInstant.reset();
    if (IsValidTime(time)) birth.g_tBirthInstant = BirthInstant(d.solar, time);
}

BirthBuild BuildBirth(const BirthDates& dates, const BirthTime& time) {
    if (!IsValidTime(time)) return {std::nullopt, kErrorTime};
    BirthData birth;
    StoreDates(birth, dates);
    StoreTime(birth, dates, time);
    return {std::move(birth), {}};
}

BirthBuild BirthFromSolar(std::chrono::year_month_day date, const BirthTime& time) {
    const std::optional<SolarDate> g = ToSolarDate(date);
    const std::optional<BirthDates> dates = g ? DatesFromSolar(*g) : std::nullopt;
    if (!dates) return {std::nullopt, kErrorDate};
    return BuildBirth(*dates, time);
}

BirthBuild BirthFromLunar(const LunarDate& lunar, const BirthTime& time) {
    const std::optional<BirthDates> dates = DatesFromLunar(lunar);
    if (!dates) return {std::nullopt, kErrorDate};
    return BuildBirth(*dates, time);
}

}  // namespace qelvar
