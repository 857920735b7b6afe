// Chart steps 6-14: the auxiliary stars.  Each is written into the first
// free slot of its cell's star-slot sequence.
#include <array>
#include <string>

#include "chart/StarTables.h"
#include "chart/ZiWei.h"

namespace qelvar {

namespace {

constexpr int kSearch10 = 10;
constexpr int kSearch15 = 15;

// 天马 by the lunar month, in groups of the month's branch triad (month 1 =
// 寅): months 1 5 9 申, 2 6 10 巳, 3 7 11 寅, 4 8 12 亥; indexed by (month - 1) mod 4.
constexpr std::array<Branch, 4> kTianMaBranch = {8, 5, 2, 11};

// 火星 铃星 by the year-branch triad (寅午戌, 申子辰, 巳酉丑, 亥卯未): the cell at
// hour 子, counted forward with the hour.
struct HuoLingStart {
    PalaceIndex huo;
    PalaceIndex ling;
};
// Triad of a branch: 0 申子辰, 1 巳酉丑, 2 寅午戌, 3 亥卯未 (branch mod 4).
constexpr std::array<HuoLingStart, 4> kHuoLingStart = {{{0, 8}, {1, 8}, {11, 1}, {7, 8}}};

}  // namespace

void ZiWeiChart::PlaceChangQu() {
    PlaceInFreeSlot(20 - m_nHour, "文昌", kSearch10);
    PlaceInFreeSlot(m_nHour + 2, "文曲", kSearch10);
}

void ZiWeiChart::PlaceFuBi() {
    const int m = LunarMonth();
    PlaceInFreeSlot(m + 1, "左辅", kSearch10);
    PlaceInFreeSlot(21 - m, "右弼", kSearch10);
}

void ZiWeiChart::PlaceLuCun() {
    const int s = StemIndex(m_strYearStem);
    if (s < 0) return;
    PlaceInFreeSlot(CellOfBranch(kLuCunBranch[s]), "禄存", kSearch10);
}

void ZiWeiChart::PlaceKuiYue() {
    const int s = StemIndex(m_strYearStem);
    if (s < 0) return;
    PlaceInFreeSlot(CellOfBranch(kTianKuiBranch[s]), "天魁", kSearch10);
    PlaceInFreeSlot(CellOfBranch(kTianYueBranch[s]), "天钺", kSearch10);
}

void ZiWeiChart::PlaceHuoLing() {
    const Branch y = YearBranch();
    m_strYearBranch = std::string(BranchName(y));
    const HuoLingStart& start = kHuoLingStart[y % 4];
    PlaceInFreeSlot(start.huo + m_nHour, "火星", kSearch15);
    PlaceInFreeSlot(start.ling + m_nHour, "铃星", kSearch15);
}

void ZiWeiChart::PlaceYangTuo() {
    const std::optional<PalaceIndex> lu = FindStarCell("禄存");
    if (!lu) return;
    PlaceInFreeSlot(*lu + 1, "擎羊", kSearch15);
    PlaceInFreeSlot(*lu + 11, "陀罗", kSearch15);
}

void ZiWeiChart::PlaceKongJie() {
    PlaceInFreeSlot(21 - m_nHour, "地空", kSearch15);
    PlaceInFreeSlot(m_nHour + 9, "地劫", kSearch15);
}

void ZiWeiChart::PlaceTianMa() {
    PlaceInFreeSlot(CellOfBranch(kTianMaBranch[FloorMod(LunarMonth() - 1, 4)]), "天马", kSearch15);
}

void ZiWeiChart::PlaceYaoXing() {
    const int m = LunarMonth();
    PlaceInFreeSlot(m + 10, "天姚", kSearch15);
    PlaceInFreeSlot(m + 6, "天刑", kSearch15);
}

}  // namespace qelvar
