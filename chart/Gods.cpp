// Chart steps 32-34: the three twelve-god cycles.  Each step overwrites all
// twelve slots of its family.
#include <array>
#include <string>

#include "chart/ZiWei.h"

namespace qelvar {

namespace {

using GodCycle = std::array<std::string_view, 12>;

// 博士十二神, from the cell of 禄存.
constexpr GodCycle kBoShiCycle = {"博士", "力士", "青龙", "小耗", "将军", "奏书",
                                  "飞廉", "喜神", "病符", "大耗", "伏兵", "官符"};
// 岁前十二神, 太岁 (index 10) on the year branch.
constexpr GodCycle kSuiQianCycle = {"丧门", "贯索", "五鬼", "死符", "岁破", "龙德",
                                    "白虎", "天德", "天狗", "凶神", "太岁", "晦气"};
// 将前十二神, 将星 on the 旺 branch of the year-branch triad.
constexpr GodCycle kJiangQianCycle = {"将星", "攀鞍", "驿马", "息神", "华盖", "劫煞",
                                      "灾煞", "天煞", "指背", "咸池", "月煞", "亡神"};

// Cell of 将星 by year branch mod 4: 申子辰 子, 巳酉丑 酉, 寅午戌 午, 亥卯未 卯.
constexpr std::array<PalaceIndex, 4> kJiangXingCell = {10, 7, 4, 1};

}  // namespace

void ZiWeiChart::ShowBoShiGods() {
    const std::optional<PalaceIndex> lu = FindStarCell("禄存");
    if (!lu) return;
    const bool forward = IsForward();
    for (int i = 0; i < 12; ++i) {
        const PalaceIndex cell = forward ? *lu + i : *lu + 12 - i;
        m_grid.SetSlotText(slot::kBoShi.Slot(cell), std::string(kBoShiCycle[i]));
    }
}

void ZiWeiChart::ShowSuiQianGods() {
    const Branch y = YearBranch();
    for (int i = 0; i < 12; ++i)
        m_grid.SetSlotText(slot::kSuiQian.Slot(y + i), std::string(kSuiQianCycle[i]));
}

void ZiWeiChart::ShowJiangQianGods() {
    const PalaceIndex s = kJiangXingCell[YearBranch() % 4];
    for (int i = 0; i < 12; ++i)
        m_grid.SetSlotText(slot::kJiangQian.Slot(s + i), std::string(kJiangQianCycle[i]));
}

}  // namespace qelvar
