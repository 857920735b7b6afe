#pragma once
// Days of the 24 solar terms, one entry per Gregorian month of 1901..2051
// (entry (Y - 1901) * 12 + (M - 1)).  Bits 4..7 (h): the month's first term
// falls on day 15 - h; bits 0..3 (l): its second term falls on day 15 + l.
// The table itself is generated (SolarTermTable.cpp).

#include <array>
#include <cstdint>

namespace qelvar {

inline constexpr int kFirstTermYear = 1901;
inline constexpr int kLastTermYear = 2051;  // the 2051 row serves Jan/Feb 2051
inline constexpr int kSolarTermTableSize = (kLastTermYear - kFirstTermYear + 1) * 12;  // 1812

extern const std::array<std::uint32_t, kSolarTermTableSize> SolarTermTable;

}  // namespace qelvar
