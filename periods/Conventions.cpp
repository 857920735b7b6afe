#include "periods/Conventions.h"

#include <array>
#include <chrono>
#include <string>

#include "calendar/BirthInstant.h"
#include "chart/NameTable.h"
#include "chart/Text.h"

namespace qelvar {

namespace {

constexpr NameTable<LateZi, 2> kLateZi = {
    {{LateZi::SameDay, "same-day"}, {LateZi::NextDay, "next-day"}}};
constexpr NameTable<LeapMonthRule, 2> kLeapMonth = {
    {{LeapMonthRule::Whole, "whole"}, {LeapMonthRule::Split, "split"}}};
constexpr NameTable<YearStart, 2> kYearStart = {
    {{YearStart::NewYear, "new-year"}, {YearStart::Lichun, "lichun"}}};

// Days 16 and later of a split leap month count as the following month.
constexpr int kSplitDay = 16;

}  // namespace

std::string_view ConventionName(LateZi v) {
    return NameOf(kLateZi, v);
}
std::string_view ConventionName(LeapMonthRule v) {
    return NameOf(kLeapMonth, v);
}
std::string_view ConventionName(YearStart v) {
    return NameOf(kYearStart, v);
}
std::optional<LateZi> ParseLateZi(std::string_view name) {
    return ValueNamed(kLateZi, name);
}
std::optional<LeapMonthRule> ParseLeapMonth(std::string_view name) {
    return ValueNamed(kLeapMonth, name);
}
std::optional<YearStart> ParseYearStart(std::string_view name) {
    return ValueNamed(kYearStart, name);
}

int CountedMonth(const LunarDate& date, LeapMonthRule rule) {
    const int month = date.month;
    if (rule == LeapMonthRule::Split && date.leap != 0 && date.day >= kSplitDay && month < 12)
        return month + 1;
    return month;
}

namespace {

constexpr int kLichunTerm = 3;  // term index of 立春

SolarDate NextDay(const SolarDate& d) {
    using namespace std::chrono;
    const year_month_day next{sys_days{year_month_day{year{d.year}, month{d.month}, day{d.day}}} +
                              days{1}};
    return {static_cast<std::uint16_t>(static_cast<int>(next.year())),
            static_cast<std::uint16_t>(static_cast<unsigned>(next.month())),
            static_cast<std::uint16_t>(static_cast<unsigned>(next.day()))};
}

// The Gregorian year of the last 立春 on or before the day (立春 falls in
// early February).
int LichunYear(const SolarDate& d, const LunarCalendar& calendar) {
    if (d.month > 2) return d.year;
    if (d.month == 1) return d.year - 1;
    for (int day = 1; day <= d.day; ++day)
        if (calendar.SolarTermIndex(d.year, 2, day) == kLichunTerm) return d.year;
    return d.year - 1;
}

}  // namespace

std::optional<ConventionDate> ReadUnderConventions(const SolarDate& birth, int hourSelection,
                                                   const ChartConventions& conventions,
                                                   const LunarCalendar& calendar) {
    ConventionDate out;
    out.day = birth;
    if (conventions.lateZi == LateZi::NextDay && hourSelection == kLateZiHour) {
        out.day = NextDay(birth);
        out.dayShift = 1;
    }
    const std::optional<LunarDate> lunar = calendar.SolarToLunar(out.day);
    if (!lunar) return std::nullopt;
    out.lunar = *lunar;
    out.chartMonth = CountedMonth(*lunar, conventions.leapMonth);
    out.chartYear = conventions.yearStart == YearStart::Lichun ? LichunYear(out.day, calendar)
                                                               : int{lunar->year};
    return out;
}

std::optional<BirthData> ApplyConventions(const BirthData& birth,
                                          const ChartConventions& conventions) {
    if (conventions.IsDefaultDate()) return birth;
    const LunarCalendar calendar;
    const SolarDate solar{static_cast<std::uint16_t>(ParseDecimal(birth.g_strSolarYear)),
                          static_cast<std::uint16_t>(ParseDecimal(birth.g_strSolarMonth)),
                          static_cast<std::uint16_t>(ParseDecimal(birth.g_strSolarDay))};
    const std::optional<ConventionDate> d =
        ReadUnderConventions(solar, birth.g_nDoubleHour, conventions, calendar);
    if (!d) return std::nullopt;
    BirthData out = birth;
    out.g_strLunarYear = std::to_string(d->chartYear);
    out.g_strLunarMonth = std::to_string(d->chartMonth);
    out.g_strLunarDay = std::to_string(d->lunar.day);
    out.g_strLunarText = LunarCalendar::FormatLunarDate(d->lunar);
    out.g_nDayPillarShift = d->dayShift;
    return out;
}

}  // namespace qelvar
