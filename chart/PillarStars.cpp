// Chart step 41: the pillar-star block, three column-aligned lines.
#include "chart/PillarStars.h"

#include <array>
#include <string>

#include "chart/Pillars.h"
#include "chart/ZiWei.h"

namespace qelvar {

namespace {

template <std::size_t Keys>
struct StarRow {
    std::string_view name;              // eight GBK bytes
    std::array<Branch, Keys> branchOf;  // where the star stands, by key
};

// Stem stars by day stem 甲..癸: 天乙贵人 ("甲戊庚牛羊，乙己鼠猴乡，丙丁猪鸡位，
// 壬癸兔蛇藏，六辛逢马虎"), 文昌贵人, 沐浴, 干禄, 羊刃, 红艳, 金舆.
constexpr std::array<StarRow<10>, 8> kStemStars = {{
    {"天乙贵人", {1, 0, 11, 11, 1, 0, 1, 6, 3, 3}},
    {"天乙贵人", {7, 8, 9, 9, 7, 8, 7, 2, 5, 5}},
    {"文昌贵人", {5, 6, 8, 9, 8, 9, 11, 0, 2, 3}},
    {"沐浴    ", {0, 5, 3, 8, 3, 8, 6, 11, 9, 2}},
    {"干禄    ", {2, 3, 5, 6, 5, 6, 8, 9, 11, 0}},
    {"羊刃    ", {3, 4, 6, 7, 6, 7, 9, 10, 0, 1}},
    {"红艳    ", {6, 6, 2, 7, 4, 4, 10, 9, 0, 8}},
    {"金舆    ", {4, 5, 7, 8, 7, 8, 10, 11, 1, 2}},
}};

// Branch stars by the key branch 子..亥, from its triad (申子辰, 寅午戌, 巳酉丑,
// 亥卯未): 驿马 the 冲 of the triad's 长生, 华盖 its 墓, 桃花 (咸池) its 沐浴,
// 劫煞, 亡神, 将星 its 旺, 灾煞.
constexpr StarRow<12> kYiMa = {"驿马    ", {2, 11, 8, 5, 2, 11, 8, 5, 2, 11, 8, 5}};
constexpr StarRow<12> kHuaGai = {"华盖    ", {4, 1, 10, 7, 4, 1, 10, 7, 4, 1, 10, 7}};
constexpr StarRow<12> kTaoHua = {"桃花    ", {9, 6, 3, 0, 9, 6, 3, 0, 9, 6, 3, 0}};
constexpr StarRow<12> kJieSha = {"劫煞    ", {5, 2, 11, 8, 5, 2, 11, 8, 5, 2, 11, 8}};
constexpr StarRow<12> kWangShen = {"亡神    ", {11, 8, 5, 2, 11, 8, 5, 2, 11, 8, 5, 2}};
constexpr StarRow<12> kJiangXing = {"将星    ", {0, 9, 6, 3, 0, 9, 6, 3, 0, 9, 6, 3}};
constexpr StarRow<12> kZaiSha = {"灾煞    ", {6, 3, 0, 9, 6, 3, 0, 9, 6, 3, 0, 9}};
// By the year branch alone: 红鸾, 天喜, 孤辰, 寡宿.
constexpr StarRow<12> kHongLuan = {"红鸾    ", {3, 2, 1, 0, 11, 10, 9, 8, 7, 6, 5, 4}};
constexpr StarRow<12> kTianXi = {"天喜    ", {9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 11, 10}};
constexpr StarRow<12> kGuChen = {"孤辰    ", {2, 2, 5, 5, 5, 8, 8, 8, 11, 11, 11, 2}};
constexpr StarRow<12> kGuaSu = {"寡宿    ", {10, 10, 1, 1, 1, 4, 4, 4, 7, 7, 7, 10}};

constexpr std::array<StarRow<12>, 6> kDayBranchStars = {
    {kYiMa, kHuaGai, kTaoHua, kJieSha, kWangShen, kJiangXing}};
constexpr std::array<StarRow<12>, 10> kYearBranchStars = {
    {kJiangXing, kYiMa, kHuaGai, kJieSha, kZaiSha, kTaoHua, kHongLuan, kTianXi, kGuChen, kGuaSu}};

template <std::size_t Keys, std::size_t Rows>
std::string_view FirstMatch(const std::array<StarRow<Keys>, Rows>& table, int key, Branch tested) {
    for (const auto& row : table)
        if (row.branchOf[key] == tested) return row.name;
    return kBlankPillarStar;
}

constexpr std::string_view kUntested = "         ";  // nine spaces

}  // namespace

std::string_view StemStarOf(Stem key, Branch tested) {
    return FirstMatch(kStemStars, FloorMod(key, 10), tested);
}
std::string_view DayBranchStarOf(Branch key, Branch tested) {
    return FirstMatch(kDayBranchStars, FloorMod(key, 12), tested);
}
std::string_view YearBranchStarOf(Branch key, Branch tested) {
    return FirstMatch(kYearBranchStars, FloorMod(key, 12), tested);
}

void ZiWeiChart::ComputePillarStars() {
    const StemBranch y = ParsePillar(m_pillars.m_strYearPillar);
    const StemBranch m = ParsePillar(m_pillars.m_strMonthPillar);
    const StemBranch d = ParsePillar(m_pillars.m_strDayPillar);
    const StemBranch h = ParsePillar(m_pillars.m_strHourPillar);

    std::string text;
    text.reserve(3 * 48);
    auto cell = [&text](std::string_view name) { text.append(name).append(" "); };
    auto last = [&text](std::string_view name) { text.append(name).append("\r\n"); };

    text.append(kUntested);  // line 1: year-branch stars
    cell(YearBranchStarOf(y.branch, m.branch));
    cell(YearBranchStarOf(y.branch, d.branch));
    last(YearBranchStarOf(y.branch, h.branch));

    cell(StemStarOf(d.stem, y.branch));  // line 2: day-stem stars
    cell(StemStarOf(d.stem, m.branch));
    cell(StemStarOf(d.stem, d.branch));
    last(StemStarOf(d.stem, h.branch));

    cell(DayBranchStarOf(d.branch, y.branch));  // line 3: day-branch stars
    cell(DayBranchStarOf(d.branch, m.branch));
    text.append(kUntested);
    last(DayBranchStarOf(d.branch, h.branch));

    m_grid.SetSlotText(slot::kPillarStars, std::move(text));
}

}  // namespace qelvar
