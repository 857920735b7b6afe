// Chart steps 36 and 37: 命主 and 身主, and the 子年斗君 branch.
#include <array>

#include "chart/StarTables.h"
#include "chart/ZiWei.h"

namespace qelvar {

namespace {

// 命主 by the branch of the 命宫 cell, 子..亥.
constexpr std::array<Star, 12> kLifeRuler = {Star::TanLang,  Star::JuMen, Star::LuCun, Star::WenQu,
                                             Star::LianZhen, Star::WuQu,  Star::PoJun, Star::WuQu,
                                             Star::LianZhen, Star::WenQu, Star::LuCun, Star::JuMen};
// 身主 by the branch of the lunar year, 子..亥.
constexpr std::array<Star, 12> kBodyRuler = {
    Star::LingXing, Star::TianXiang, Star::TianLiang, Star::TianTong, Star::WenChang, Star::TianJi,
    Star::HuoXing,  Star::TianXiang, Star::TianLiang, Star::TianTong, Star::WenChang, Star::TianJi};

}  // namespace

void ZiWeiChart::ShowRulers() {
    m_chart.lifeRuler = kLifeRuler[BranchOfCell(m_chart.life)];
    // The lunar year as it is, without the 立春 turn of the year pillar.
    const Branch y = YearBranchOf(Birth().lunarYear);
    m_chart.bodyRuler = y == 0 && m_chart.school.bodyRulerZi == BodyRulerZi::HuoXing
                            ? Star::HuoXing
                            : kBodyRuler[y];
    m_chart.done |= 1ULL << 36;
}

// The date lines of the centre are the birth's dates, shown by the views.
void ZiWeiChart::ShowDouJunAndDates() {
    m_chart.douJun = DouJunBranch(Birth().hour, Birth().lunarMonth);
    m_chart.done |= 1ULL << 37;
}

}  // namespace qelvar
