// Chart steps 4 and 5: the fourteen main stars and the twelve life stages.
#include <array>

#include "chart/ZiWei.h"

namespace qelvar {

namespace {

struct SeriesStar {
    Star star;
    int offset;  // cells from the series head, forward
};

// 紫微星系 ("紫微天机逆行旁，隔一阳武天同当，又隔二位廉贞地"): backward
// from 紫微.
constexpr std::array<SeriesStar, 6> kZiWeiSeries = {{{Star::ZiWei, 0},
                                                     {Star::TianJi, -1},
                                                     {Star::TaiYang, -3},
                                                     {Star::WuQu, -4},
                                                     {Star::TianTong, -5},
                                                     {Star::LianZhen, -8}}};

// 天府星系 ("天府太阴与贪狼，巨门天相及天梁，七杀空三是破军"): forward from 天府.
constexpr std::array<SeriesStar, 8> kTianFuSeries = {{{Star::TianFu, 0},
                                                      {Star::TaiYin, 1},
                                                      {Star::TanLang, 2},
                                                      {Star::JuMen, 3},
                                                      {Star::TianXiang, 4},
                                                      {Star::TianLiang, 5},
                                                      {Star::QiSha, 6},
                                                      {Star::PoJun, 10}}};

}  // namespace

void ZiWeiChart::PlaceMainStars() {
    const int d = Birth().lunarDay;
    const int n = m_chart.bureau.number;  // [2, 6]
    const int x = FloorMod(-d, n);        // smallest x >= 0 with n | d + x, [0, n-1]
    const int q = (d + x) / n;
    const int pos = x % 2 == 0 ? Ring(q + x) : Ring(q + 12 - x);  // from 寅 = 1
    const PalaceIndex z = Ring(pos + 11);
    const PalaceIndex f = Ring(13 - pos);

    // The 紫微 series takes star column 0; the 天府 series column 0 where
    // it is free, else column 1.
    for (const SeriesStar& s : kZiWeiSeries) PlaceInFreeSlot(z + s.offset, s.star, 1);
    for (const SeriesStar& s : kTianFuSeries) PlaceInFreeSlot(f + s.offset, s.star, 2);
}

void ZiWeiChart::ShowLifeStages() {
    const int n = m_chart.bureau.number;
    const bool forward = IsForward();
    // 长生 cell of the bureau: 金 巳, 木 亥, 火 寅, 水 and 土 申.
    int start = 6;
    if (n == 4) start = 3;
    if (n == 3) start = 9;
    if (n == 6) start = 0;
    for (PalaceIndex m = 0; m < 12; ++m)
        m_chart.palaces[m].stage = forward ? Ring(m - start) : Ring(start - m);
    m_chart.done |= 1ULL << 5;
}

}  // namespace qelvar
