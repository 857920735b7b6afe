#pragma once
// The resolution of a birth moment as one line of Chinese for the form and
// the CLI: "北京时间 12:10 → 真太阳时 09:46（经度 −129.6 分，时差 −13.9 分）".

#include <string>

#include "moment/BirthMoment.h"

namespace qelvar {

std::string DescribeResolution(const BirthMoment& moment, const MomentResolution& r);

// "YYYY-MM-DD HH:MM" of a wall time, seconds dropped (never rounded).
std::string WallTimeText(const WallTime& t);
// "YYYY-MM-DD".
std::string DateText(const CivilDate& d);

// Minutes to one decimal, "−" (U+2212) before a negative value, "+" before
// a positive one: "−129.6", "+26.5", "0.0".
std::string SignedMinutesText(double minutes);

}  // namespace qelvar
