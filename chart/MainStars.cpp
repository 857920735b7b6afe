// Chart steps 4 and 5: the fourteen main stars and the twelve life stages.
#include <array>
#include <string>

#include "chart/ZiWei.h"

namespace qelvar {

namespace {

struct SeriesStar {
    std::string_view name;
    int offset;  // cells from the series head, forward
};

// 紫微星系 ("紫微天机逆行旁，隔一阳武天同当，又隔二位廉贞地"): backward
// from 紫微.
constexpr std::array<SeriesStar, 6> kZiWeiSeries = {
    {{"紫微", 0}, {"天机", -1}, {"太阳", -3}, {"武曲", -4}, {"天同", -5}, {"廉贞", -8}}};

// 天府星系 ("天府太阴与贪狼，巨门天相及天梁，七杀空三是破军"): forward from 天府.
constexpr std::array<SeriesStar, 8> kTianFuSeries = {{{"天府", 0},
                                                      {"太阴", 1},
                                                      {"贪狼", 2},
                                                      {"巨门", 3},
                                                      {"天相", 4},
                                                      {"天梁", 5},
                                                      {"七杀", 6},
                                                      {"破军", 10}}};

// 十二长生.
constexpr std::array<std::string_view, 12> kLifeStages = {
    "长生", "沐浴", "冠带", "临官", "帝旺", "衰", "病", "死", "墓", "绝", "胎", "养"};

}  // namespace

void ZiWeiChart::PlaceMainStars() {
    const int d = LunarDay();
    const int n = BureauNumber();   // [2, 6]
    const int x = FloorMod(-d, n);  // smallest x >= 0 with n | d + x, [0, n-1]
    const int q = (d + x) / n;
    const int pos = x % 2 == 0 ? Ring(q + x) : Ring(q + 12 - x);  // from 寅 = 1
    const PalaceIndex z = Ring(pos + 11);
    const PalaceIndex f = Ring(13 - pos);

    for (const SeriesStar& s : kZiWeiSeries)
        m_grid.SetSlotText(slot::StarColumn(0).Slot(z + s.offset), std::string(s.name));
    for (const SeriesStar& s : kTianFuSeries) {
        const PalaceIndex cell = f + s.offset;
        const int column0 = slot::StarColumn(0).Slot(cell);
        const int id = Text(column0).empty() ? column0 : slot::StarColumn(1).Slot(cell);
        m_grid.SetSlotText(id, std::string(s.name));
    }
}

void ZiWeiChart::ShowLifeStages() {
    const int n = BureauNumber();
    const bool forward = IsForward();
    // 长生 cell of the bureau: 金 巳, 木 亥, 火 寅, 水 and 土 申.
    int start = 6;
    if (n == 4) start = 3;
    if (n == 3) start = 9;
    if (n == 6) start = 0;
    for (PalaceIndex m = 0; m < 12; ++m) {
        const int stage = forward ? Ring(m - start) : Ring(start - m);
        m_grid.SetSlotText(slot::kLifeStage.Slot(m), std::string(kLifeStages[stage]));
    }
}

}  // namespace qelvar
