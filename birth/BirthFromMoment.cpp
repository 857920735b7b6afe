#include "birth/BirthFromMoment.h"

namespace qelvar {

BirthTime BirthTimeOf(const MomentResolution& m, int sex) {
    return {.doubleHour = m.hour, .minuteSlot = m.minuteSlot, .sex = sex, .instant = m.utc};
}

BirthBuild BirthFromMoment(const MomentResolution& m, int sex) {
    const std::chrono::year_month_day date{std::chrono::year{m.date.year},
                                           std::chrono::month{static_cast<unsigned>(m.date.month)},
                                           std::chrono::day{static_cast<unsigned>(m.date.day)}};
    return BirthFromSolar(date, BirthTimeOf(m, sex));
}

}  // namespace qelvar
