#pragma once
// The equation of time: apparent solar time minus mean solar time, from the
// IAU SOFA routines of ERFA (Earth ephemeris eraEpv00, IAU 2000B
// precession-nutation, Greenwich apparent sidereal time).

#include <chrono>

namespace qelvar {

// First and last years EquationOfTimeMinutes accepts (the span of the
// Earth ephemeris it is sampled from, with a margin round the calendar).
inline constexpr int kEquationOfTimeFirstYear = 1900;
inline constexpr int kEquationOfTimeLastYear = 2100;

// The equation of time at a UTC instant, computed directly (about 25 µs).
double ComputeEquationOfTimeMinutes(std::chrono::sys_seconds utc);

// The same, interpolated from samples computed once per stretch of time and
// kept: within 0.25 s of the direct value.  The instant must lie within
// kEquationOfTimeFirstYear..kEquationOfTimeLastYear.  Not thread-safe.
double EquationOfTimeMinutes(std::chrono::sys_seconds utc);

}  // namespace qelvar
