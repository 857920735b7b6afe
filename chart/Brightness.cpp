// Chart step 35: the brightness (庙旺平闲陷) of the rated stars in star
// columns 0..7, written into the brightness slot under each star.
#include <array>

#include "chart/ZiWei.h"

namespace qelvar {

namespace {

struct StarBrightness {
    Star star;
    std::array<Brightness, 12> byCell;  // PalaceIndex 寅..丑; Blank = cannot stand there
};

constexpr Brightness M = Brightness::Miao, W = Brightness::Wang, P = Brightness::Ping,
                     X = Brightness::Xian, L = Brightness::XianLow, D = Brightness::Di,
                     B = Brightness::Blank;

// 诸星庙旺表: the brightness word of each rated star in each cell, columns
// 寅 卯 辰 巳 午 未 申 酉 戌 亥 子 丑.  Looked up in this row order.
// clang-format off
constexpr std::array<StarBrightness, 28> kBrightnessTable = {{
    {Star::QingYang, {B, L, M, B, P, M, B, L, M, B, L, M}},
    {Star::TianMa, {W, B, B, P, B, B, W, B, B, P, B, B}},
    {Star::LuCun, {M, W, B, M, W, B, M, W, B, M, W, B}},
    {Star::PoJun, {L, W, W, X, M, M, L, L, W, P, M, W}},
    {Star::QiSha, {M, L, W, P, W, W, M, X, M, P, W, M}},
    {Star::TianLiang, {M, M, W, L, M, W, L, D, W, L, M, W}},
    {Star::TianXiang, {M, L, W, P, W, X, M, L, X, P, M, M}},
    {Star::JuMen, {M, M, P, P, W, L, M, M, W, W, W, W}},
    {Star::TanLang, {P, W, M, L, W, M, M, P, M, L, W, M}},
    {Star::TaiYin, {X, L, X, L, L, P, P, W, W, M, M, M}},
    {Star::TianFu, {M, P, M, P, W, M, P, W, M, W, M, M}},
    {Star::LianZhen, {M, X, W, L, P, M, M, P, W, L, P, W}},
    {Star::TianTong, {X, M, P, M, L, L, W, P, P, M, W, L}},
    {Star::WuQu, {X, L, M, P, W, M, P, W, M, P, W, M}},
    {Star::TaiYang, {W, M, M, M, M, P, X, X, L, L, L, L}},
    {Star::TianJi, {W, W, M, P, M, L, P, W, M, P, M, L}},
    {Star::ZiWei, {M, W, L, W, M, M, W, P, X, W, P, M}},
    {Star::WenQu, {P, W, M, M, L, W, P, M, L, W, M, M}},
    {Star::WenChang, {L, P, W, L, M, P, W, M, L, W, W, M}},
    {Star::YouBi, {W, L, M, P, W, M, X, L, M, P, M, M}},
    {Star::ZuoFu, {M, L, M, P, W, M, P, L, M, X, W, M}},
    {Star::TianYue, {W, B, B, W, B, W, M, M, B, B, B, B}},
    {Star::TianKui, {B, M, B, B, M, B, B, B, B, W, W, W}},
    {Star::DiJie, {P, P, L, X, M, P, M, P, P, W, L, L}},
    {Star::DiKong, {L, P, L, M, M, P, M, M, L, L, P, L}},
    {Star::LingXing, {M, M, W, W, M, W, W, L, M, M, L, L}},
    {Star::HuoXing, {M, P, X, W, M, X, L, L, M, P, P, W}},
    {Star::TuoLuo, {L, B, M, L, B, M, L, B, M, L, B, M}},
}};
// clang-format on

// The row of each star, -1 for the stars without a rating.
constexpr std::array<int, kStarCount> MakeRows() {
    std::array<int, kStarCount> rows{};
    for (int& r : rows) r = -1;
    for (std::size_t i = 0; i < kBrightnessTable.size(); ++i)
        rows[static_cast<int>(kBrightnessTable[i].star)] = static_cast<int>(i);
    return rows;
}
constexpr auto kRows = MakeRows();

}  // namespace

void ZiWeiChart::ShowBrightness() {
    for (Palace& p : m_chart.palaces) {
        const PalaceIndex cell = static_cast<PalaceIndex>(&p - m_chart.palaces.data());
        for (int i = 0; i < p.starCount; ++i) {
            PlacedStar& s = p.stars[i];
            if (s.position >= slot::kBrightnessColumns) continue;
            const int row = kRows[static_cast<int>(s.star)];
            if (row >= 0) s.brightness = kBrightnessTable[row].byCell[cell];
        }
    }
    m_chart.done |= 1ULL << 35;
}

}  // namespace qelvar
