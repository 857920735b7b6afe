#pragma once
// A birth given as a clock time to BirthData: the chart's Gregorian date,
// double-hour and sub-period from the resolved moment (true solar time when
// used), and the moment's UTC instant for the pillars at the exact 节.

#include "birth/BirthBuilder.h"
#include "moment/BirthMoment.h"

namespace qelvar {

// `sex`: 0 male, 1 female.  Fails with kErrorDate outside the calendar.
BirthBuild BirthFromMoment(const MomentResolution& moment, int sex);

// The birth time a resolved moment selects.
BirthTime BirthTimeOf(const MomentResolution& moment, int sex);

}  // namespace qelvar
