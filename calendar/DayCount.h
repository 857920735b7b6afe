#pragma once
// The one pivot for date arithmetic: a signed count of days from 1970-01-01
// in the proleptic Gregorian calendar, after Howard Hinnant's
// days_from_civil / civil_from_days.

#include <array>
#include <concepts>
#include <type_traits>

namespace qelvar {

// Days before month M of a common Gregorian year, indexed by M - 1.
inline constexpr std::array<int, 12> MonthStartDays = {0,   31,  59,  90,  120, 151,
                                                       181, 212, 243, 273, 304, 334};
inline constexpr int kDaysInCommonYear = 365;

struct CivilDate {
    int year = 0;
    int month = 0;  // [1, 12]
    int day = 0;    // [1, 31]
};

constexpr bool IsGregorianLeapYear(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

// Length of month m in [1, 12] of Gregorian year y: [28, 31].
constexpr int DaysInGregorianMonth(int y, int m) {
    const int next = m == 12 ? kDaysInCommonYear : MonthStartDays[m];
    return next - MonthStartDays[m - 1] + (m == 2 && IsGregorianLeapYear(y) ? 1 : 0);
}

// True when (y, m, d) names a real Gregorian day.
constexpr bool IsValidGregorianDate(int y, int m, int d) {
    return m >= 1 && m <= 12 && d >= 1 && d <= DaysInGregorianMonth(y, m);
}

// Floor division and its non-negative remainder (b > 0): the one helper for
// the era arithmetic below and every cyclic count of the program (stems,
// branches, the sexagenary cycle, the palace ring).
template <std::signed_integral Int>
constexpr Int FloorDiv(Int a, Int b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}
template <std::signed_integral Int>
constexpr Int FloorMod(Int a, Int b) {
    return a - FloorDiv(a, b) * b;  // [0, b - 1]
}
static_assert(FloorDiv(-1, 400) == -1 && FloorMod(-1, 12) == 11);
static_assert(FloorMod(-13, 12) == 11 && FloorMod(23, 12) == 11 && FloorMod(-1, 10) == 9);
static_assert(FloorMod(-1LL, 60LL) == 59);

// Days from 1970-01-01 to a valid Gregorian date.  Int is long long where
// the year may be far outside the calendar's range.
template <std::signed_integral Int = int>
constexpr Int DaysFromCivil(std::type_identity_t<Int> y, int m, int d) {
    y -= m <= 2;
    const Int era = FloorDiv<Int>(y, 400);
    const Int yoe = y - era * 400;                                    // [0, 399]
    const int doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;  // [0, 365]
    const Int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;            // [0, 146096]
    return era * 146097 + doe - 719468;
}

// The Gregorian date of a day count.
constexpr CivilDate CivilFromDays(int z) {
    z += 719468;
    const int era = FloorDiv(z, 146097);
    const int doe = z - era * 146097;                                       // [0, 146096]
    const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;  // [0, 399]
    const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);                // [0, 365]
    const int mp = (5 * doy + 2) / 153;                                     // [0, 11]
    const int d = doy - (153 * mp + 2) / 5 + 1;                             // [1, 31]
    const int m = mp < 10 ? mp + 3 : mp - 9;                                // [1, 12]
    return {yoe + era * 400 + (m <= 2), m, d};
}

static_assert(DaysFromCivil(1970, 1, 1) == 0);
static_assert(DaysFromCivil(1901, 12, 1) - DaysFromCivil(1901, 1, 1) == MonthStartDays[11]);
static_assert(DaysFromCivil(2000, 3, 1) - DaysFromCivil(2000, 2, 28) == 2);
static_assert(CivilFromDays(DaysFromCivil(1901, 2, 19)).day == 19);

}  // namespace qelvar
