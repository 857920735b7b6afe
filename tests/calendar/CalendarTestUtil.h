#pragma once
// Helpers shared by the calendar tests: an independent walk over Gregorian
// days and a straightforward reference of the conversion rules.

#include <optional>

#include "calendar/DayCount.h"
#include "calendar/LunarCalendar.h"
#include "calendar/LunarYearTable.h"

namespace qelvar::test {

inline SolarDate SolarOfDays(int days) {
    const CivilDate c = CivilFromDays(days);
    return {static_cast<std::uint16_t>(c.year), static_cast<std::uint16_t>(c.month),
            static_cast<std::uint16_t>(c.day)};
}

inline int DaysOf(const SolarDate& s) {
    return DaysFromCivil(s.year, s.month, s.day);
}

// Gregorian -> lunar the plain way: count the days from 1901-02-18 with
// the every-fourth-year rule and walk the packed table bit by bit.
inline std::optional<LunarDate> ReferenceSolarToLunar(int y, int m, int d) {
    int n = (y - 1901) * 365 + (y - 1901) / 4 + MonthStartDays[static_cast<std::size_t>(m - 1)] +
            d - 49;
    if (n <= 0) return std::nullopt;
    if (y % 4 == 0 && m > 2) ++n;
    for (int i = 0;; ++i) {
        if (i == kLunarYearCount) return std::nullopt;
        const std::uint32_t e = LunarYearTable[static_cast<std::size_t>(i)];
        const int k = e >= 4095 ? 12 : 11;
        for (int b = k; b >= 0; --b) {
            const int len = 29 + static_cast<int>((e >> b) & 1U);
            if (n <= len) {
                const int p = k - b + 1;
                LunarDate out;
                out.year = static_cast<std::uint16_t>(1901 + i);
                out.day = static_cast<std::uint16_t>(n);
                const int leap = static_cast<int>(e >> 16);
                if (k == 11 || p <= leap) {
                    out.month = static_cast<std::uint16_t>(p);
                } else if (p == leap + 1) {
                    out.month = static_cast<std::uint16_t>(leap);
                    out.leap = 1;
                } else {
                    out.month = static_cast<std::uint16_t>(p - 1);
                }
                return out;
            }
            n -= len;
        }
    }
}

// Lunar -> Gregorian as a forward search of at most 100 days, starting at
// the day with the same numbers (the month's last day when those numbers
// are no date, 1901-02-19 when they lie before it).
inline std::optional<SolarDate> ReferenceLunarToSolar(const LunarCalendar& cal,
                                                      const LunarDate& in) {
    if (in.month < 1 || in.month > 12 || in.day < 1) return std::nullopt;
    int day = in.day;
    if (!IsValidGregorianDate(in.year, in.month, day)) {
        day = DaysInGregorianMonth(in.year, in.month);
    }
    int g = std::max(DaysFromCivil(in.year, in.month, day), DaysFromCivil(1901, 2, 19));
    for (int tries = 0; tries < 100; ++tries, ++g) {
        const SolarDate s = SolarOfDays(g);
        const auto l = cal.SolarToLunar(s);
        if (!l) return std::nullopt;
        if (*l == in) return s;
    }
    return std::nullopt;
}

inline const int kFirstDay = DaysFromCivil(1901, 2, 19);
inline const int kLastDay = DaysFromCivil(2051, 2, 10);

}  // namespace qelvar::test
