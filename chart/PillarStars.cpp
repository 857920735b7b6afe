// Chart step 41: the pillar-star block, three column-aligned lines.
#include "chart/PillarStars.h"

#include <array>

#include "chart/Pillars.h"
#include "chart/ZiWei.h"

namespace qelvar {

namespace {

template <std::size_t Keys>
struct StarRow {
    PillarStar star;
    std::array<Branch, Keys> branchOf;  // where the star stands, by key
};

// Stem stars by day stem 甲..癸: 天乙贵人 ("甲戊庚牛羊，乙己鼠猴乡，丙丁猪鸡位，
// 壬癸兔蛇藏，六辛逢马虎"), 文昌贵人, 沐浴, 干禄, 羊刃, 红艳, 金舆.
constexpr std::array<StarRow<10>, 8> kStemStars = {{
    {PillarStar::TianYiGuiRen, {1, 0, 11, 11, 1, 0, 1, 6, 3, 3}},
    {PillarStar::TianYiGuiRen, {7, 8, 9, 9, 7, 8, 7, 2, 5, 5}},
    {PillarStar::WenChangGuiRen, {5, 6, 8, 9, 8, 9, 11, 0, 2, 3}},
    {PillarStar::MuYu, {0, 5, 3, 8, 3, 8, 6, 11, 9, 2}},
    {PillarStar::GanLu, {2, 3, 5, 6, 5, 6, 8, 9, 11, 0}},
    {PillarStar::YangRen, {3, 4, 6, 7, 6, 7, 9, 10, 0, 1}},
    {PillarStar::HongYan, {6, 6, 2, 7, 4, 4, 10, 9, 0, 8}},
    {PillarStar::JinYu, {4, 5, 7, 8, 7, 8, 10, 11, 1, 2}},
}};

// Branch stars by the key branch 子..亥, from its triad (申子辰, 寅午戌, 巳酉丑,
// 亥卯未): 驿马 the 冲 of the triad's 长生, 华盖 its 墓, 桃花 (咸池) its 沐浴,
// 劫煞, 亡神, 将星 its 旺, 灾煞.
constexpr StarRow<12> kYiMa = {PillarStar::YiMa, {2, 11, 8, 5, 2, 11, 8, 5, 2, 11, 8, 5}};
constexpr StarRow<12> kHuaGai = {PillarStar::HuaGai, {4, 1, 10, 7, 4, 1, 10, 7, 4, 1, 10, 7}};
constexpr StarRow<12> kTaoHua = {PillarStar::TaoHua, {9, 6, 3, 0, 9, 6, 3, 0, 9, 6, 3, 0}};
constexpr StarRow<12> kJieSha = {PillarStar::JieSha, {5, 2, 11, 8, 5, 2, 11, 8, 5, 2, 11, 8}};
constexpr StarRow<12> kWangShen = {PillarStar::WangShen, {11, 8, 5, 2, 11, 8, 5, 2, 11, 8, 5, 2}};
constexpr StarRow<12> kJiangXing = {PillarStar::JiangXing, {0, 9, 6, 3, 0, 9, 6, 3, 0, 9, 6, 3}};
constexpr StarRow<12> kZaiSha = {PillarStar::ZaiSha, {6, 3, 0, 9, 6, 3, 0, 9, 6, 3, 0, 9}};
// By the year branch alone: 红鸾, 天喜, 孤辰, 寡宿.
constexpr StarRow<12> kHongLuan = {PillarStar::HongLuan, {3, 2, 1, 0, 11, 10, 9, 8, 7, 6, 5, 4}};
constexpr StarRow<12> kTianXi = {PillarStar::TianXi, {9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 11, 10}};
constexpr StarRow<12> kGuChen = {PillarStar::GuChen, {2, 2, 5, 5, 5, 8, 8, 8, 11, 11, 11, 2}};
constexpr StarRow<12> kGuaSu = {PillarStar::GuaSu, {10, 10, 1, 1, 1, 4, 4, 4, 7, 7, 7, 10}};

constexpr std::array<StarRow<12>, 6> kDayBranchStars = {
    {kYiMa, kHuaGai, kTaoHua, kJieSha, kWangShen, kJiangXing}};
constexpr std::array<StarRow<12>, 10> kYearBranchStars = {
    {kJiangXing, kYiMa, kHuaGai, kJieSha, kZaiSha, kTaoHua, kHongLuan, kTianXi, kGuChen, kGuaSu}};

template <std::size_t Keys, std::size_t Rows>
PillarStar FirstMatch(const std::array<StarRow<Keys>, Rows>& table, int key, Branch tested) {
    for (const auto& row : table)
        if (row.branchOf[key] == tested) return row.star;
    return PillarStar::None;
}

}  // namespace

PillarStar StemStar(Stem key, Branch tested) {
    return FirstMatch(kStemStars, FloorMod(key, 10), tested);
}
PillarStar DayBranchStar(Branch key, Branch tested) {
    return FirstMatch(kDayBranchStars, FloorMod(key, 12), tested);
}
PillarStar YearBranchStar(Branch key, Branch tested) {
    return FirstMatch(kYearBranchStars, FloorMod(key, 12), tested);
}

std::string_view PaddedPillarStarName(PillarStar s) {
    // Two-character names take four spaces after them; the blank cell is
    // eight spaces.
    static constexpr std::array<std::string_view, 19> kPadded = {
        "        ", "天乙贵人", "文昌贵人", "沐浴    ", "干禄    ", "羊刃    ", "红艳    ",
        "金舆    ", "驿马    ", "华盖    ", "桃花    ", "劫煞    ", "亡神    ", "将星    ",
        "灾煞    ", "红鸾    ", "天喜    ", "孤辰    ", "寡宿    "};
    return kPadded[static_cast<int>(s)];
}

std::string_view StemStarOf(Stem key, Branch tested) {
    return PaddedPillarStarName(StemStar(key, tested));
}
std::string_view DayBranchStarOf(Branch key, Branch tested) {
    return PaddedPillarStarName(DayBranchStar(key, tested));
}
std::string_view YearBranchStarOf(Branch key, Branch tested) {
    return PaddedPillarStarName(YearBranchStar(key, tested));
}

void ZiWeiChart::ComputePillarStars() {
    const auto& [y, m, d, h, fifth] = m_chart.pillars;
    constexpr PillarStar kUntested = PillarStar::None;
    m_chart.pillarStars = {{
        {kUntested, YearBranchStar(y.branch, m.branch), YearBranchStar(y.branch, d.branch),
         YearBranchStar(y.branch, h.branch)},
        {StemStar(d.stem, y.branch), StemStar(d.stem, m.branch), StemStar(d.stem, d.branch),
         StemStar(d.stem, h.branch)},
        {DayBranchStar(d.branch, y.branch), DayBranchStar(d.branch, m.branch), kUntested,
         DayBranchStar(d.branch, h.branch)},
    }};
    m_chart.done |= 1ULL << 41;
}

}  // namespace qelvar
