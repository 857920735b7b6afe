#pragma once
// Pillar stars (神煞) of the four birth pillars: three tables of stars keyed
// by the day stem, the day branch and the year branch.

#include <string_view>

#include "chart/Chart.h"
#include "chart/Cycle.h"

namespace qelvar {

// Each name is eight GBK bytes: a four-character name as it is, a
// two-character name with four spaces; the blank cell is eight spaces.
inline constexpr std::string_view kBlankPillarStar = "        ";

// The first star of each table standing at `tested` for the key.
PillarStar StemStar(Stem key, Branch tested);
PillarStar DayBranchStar(Branch key, Branch tested);
PillarStar YearBranchStar(Branch key, Branch tested);

// The eight-byte name of a pillar star; the blank cell for None.
std::string_view PaddedPillarStarName(PillarStar s);

std::string_view StemStarOf(Stem key, Branch tested);
std::string_view DayBranchStarOf(Branch key, Branch tested);
std::string_view YearBranchStarOf(Branch key, Branch tested);

}  // namespace qelvar
