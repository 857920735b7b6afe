#include "calendar/LunarCalendar.h"

#include <algorithm>

#include "calendar/CalendarNames.h"
#include "calendar/DayCount.h"
#include "calendar/LunarYearTable.h"
#include "calendar/SolarTermTable.h"

namespace qelvar {

namespace {

// DayNumber: days after 1901-02-18, so DayNumber 1 is lunar 1901 正月初一.
constexpr int kDayNumberEpoch = DaysFromCivil(1901, 2, 18);

constexpr int DayNumberOf(int y, int m, int d) {
    return DaysFromCivil(y, m, d) - kDayNumberEpoch;
}

// Table positions of a year: 13 when it has a leap month, else 12.
constexpr int PositionCount(std::uint32_t entry) {
    return HasThirteenMonths(entry) ? 13 : 12;
}

// Length (29 or 30) of table position p (1-based) of a year.
constexpr int PositionLength(std::uint32_t entry, int p) {
    const int k = HasThirteenMonths(entry) ? 12 : 11;  // bit of position 1
    return 29 + static_cast<int>((entry >> (k - p + 1)) & 1U);
}

constexpr int YearLength(std::uint32_t entry) {
    int days = 0;
    for (int p = 1; p <= PositionCount(entry); ++p) days += PositionLength(entry, p);
    return days;  // [348, 390]
}

// DayNumber of each lunar new year; the last element is one past the last
// day of lunar 2050.  Summing the year lengths of the table, as the table
// walk of SolarToLunar does, once at compile time.
constexpr auto kNewYearDay = [] {
    std::array<int, kLunarYearCount + 1> days{};
    days[0] = 1;
    for (int i = 0; i < kLunarYearCount; ++i) days[i + 1] = days[i] + YearLength(LunarYearTable[i]);
    return days;
}();

static_assert(kNewYearDay[2000 - kFirstLunarYear] == DayNumberOf(2000, 2, 5));
static_assert(kNewYearDay[2050 - kFirstLunarYear] == DayNumberOf(2050, 1, 23));
static_assert(kNewYearDay[kLunarYearCount] - 1 == DayNumberOf(2051, 2, 10));

// Month and leap flag of table position p in a year.
constexpr LunarDate MonthOfPosition(std::uint32_t entry, int p) {
    LunarDate d;
    const int leap = LeapMonthOf(entry);
    if (!HasThirteenMonths(entry) || p <= leap) {
        d.month = static_cast<std::uint16_t>(p);
    } else if (p == leap + 1) {
        d.month = static_cast<std::uint16_t>(leap);
        d.leap = 1;
    } else {
        d.month = static_cast<std::uint16_t>(p - 1);
    }
    return d;
}

// Table position of (month, leap) in a year; 0 when the year has no such month.
constexpr int PositionOfMonth(std::uint32_t entry, int month, int leap) {
    if (month < 1 || month > 12 || (leap != 0 && leap != 1)) return 0;
    const int leapMonth = LeapMonthOf(entry);
    if (leap == 1) return HasThirteenMonths(entry) && month == leapMonth ? leapMonth + 1 : 0;
    return HasThirteenMonths(entry) && month > leapMonth ? month + 1 : month;
}

// Solar month codes opened by the 节 of Gregorian month m: before the 节
// day and from it on.  February carries the two codes of the turn at 立春.
struct SolarMonthPair {
    SolarMonthCode before;
    SolarMonthCode onOrAfter;
};
constexpr SolarMonthPair SolarMonthsAround(int m) {
    if (m == 1) return {11, 12};  // 小寒 opens 丑
    if (m == 2) return {14, 13};  // 立春 opens 寅 inside February
    return {m - 2, m - 1};        // 惊蛰 .. 大雪 open 卯 .. 子
}

}  // namespace

std::optional<LunarDate> LunarCalendar::SolarToLunar(const SolarDate& solar) const {
    if (!IsValidGregorianDate(solar.year, solar.month, solar.day)) return std::nullopt;
    int n = DayNumberOf(solar.year, solar.month, solar.day);
    if (n <= 0 || n >= kNewYearDay[kLunarYearCount]) return std::nullopt;

    // The year whose new year is the last one on or before day n.
    const auto next = std::upper_bound(kNewYearDay.begin(), kNewYearDay.end(), n);
    const int i = static_cast<int>(next - kNewYearDay.begin()) - 1;  // [0, 149]
    const std::uint32_t entry = LunarYearTable[static_cast<std::size_t>(i)];
    n -= kNewYearDay[static_cast<std::size_t>(i)] - 1;  // [1, year length]

    // Walk the months of the year; the last day of a month stays in it.
    int p = 1;
    for (int len = PositionLength(entry, p); n > len; len = PositionLength(entry, p)) {
        n -= len;
        ++p;  // [1, 13]
    }
    LunarDate out = MonthOfPosition(entry, p);
    out.year = static_cast<std::uint16_t>(kFirstLunarYear + i);
    out.day = static_cast<std::uint16_t>(n);  // [1, 30]
    return out;
}

std::optional<SolarDate> LunarCalendar::LunarToSolar(const LunarDate& lunar) const {
    // The search over Gregorian days starts at the day with the lunar date's
    // numbers, or at the end of that Gregorian month when the numbers are no
    // Gregorian date (lunar 2-30), and never before the first day of the range.
    const int y = lunar.year;
    const int m = lunar.month;
    if (m < 1 || m > 12) return std::nullopt;
    const int startDay = std::min<int>(lunar.day, DaysInGregorianMonth(y, m));
    if (startDay < 1) return std::nullopt;  // day 0 is never produced, so never found
    const int start = std::max(DayNumberOf(y, m, startDay), 1);

    // The day the lunar date falls on, if it exists at all.
    if (y < kFirstLunarYear || y > kLastLunarYear) return std::nullopt;
    const std::uint32_t entry = LunarYearTable[static_cast<std::size_t>(y - kFirstLunarYear)];
    const int p = PositionOfMonth(entry, m, lunar.leap);
    if (p == 0 || lunar.day < 1 || lunar.day > PositionLength(entry, p)) return std::nullopt;
    int target = kNewYearDay[static_cast<std::size_t>(y - kFirstLunarYear)];
    for (int q = 1; q < p; ++q) target += PositionLength(entry, q);
    target += lunar.day - 1;

    // The search tries 100 consecutive days from the start and only forward.
    constexpr int kTries = 100;
    if (target < start || target >= start + kTries) return std::nullopt;
    const CivilDate g = CivilFromDays(target + kDayNumberEpoch);
    return SolarDate{static_cast<std::uint16_t>(g.year), static_cast<std::uint16_t>(g.month),
                     static_cast<std::uint16_t>(g.day)};
}

int LunarCalendar::LeapMonth(int year) {
    if (year < kFirstLunarYear || year > kLastLunarYear) return 0;
    return LeapMonthOf(LunarYearTable[static_cast<std::size_t>(year - kFirstLunarYear)]);
}

int LunarCalendar::MonthDays(int year, int month, int leap) {
    if (year < kFirstLunarYear || year > kLastLunarYear) return 0;
    const std::uint32_t entry = LunarYearTable[static_cast<std::size_t>(year - kFirstLunarYear)];
    const int p = PositionOfMonth(entry, month, leap);
    return p == 0 ? 0 : PositionLength(entry, p);
}

LunarDate LunarCalendar::StepMonth(LunarDate month, int steps) {
    for (; steps > 0; --steps) {
        if (month.leap == 0 && month.month == LeapMonth(month.year)) {
            month.leap = 1;  // the leap month follows its namesake
        } else {
            month.leap = 0;
            month.month = static_cast<std::uint16_t>(month.month % 12 + 1);
            if (month.month == 1) ++month.year;
        }
    }
    for (; steps < 0; ++steps) {
        if (month.leap == 1) {
            month.leap = 0;
            continue;
        }
        if (month.month == 1) {
            --month.year;
            month.month = 12;
        } else {
            --month.month;
        }
        month.leap = month.month == LeapMonth(month.year) ? 1 : 0;
    }
    return month;
}

std::string LunarCalendar::FormatLunarDate(int year, int month, int day, int leap) {
    // Remainders keep the sign of the dividend, so years below 4 give a
    // negative index and the year error.
    const int cycle = (year - 4) % 60;  // (-60, 60)
    const int branch = cycle % 12;      // (-12, 12)
    const int stem = cycle % 10;        // (-10, 10)
    if (branch < 0 || stem < 0) return "Error Year";
    if (month < 0 || month >= 13) return "Error Month";
    if (day < 0 || day >= 31) return "Error Day";

    std::string text;
    text.reserve(48);
    text += AnimalNames[static_cast<std::size_t>(branch)];
    text += '(';
    text += StemNames[static_cast<std::size_t>(stem)];
    text += BranchNames[static_cast<std::size_t>(branch)];
    text += ")年";
    if (leap != 0) text += "闰";
    text += LunarMonthNames[static_cast<std::size_t>(month)];
    text += "月";
    text += LunarDayNames[static_cast<std::size_t>(day)];
    return text;
}

std::chrono::year_month_day LunarCalendar::ToDateValue(int year, int month, int day) {
    // Numbers outside what the chrono fields can hold give an invalid value
    // rather than a wrapped-around one.
    if (year < -32767 || year > 32767 || month < 0 || month > 255 || day < 0 || day > 255) {
        return std::chrono::year_month_day{std::chrono::year{0}, std::chrono::month{0},
                                           std::chrono::day{0}};
    }
    return std::chrono::year_month_day{std::chrono::year{year},
                                       std::chrono::month{static_cast<unsigned>(month)},
                                       std::chrono::day{static_cast<unsigned>(day)}};
}

std::uint16_t LunarCalendar::SolarTermIndex(int year, int month, int day) const {
    if (year < kFirstTermYear || year > kLastTermYear || month < 1 || month > 12) {
        return kNoSolarTerm;  // nothing is read outside the table
    }
    const std::uint32_t e =
        SolarTermTable[static_cast<std::size_t>((year - kFirstTermYear) * 12 + (month - 1))];
    const int termDay = day < 15 ? 15 - static_cast<int>((e >> 4) & 0xFU)  // [0, 15]
                                 : static_cast<int>(e & 0xFU) + 15;        // [15, 30]
    if (day != termDay) return kNoSolarTerm;
    return static_cast<std::uint16_t>(2 * month - 1 + (day > 15 ? 1 : 0));  // [1, 24]
}

std::string LunarCalendar::SolarTerm(int year, int month, int day) {
    const std::string name{SolarTermNames[SolarTermIndex(year, month, day)]};
    m_strSolarTerm = name;

    // The month's 节 (an odd term index) decides the solar month: its day
    // already belongs to the new solar month.  Outside the table there is
    // no 节 and the code is 0 (unknown).
    m_nSolarMonth = 0;
    for (int i = 1; i <= 30; ++i) {
        const int t = SolarTermIndex(year, month, i);
        if (t == kNoSolarTerm || t % 2 == 0) continue;
        const SolarMonthPair codes = SolarMonthsAround(month);
        m_nSolarMonth = day < i ? codes.before : codes.onOrAfter;
        break;
    }
    return name;
}

}  // namespace qelvar
