#pragma once
// Moments of the 24 solar terms to the second, 1901..2051 (the table itself
// is generated: SolarTermMoments.cpp), and the lookup the year and month
// pillars need: the last 节 at or before an instant.

#include <array>
#include <chrono>
#include <cstdint>

#include "calendar/SolarTermTable.h"

namespace qelvar {

inline constexpr int kSolarTermYears = kLastTermYear - kFirstTermYear + 1;  // 151

// One year: seconds from 1 January 00:00 UTC of the year to each term,
// index 0 小寒 .. 23 冬至 (term index 1..24 less one).  [0, 31622400)
using SolarTermMomentRow = std::array<std::int32_t, 24>;

extern const std::array<SolarTermMomentRow, kSolarTermYears> SolarTermMoments;

// The moment of term `index` (1..24, 小寒 = 1) of `year`
// (kFirstTermYear..kLastTermYear).
std::chrono::sys_seconds SolarTermMoment(int year, int index);

// A 节 (the first term of a Gregorian month, odd index) and its year.
struct Jie {
    int year = 0;
    int index = 0;  // 1, 3, .., 23: 小寒, 立春, .., 大雪
    friend bool operator==(const Jie&, const Jie&) = default;
};

// The last 节 whose moment is at or before `instant`.  Outside the table it
// gives the first (before it) or the last 节 of the table.
Jie LastJieAtOrBefore(std::chrono::sys_seconds instant);

}  // namespace qelvar
