// Chart steps 32-34: the three twelve-god cycles, one god of each in every
// cell.
#include "chart/StarTables.h"
#include "chart/ZiWei.h"

namespace qelvar {

void ZiWeiChart::ShowBoShiGods() {
    const std::optional<PalaceIndex> lu = FindStarCell(Star::LuCun);
    if (!lu) return;
    const bool forward = IsForward();
    for (int i = 0; i < 12; ++i) {
        const PalaceIndex cell = forward ? *lu + i : *lu + 12 - i;
        m_chart.palaces[Ring(cell)].boShi = i;
    }
    m_chart.done |= 1ULL << 32;
}

void ZiWeiChart::ShowSuiQianGods() {
    const Branch y = m_chart.yearBranch;
    for (int i = 0; i < 12; ++i) m_chart.palaces[SuiQianCell(y, i)].suiQian = i;
    m_chart.done |= 1ULL << 33;
}

void ZiWeiChart::ShowJiangQianGods() {
    const Branch y = m_chart.yearBranch;
    for (int i = 0; i < 12; ++i) m_chart.palaces[JiangQianCell(y, i)].jiangQian = i;
    m_chart.done |= 1ULL << 34;
}

}  // namespace qelvar
