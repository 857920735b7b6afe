// Chart steps 1-3: the twelve palaces with the body mark, the palace stems,
// the five-element bureau and the decades.
#include <array>

#include "chart/StarTables.h"
#include "chart/ZiWei.h"

namespace qelvar {

namespace {

constexpr std::array<Bureau, 5> kBureaus = {{{Element::Water, 2},
                                             {Element::Wood, 3},
                                             {Element::Metal, 4},
                                             {Element::Earth, 5},
                                             {Element::Fire, 6}}};

// 五行局 by the 命宫: the 纳音 element of its stem and branch.  Row = stem
// pair (甲乙, 丙丁, 戊己, 庚辛, 壬癸); column = branch group of the cell:
// A 寅卯申酉, B 辰巳戌亥, C 午未子丑.  Values index kBureaus.
constexpr std::array<std::array<int, 3>, 5> kBureauTable = {{
    {0, 4, 2},  // 甲乙: 水二 火六 金四
    {4, 3, 0},  // 丙丁: 火六 土五 水二
    {3, 1, 4},  // 戊己: 土五 木三 火六
    {1, 2, 3},  // 庚辛: 木三 金四 土五
    {2, 0, 1},  // 壬癸: 金四 水二 木三
}};

// Group of a cell: 0 for A (0, 1, 6, 7), 1 for B (2, 3, 8, 9), 2 for C.
constexpr int BranchGroupOfCell(PalaceIndex p) {
    return (p % 6) / 2;
}
static_assert(BranchGroupOfCell(7) == 0 && BranchGroupOfCell(9) == 1 && BranchGroupOfCell(10) == 2);

}  // namespace

void ZiWeiChart::ShowPalaceNames() {
    const ChartBirth& b = Birth();
    const int k = b.lunarMonth - b.hour;
    for (PalaceIndex p = 0; p < 12; ++p) {
        m_chart.palaces[p].name = Ring(13 - k + p);
        m_chart.palaces[p].isBody = false;
    }
    m_chart.life = Ring(k - 13);
    m_chart.body = Ring(b.lunarMonth + b.hour + 23);
    m_chart.palaces[m_chart.body].isBody = true;
    m_chart.done |= 1ULL << 1;
}

void ZiWeiChart::ShowPalaceStems() {
    const Stem s = YearStemOf(Birth().lunarYear);  // [0, 9]
    for (PalaceIndex p = 0; p < 12; ++p) m_chart.palaces[p].stem = PalaceStemOf(s, p);
    m_chart.yearStem = s;
    m_chart.done |= 1ULL << 2;
}

void ZiWeiChart::ShowBureauAndDecades() {
    const PalaceIndex p = m_chart.life;
    const Stem stem = m_chart.palaces[p].stem;
    m_chart.bureau = kBureaus[kBureauTable[stem / 2][BranchGroupOfCell(p)]];
    const int n = m_chart.bureau.number;
    const bool forward = IsForward();
    for (PalaceIndex m = 0; m < 12; ++m) {
        const int i = forward ? Ring(m + 12 - p) : Ring(p + 12 - m);
        m_chart.palaces[m].decadeFrom = n + 10 * i;
        m_chart.palaces[m].decadeTo = n + 10 * i + 9;
    }
    m_chart.done |= 1ULL << 3;
}

}  // namespace qelvar
