#pragma once
// The UTC instant of a birth given the old way: a Gregorian date on the
// clock of China Standard Time (UTC+8 all year, no daylight saving), a
// double-hour and a ten-minute sub-period.  The instant is the middle of
// the sub-period, so it is the instant a clock time inside that sub-period
// resolves to, give or take five minutes.

#include <chrono>

namespace qelvar {

inline constexpr int kLateZiHour = 12;  // 夜子: 23:00-24:00 of the same date
inline constexpr std::chrono::hours kChinaStandardOffset{8};

// Start of double-hour h in 0..12 from midnight of the birth date: 2h - 1
// o'clock, so 子 (0) starts at 23:00 of the previous evening, 丑 (1) at
// 01:00 and 夜子 (12) at 23:00 of the same date.
constexpr std::chrono::minutes DoubleHourStart(int h) {
    return std::chrono::minutes{(2 * h - 1) * 60};  // [-60, 1380]
}

// Middle of sub-period `slot` (0..11) of double-hour `h` (0..12) on `date`
// in China Standard Time, as a UTC instant.
constexpr std::chrono::sys_seconds SubPeriodMiddle(std::chrono::sys_days date, int h, int slot) {
    const std::chrono::minutes local = DoubleHourStart(h) + std::chrono::minutes{10 * slot + 5};
    return date + local - kChinaStandardOffset;
}

static_assert(DoubleHourStart(0) == std::chrono::minutes{-60});
static_assert(DoubleHourStart(kLateZiHour) == std::chrono::hours{23});
// 子, sub-period 9: 00:35 CST = 16:35 UTC of the evening before.
static_assert(SubPeriodMiddle(std::chrono::sys_days{std::chrono::days{1}}, 0, 9) ==
              std::chrono::sys_seconds{std::chrono::hours{16} + std::chrono::minutes{35}});

}  // namespace qelvar
