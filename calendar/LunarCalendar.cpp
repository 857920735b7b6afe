#include "calendar/LunarCalendar.h"

namespace qelvar {

LunarCalendar::LunarCalendar() = default;
LunarCalendar::~LunarCalendar() = default;

}  // namespace qelvar
