// Chart steps 32-34: the three twelve-god cycles.  Each step overwrites all
// twelve slots of its family.
#include <array>
#include <string>

#include "chart/StarTables.h"
#include "chart/ZiWei.h"

namespace qelvar {

namespace {

// 博士十二神, from the cell of 禄存.
constexpr GodCycle kBoShiCycle = {"博士", "力士", "青龙", "小耗", "将军", "奏书",
                                  "飞廉", "喜神", "病符", "大耗", "伏兵", "官符"};
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
        m_grid.SetSlotText(slot::kSuiQian.Slot(SuiQianCell(y, i)), std::string(kSuiQianCycle[i]));
}

void ZiWeiChart::ShowJiangQianGods() {
    const Branch y = YearBranch();
    for (int i = 0; i < 12; ++i)
        m_grid.SetSlotText(slot::kJiangQian.Slot(JiangQianCell(y, i)),
                           std::string(kJiangQianCycle[i]));
}

}  // namespace qelvar
