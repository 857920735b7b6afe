#include "birth/BirthBuilder.h"

#include "calendar/CalendarNames.h"
#include "calendar/DayCount.h"

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

namespace {

constexpr int kFirstLunarYear = 1901;
constexpr int kLastLunarYear = 2050;

std::string GregorianText(const SolarDate& d) {
    return Decimal(d.year) + "年" + Decimal(d.month) + "月" + Decimal(d.day) + "日";
}

std::string LunarMonthText(int month, bool leap) {
    return std::string(leap ? "闰" : "") +
           std::string(LunarMonthNames[static_cast<std::size_t>(month)]) + "月";
}

// The Gregorian days the calendar converts: lunar 1901 正月初一 to the last
// day of lunar 2050.
std::string RangeText() {
    const LunarCalendar calendar;
    const int lastDay = LunarCalendar::MonthDays(kLastLunarYear, 12, 0);
    const auto first = calendar.LunarToSolar({kFirstLunarYear, 1, 1, 0});
    const auto last =
        calendar.LunarToSolar({kLastLunarYear, 12, static_cast<std::uint16_t>(lastDay), 0});
    return "公历只能换算 " + GregorianText(*first) + " 至 " + GregorianText(*last);
}

}  // namespace

std::string SolarDateProblem(const SolarDate& solar) {
    if (solar.month < 1 || solar.month > 12) return "月份只有 1 至 12";
    if (!IsValidGregorianDate(solar.year, solar.month, solar.day)) {
        return Decimal(solar.year) + "年" + Decimal(solar.month) + "月只有" +
               Decimal(DaysInGregorianMonth(solar.year, solar.month)) + "天";
    }
    if (DatesFromSolar(solar)) return {};
    return RangeText();
}

std::string LunarDateProblem(const LunarDate& lunar) {
    if (lunar.year < kFirstLunarYear || lunar.year > kLastLunarYear)
        return "农历只能换算 " + Decimal(kFirstLunarYear) + " 至 " + Decimal(kLastLunarYear) +
               " 年";
    if (lunar.month < 1 || lunar.month > 12) return "农历月份只有 1 至 12";
    const std::string year = "农历" + Decimal(lunar.year) + "年";
    const bool leap = lunar.leap == 1;
    if (leap && LunarCalendar::LeapMonth(lunar.year) != lunar.month) {
        const int leapMonth = LunarCalendar::LeapMonth(lunar.year);
        return year + "没有" + LunarMonthText(lunar.month, true) +
               (leapMonth > 0 ? "，闰月是" + LunarMonthText(leapMonth, true) : "");
    }
    const int days = LunarCalendar::MonthDays(lunar.year, lunar.month, lunar.leap);
    if (lunar.day < 1 || lunar.day > days) {
        return year + LunarMonthText(lunar.month, leap) + "只有" + Decimal(days) + "天";
    }
    if (DatesFromLunar(lunar)) return {};
    return RangeText();  // a day the Gregorian side cannot reach
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
