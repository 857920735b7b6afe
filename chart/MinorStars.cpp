// Chart steps 15-31: the minor stars.  Steps 15-24 search 15 positions of
// the star-slot sequence, steps 25-31 search 20.
#include <array>

#include "chart/StarTables.h"
#include "chart/ZiWei.h"

namespace qelvar {

namespace {

constexpr int kSearch15 = 15;
constexpr int kSearch20 = 20;

// Tables give branches; a month table is indexed by lunar month - 1, a stem
// table by year stem 甲..癸, a branch table by year branch 子..亥.
constexpr std::array<Branch, 10> kTianGuanBranch = {7, 4, 5, 2, 3, 9, 11, 9, 10, 6};
constexpr std::array<Branch, 10> kTianFuBranch = {9, 8, 0, 11, 3, 2, 6, 5, 6, 5};
constexpr std::array<Branch, 10> kTianChuBranch = {5, 6, 0, 5, 6, 8, 2, 6, 9, 11};

// 截路空亡 by year stem pair (stem mod 5: 甲己, 乙庚, 丙辛, 丁壬, 戊癸); the
// first branch for even (yang) lunar years, the second for odd.  The pair of
// 戊癸 is 子丑.
constexpr std::array<std::array<Branch, 2>, 5> kJieKongBranch = {
    {{8, 9}, {6, 7}, {4, 5}, {3, 2}, {0, 1}}};

// 截路 by year stem pair (甲己 申, 乙庚 午, 丙辛 辰, 丁壬 寅, 戊癸 子); 空亡 on
// the branch after it.
constexpr std::array<Branch, 5> kJieLuBranch = {8, 6, 4, 2, 0};

// By lunar month 1..12.
constexpr std::array<Branch, 12> kJieShenBranch = {8, 8, 10, 10, 0, 0, 2, 2, 4, 4, 6, 6};
constexpr std::array<Branch, 12> kTianWuBranch = {5, 8, 2, 11, 5, 8, 2, 11, 5, 8, 2, 11};
// 天月 ("一犬二蛇三在龙，四虎五羊六兔宫，七猪八羊九在虎，十马冬犬腊寅中").
constexpr std::array<Branch, 12> kTianYueMonthBranch = {10, 5, 4, 2, 7, 3, 11, 7, 2, 6, 10, 2};
constexpr std::array<Branch, 12> kYinShaBranch = {2, 0, 10, 8, 6, 4, 2, 0, 10, 8, 6, 4};

// 蜚廉 by year branch.
constexpr std::array<Branch, 12> kFeiLianBranch = {8, 9, 10, 5, 6, 7, 2, 3, 4, 11, 0, 1};
// 破碎 by year branch mod 3: 子卯午酉 巳, 丑辰未戌 丑, 寅巳申亥 酉.
constexpr std::array<Branch, 3> kPoSuiBranch = {5, 1, 9};

// 孤辰 寡宿 by the seasonal group of the year branch: 寅卯辰, 巳午未,
// 申酉戌, 亥子丑.
struct GuSu {
    Branch guChen;
    Branch suGua;
};
constexpr std::array<GuSu, 4> kGuSuBranch = {{{5, 1}, {8, 4}, {11, 7}, {2, 10}}};

}  // namespace

void ZiWeiChart::PlaceGuanFu() {
    const Stem s = m_chart.yearStem;
    PlaceInFreeSlot(CellOfBranch(kTianGuanBranch[s]), Star::TianGuan, kSearch15);
    PlaceInFreeSlot(CellOfBranch(kTianFuBranch[s]), Star::TianFuStar, kSearch15);
}

void ZiWeiChart::PlaceTaiFeng() {
    PlaceInFreeSlot(Birth().hour + 4, Star::TaiFu, kSearch15);
    PlaceInFreeSlot(Birth().hour, Star::FengGao, kSearch15);
}

void ZiWeiChart::PlaceJieShen() {
    PlaceInFreeSlot(CellOfBranch(kJieShenBranch[Birth().lunarMonth - 1]), Star::JieShen, kSearch15);
}

void ZiWeiChart::PlaceTianWu() {
    PlaceInFreeSlot(CellOfBranch(kTianWuBranch[Birth().lunarMonth - 1]), Star::TianWu, kSearch15);
}

void ZiWeiChart::PlaceTianYue() {
    PlaceInFreeSlot(CellOfBranch(kTianYueMonthBranch[Birth().lunarMonth - 1]), Star::TianYueMonth,
                    kSearch15);
}

void ZiWeiChart::PlaceYinSha() {
    PlaceInFreeSlot(CellOfBranch(kYinShaBranch[Birth().lunarMonth - 1]), Star::YinSha, kSearch15);
}

void ZiWeiChart::PlaceTaiZuo() {
    const int d = Birth().lunarDay;
    if (const auto a = FindStarCell(Star::ZuoFu))
        PlaceInFreeSlot(*a + d - 1, Star::SanTai, kSearch15);
    if (const auto b = FindStarCell(Star::YouBi))
        PlaceInFreeSlot(*b - d + 1, Star::BaZuo, kSearch15);
}

void ZiWeiChart::PlaceEnGui() {
    const int d = Birth().lunarDay;
    if (const auto c = FindStarCell(Star::WenChang))
        PlaceInFreeSlot(*c + d + 10, Star::EnGuang, kSearch15);
    if (const auto q = FindStarCell(Star::WenQu))
        PlaceInFreeSlot(*q + d + 10, Star::TianGui, kSearch15);
}

void ZiWeiChart::PlaceChiGe() {
    const Branch y = m_chart.yearBranch;
    PlaceInFreeSlot(y + 2, Star::LongChi, kSearch15);
    PlaceInFreeSlot(20 - y, Star::FengGe, kSearch15);
}

void ZiWeiChart::PlaceKong() {
    PlaceInFreeSlot(m_chart.yearBranch + 11, Star::TianKong, kSearch15);
    if (m_chart.school.jieKong == JieKongRule::Pair) {
        // 截路 and 空亡 on the two branches of the stem pair, in order.
        const Branch first = kJieLuBranch[m_chart.yearStem % 5];
        PlaceInFreeSlot(CellOfBranch(first), Star::JieLu, kSearch15);
        PlaceInFreeSlot(CellOfBranch(first + 1), Star::KongWang, kSearch15);
        return;
    }
    const int parity = FloorMod(Birth().lunarYear, 2);
    PlaceInFreeSlot(CellOfBranch(kJieKongBranch[m_chart.yearStem % 5][parity]), Star::JieKong,
                    kSearch15);
}

void ZiWeiChart::PlaceLuanXi() {
    const Branch y = m_chart.yearBranch;
    PlaceInFreeSlot(CellOfBranch(HongLuanBranch(y)), Star::HongLuan, kSearch20);
    PlaceInFreeSlot(CellOfBranch(TianXiBranch(y)), Star::TianXi, kSearch20);
}

void ZiWeiChart::PlaceXuKu() {
    const Branch y = m_chart.yearBranch;
    PlaceInFreeSlot(y + 4, Star::TianXu, kSearch20);
    PlaceInFreeSlot(16 - y, Star::TianKu, kSearch20);
}

void ZiWeiChart::PlaceGuSu() {
    const GuSu& g = kGuSuBranch[FloorMod(m_chart.yearBranch - 2, 12) / 3];
    PlaceInFreeSlot(CellOfBranch(g.guChen), Star::GuChen, kSearch20);
    PlaceInFreeSlot(CellOfBranch(g.suGua), Star::SuGua, kSearch20);
}

void ZiWeiChart::PlaceFeiPo() {
    const Branch y = m_chart.yearBranch;
    PlaceInFreeSlot(CellOfBranch(kFeiLianBranch[y]), Star::FeiLian, kSearch20);
    PlaceInFreeSlot(CellOfBranch(kPoSuiBranch[y % 3]), Star::PoSui, kSearch20);
}

void ZiWeiChart::PlaceCaiShou() {
    const Branch y = m_chart.yearBranch;
    PlaceInFreeSlot(m_chart.life + y, Star::TianCai, kSearch20);
    PlaceInFreeSlot(m_chart.body + y, Star::TianShou, kSearch20);
}

void ZiWeiChart::PlaceTianChu() {
    PlaceInFreeSlot(CellOfBranch(kTianChuBranch[m_chart.yearStem]), Star::TianChu, kSearch20);
}

// 天伤 in the 仆役宫 and 天使 in the 疾厄宫: palaces 5 and 7 counted from 命.
void ZiWeiChart::PlaceShangShi() {
    PlaceInFreeSlot(m_chart.life + 5, Star::TianShang, kSearch20);
    PlaceInFreeSlot(m_chart.life + 7, Star::TianShi, kSearch20);
}

// The extended star set: 天德 from 酉 and 月德 from 巳 forward with the year
// branch, 年解 from 戌 backward, 旬空 on the empty branch of the year's 旬
// whose parity is the year branch's, and the 来因宫 mark on the palace
// whose stem is the year stem (寅 and 卯 rather than 子 and 丑, which repeat
// their stems).
void ZiWeiChart::PlaceExtendedStars() {
    if (m_chart.school.stars != StarSet::Extended) return;
    const Branch y = m_chart.yearBranch;
    const Stem s = m_chart.yearStem;
    PlaceInFreeSlot(CellOfBranch(y + 9), Star::TianDe, kSearch20);
    PlaceInFreeSlot(CellOfBranch(y + 5), Star::YueDe, kSearch20);
    PlaceInFreeSlot(CellOfBranch(NianJieBranch(y)), Star::NianJie, kSearch20);
    const Branch empty = FloorMod(y - s + 10, 12);
    PlaceInFreeSlot(CellOfBranch(empty % 2 == y % 2 ? empty : empty + 1), Star::XunKong, kSearch20);
    for (PalaceIndex p = 0; p < 10; ++p)
        if (m_chart.palaces[p].stem == s) m_chart.palaces[p].isOrigin = true;
}

}  // namespace qelvar
