// Chart steps 6-14: the auxiliary stars.  Each takes the first free position
// of its cell's star-slot sequence.
#include <array>

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
    const int h = Birth().hour;
    PlaceInFreeSlot(20 - h, Star::WenChang, kSearch10);
    PlaceInFreeSlot(h + 2, Star::WenQu, kSearch10);
}

void ZiWeiChart::PlaceFuBi() {
    const int m = Birth().lunarMonth;
    PlaceInFreeSlot(m + 1, Star::ZuoFu, kSearch10);
    PlaceInFreeSlot(21 - m, Star::YouBi, kSearch10);
}

void ZiWeiChart::PlaceLuCun() {
    PlaceInFreeSlot(CellOfBranch(kLuCunBranch[m_chart.yearStem]), Star::LuCun, kSearch10);
}

void ZiWeiChart::PlaceKuiYue() {
    const Stem s = m_chart.yearStem;
    const Stem row = KuiYueRow(s, m_chart.school.kuiYue);
    PlaceInFreeSlot(CellOfBranch(kTianKuiBranch[row]), Star::TianKui, kSearch10);
    PlaceInFreeSlot(CellOfBranch(kTianYueBranch[row]), Star::TianYue, kSearch10);
}

void ZiWeiChart::PlaceHuoLing() {
    const Branch y = YearBranchOf(Birth().lunarYear);
    m_chart.yearBranch = y;
    const HuoLingStart& start = kHuoLingStart[y % 4];
    PlaceInFreeSlot(start.huo + Birth().hour, Star::HuoXing, kSearch15);
    PlaceInFreeSlot(start.ling + Birth().hour, Star::LingXing, kSearch15);
}

void ZiWeiChart::PlaceYangTuo() {
    const std::optional<PalaceIndex> lu = FindStarCell(Star::LuCun);
    if (!lu) return;
    PlaceInFreeSlot(*lu + 1, Star::QingYang, kSearch15);
    PlaceInFreeSlot(*lu + 11, Star::TuoLuo, kSearch15);
}

void ZiWeiChart::PlaceKongJie() {
    const int h = Birth().hour;
    PlaceInFreeSlot(21 - h, Star::DiKong, kSearch15);
    PlaceInFreeSlot(h + 9, Star::DiJie, kSearch15);
}

void ZiWeiChart::PlaceTianMa() {
    const Branch b = m_chart.school.tianMa == TianMaRule::Year
                         ? kMaBranch[m_chart.yearBranch % 4]
                         : kTianMaBranch[FloorMod(Birth().lunarMonth - 1, 4)];
    PlaceInFreeSlot(CellOfBranch(b), Star::TianMa, kSearch15);
}

void ZiWeiChart::PlaceYaoXing() {
    const int m = Birth().lunarMonth;
    PlaceInFreeSlot(m + 10, Star::TianYao, kSearch15);
    PlaceInFreeSlot(m + 6, Star::TianXing, kSearch15);
}

}  // namespace qelvar
