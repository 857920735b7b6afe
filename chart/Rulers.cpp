// Chart steps 36 and 37: 命主 and 身主, the 子年斗君 branch and the two date
// lines of the centre panel.
#include <array>
#include <string>

#include "chart/StarTables.h"
#include "chart/ZiWei.h"

namespace qelvar {

namespace {

// 命主 by the branch of the 命宫 cell, 子..亥.
constexpr std::array<std::string_view, 12> kLifeRuler = {
    "贪狼", "巨门", "禄存", "文曲", "廉贞", "武曲", "破军", "武曲", "廉贞", "文曲", "禄存", "巨门"};
// 身主 by the branch of the lunar year, 子..亥.
constexpr std::array<std::string_view, 12> kBodyRuler = {
    "铃星", "天相", "天梁", "天同", "文昌", "天机", "火星", "天相", "天梁", "天同", "文昌", "天机"};

}  // namespace

void ZiWeiChart::ShowRulers() {
    if (const auto p = FindPalaceCell({"本命宫", "命★身"})) {
        std::string life = "命主";
        life += kLifeRuler[BranchOfCell(*p)];
        m_grid.SetSlotText(slot::kLifeRuler, std::move(life));
    }
    std::string body = "身主";
    body += kBodyRuler[YearBranch()];  // the lunar year as it is, without the 立春 turn
    m_grid.SetSlotText(slot::kBodyRuler, std::move(body));
}

void ZiWeiChart::ShowDouJunAndDates() {
    std::string douJun = "子年斗君：";
    douJun += BranchName(DouJunBranch(m_nHour, LunarMonth()));
    m_grid.SetSlotText(slot::kDouJun, std::move(douJun));
    m_grid.SetSlotText(slot::kSolarLine, "阳历：" + m_strSolarText);
    m_grid.SetSlotText(slot::kLunarLine, "农历：" + m_strLunarText);
}

}  // namespace qelvar
