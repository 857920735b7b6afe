#pragma once
// Rule tables the chart steps place by and that the periods (运限) reuse
// with another stem or branch: the four transformations, the stem-keyed
// stars, 红鸾 天喜, the palace stems, 子年斗君 and the year-branch god cycles.

#include <array>
#include <string_view>

#include "chart/ChartNames.h"
#include "chart/Cycle.h"
#include "chart/School.h"

namespace qelvar {

// 十干四化 (禄 权 科 忌) by stem 甲..癸
// ("甲廉破武阳，乙机梁紫阴，丙同机昌廉，丁阴同机巨，戊贪阴右机，
//   己武贪梁曲，庚阳武阴同，辛巨阳曲昌，壬梁紫左武，癸破巨阴贪").
inline constexpr std::array<std::array<Star, 4>, 10> kFourTransformationTable = {{
    {Star::LianZhen, Star::PoJun, Star::WuQu, Star::TaiYang},
    {Star::TianJi, Star::TianLiang, Star::ZiWei, Star::TaiYin},
    {Star::TianTong, Star::TianJi, Star::WenChang, Star::LianZhen},
    {Star::TaiYin, Star::TianTong, Star::TianJi, Star::JuMen},
    {Star::TanLang, Star::TaiYin, Star::YouBi, Star::TianJi},
    {Star::WuQu, Star::TanLang, Star::TianLiang, Star::WenQu},
    {Star::TaiYang, Star::WuQu, Star::TaiYin, Star::TianTong},
    {Star::JuMen, Star::TaiYang, Star::WenQu, Star::WenChang},
    {Star::TianLiang, Star::ZiWei, Star::ZuoFu, Star::WuQu},
    {Star::PoJun, Star::JuMen, Star::TaiYin, Star::TanLang},
}};

// The row of a stem under the school's readings of 庚, 戊 and 壬.
constexpr std::array<Star, 4> TransformationRow(Stem stem, const School& school) {
    std::array<Star, 4> row = kFourTransformationTable[FloorMod(stem, 10)];
    if (stem == 6 && school.mutagenGeng == MutagenGeng::YangWuFuTong) row[2] = Star::TianFu;
    if (stem == 6 && school.mutagenGeng == MutagenGeng::YangWuTongYin) {
        row[2] = Star::TianTong;
        row[3] = Star::TaiYin;
    }
    if (stem == 4 && school.mutagenWu == MutagenWu::TanYinYangJi) row[2] = Star::TaiYang;
    if (stem == 8 && school.mutagenRen == MutagenRen::LiangZiFuWu) row[2] = Star::TianFu;
    return row;
}

// 小限 of age 1 by the year branch's triad (branch mod 4): 申子辰 戌, 巳酉丑
// 未, 寅午戌 辰, 亥卯未 丑; it moves forward a branch a year for a man
// (sex 0), backward for a woman.
inline constexpr std::array<Branch, 4> kMinorStart = {10, 7, 4, 1};
constexpr Branch MinorLimitBranch(Branch year, int sex, int age) {
    return FloorMod(kMinorStart[year % 4] + (sex == 0 ? age - 1 : 1 - age), 12);
}

// 驿马 by the branch triad (branch mod 4): 申子辰 寅, 巳酉丑 亥, 寅午戌 申, 亥卯未 巳.
inline constexpr std::array<Branch, 4> kMaBranch = {2, 11, 8, 5};

// 年解 counted backward from 戌 with the year branch.
constexpr Branch NianJieBranch(Branch year) {
    return FloorMod(10 - year, 12);
}

// Branches of the stem-keyed stars by stem 甲..癸.
// 禄存 ("甲禄到寅乙禄卯，丙戊禄在巳，丁己禄在午，庚禄居申辛禄酉，壬禄在亥癸禄子").
inline constexpr std::array<Branch, 10> kLuCunBranch = {2, 3, 5, 6, 5, 6, 8, 9, 11, 0};
// 天魁 天钺, the 贵人 pair of the stem: 甲戊 丑未, 乙己 子申, 丙丁 亥酉,
// 庚辛 午寅, 壬癸 卯巳.
inline constexpr std::array<Branch, 10> kTianKuiBranch = {1, 0, 11, 11, 1, 0, 6, 6, 3, 3};
inline constexpr std::array<Branch, 10> kTianYueBranch = {7, 8, 9, 9, 7, 8, 2, 2, 5, 5};
// The row of those tables a stem reads: the 丑未 reading gives 庚 the pair
// of 甲 and 戊.
constexpr Stem KuiYueRow(Stem stem, KuiYueRule rule) {
    return stem == 6 && rule == KuiYueRule::ChouWei ? 0 : stem;
}

// 红鸾 counted backward from 卯 with the year branch (子年在卯); 天喜 opposite.
constexpr Branch HongLuanBranch(Branch year) {
    return FloorMod(3 - year, 12);
}
constexpr Branch TianXiBranch(Branch year) {
    return FloorMod(9 - year, 12);
}
static_assert(HongLuanBranch(0) == 3 && TianXiBranch(0) == 9 && HongLuanBranch(5) == 10);

// 五虎遁 start of the palace stems: the stem of the 寅 cell is
// (offset mod 10) for the year stem ("甲己之年丙作首": 甲己 丙寅, 乙庚 戊寅,
// 丙辛 庚寅, 丁壬 壬寅, 戊癸 甲寅).  Indexed by year stem mod 5.
inline constexpr std::array<int, 5> kPalaceStemOffset = {12, 14, 16, 18, 10};

// Stem of the palace in cell p for a year stem; 子 and 丑 repeat 寅 and 卯.
constexpr Stem PalaceStemOf(Stem yearStem, PalaceIndex p) {
    return FloorMod(Ring(p) + kPalaceStemOffset[FloorMod(yearStem, 5)], 10);
}
static_assert(PalaceStemOf(6, 6) == 0 && PalaceStemOf(6, 10) == 4);  // 庚年 甲申, 戊子

// 子年斗君: from 子, back by the birth month and on by the birth hour.
constexpr Branch DouJunBranch(int hour, int lunarMonth) {
    return FloorMod(hour + 13 - lunarMonth, 12);
}
static_assert(DouJunBranch(0, 1) == 0 && DouJunBranch(11, 12) == 0 && DouJunBranch(0, 12) == 1);

// Cell of 岁前 god i for a year branch: 丧门 two cells after the year's cell.
constexpr PalaceIndex SuiQianCell(Branch year, int i) {
    return Ring(year + i);
}
// Cell of 将星 by year branch mod 4: 申子辰 子, 巳酉丑 酉, 寅午戌 午, 亥卯未 卯.
inline constexpr std::array<PalaceIndex, 4> kJiangXingCell = {10, 7, 4, 1};
constexpr PalaceIndex JiangQianCell(Branch year, int i) {
    return Ring(kJiangXingCell[FloorMod(year, 4)] + i);
}
static_assert(SuiQianCell(0, 10) == CellOfBranch(0) && JiangQianCell(11, 0) == CellOfBranch(3));

}  // namespace qelvar
