#include "calendar/DayCount.h"
#include "calendar/SolarTermMoments.h"

namespace qelvar {

using std::chrono::sys_seconds;

sys_seconds SolarTermMoment(int year, int index) {
    const SolarTermMomentRow& row =
        SolarTermMoments[static_cast<std::size_t>(year - kFirstTermYear)];
    const std::chrono::sys_days newYear{std::chrono::days{DaysFromCivil(year, 1, 1)}};
    return newYear + std::chrono::seconds{row[static_cast<std::size_t>(index - 1)]};
}

Jie LastJieAtOrBefore(sys_seconds instant) {
    constexpr Jie kFirst{kFirstTermYear, 1};
    constexpr Jie kLast{kLastTermYear, 23};
    if (instant < SolarTermMoment(kFirst.year, kFirst.index)) return kFirst;
    if (instant >= SolarTermMoment(kLast.year, kLast.index)) return kLast;
    // The 节 sought falls in the instant's UTC year or, before that year's
    // 小寒, is the 大雪 of the year before.
    const auto day = std::chrono::floor<std::chrono::days>(instant).time_since_epoch().count();
    const int year = CivilFromDays(static_cast<int>(day)).year;  // [1901, 2051]
    for (int index = 23; index >= 1; index -= 2)
        if (SolarTermMoment(year, index) <= instant) return {year, index};
    return {year - 1, 23};
}

}  // namespace qelvar
