// Chart steps 15-31: the minor stars.  Steps 15-24 search 15 positions of
// the star-slot sequence, steps 25-31 search 20.
#include <array>
#include <string>

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

// 孤辰 宿寡 by the seasonal group of the year branch: 寅卯辰, 巳午未,
// 申酉戌, 亥子丑.
struct GuSu {
    Branch guChen;
    Branch suGua;
};
constexpr std::array<GuSu, 4> kGuSuBranch = {{{5, 1}, {8, 4}, {11, 7}, {2, 10}}};

}  // namespace

void ZiWeiChart::PlaceGuanFu() {
    const int s = StemIndex(m_strYearStem);
    if (s < 0) return;
    PlaceInFreeSlot(CellOfBranch(kTianGuanBranch[s]), "天官", kSearch15);
    PlaceInFreeSlot(CellOfBranch(kTianFuBranch[s]), "天福", kSearch15);
}

void ZiWeiChart::PlaceTaiFeng() {
    PlaceInFreeSlot(m_nHour + 4, "台辅", kSearch15);
    PlaceInFreeSlot(m_nHour, "封诰", kSearch15);
}

void ZiWeiChart::PlaceJieShen() {
    PlaceInFreeSlot(CellOfBranch(kJieShenBranch[FloorMod(LunarMonth() - 1, 12)]), "解神",
                    kSearch15);
}

void ZiWeiChart::PlaceTianWu() {
    PlaceInFreeSlot(CellOfBranch(kTianWuBranch[FloorMod(LunarMonth() - 1, 12)]), "天巫", kSearch15);
}

void ZiWeiChart::PlaceTianYue() {
    PlaceInFreeSlot(CellOfBranch(kTianYueMonthBranch[FloorMod(LunarMonth() - 1, 12)]), "天月",
                    kSearch15);
}

void ZiWeiChart::PlaceYinSha() {
    PlaceInFreeSlot(CellOfBranch(kYinShaBranch[FloorMod(LunarMonth() - 1, 12)]), "阴煞", kSearch15);
}

void ZiWeiChart::PlaceTaiZuo() {
    const int d = LunarDay();
    if (const auto a = FindStarCell("左辅")) PlaceInFreeSlot(*a + d - 1, "三台", kSearch15);
    if (const auto b = FindStarCell("右弼")) PlaceInFreeSlot(*b - d + 1, "八座", kSearch15);
}

void ZiWeiChart::PlaceEnGui() {
    const int d = LunarDay();
    if (const auto c = FindStarCell("文昌")) PlaceInFreeSlot(*c + d + 10, "恩光", kSearch15);
    if (const auto q = FindStarCell("文曲")) PlaceInFreeSlot(*q + d + 10, "天贵", kSearch15);
}

void ZiWeiChart::PlaceChiGe() {
    const Branch y = YearBranch();
    PlaceInFreeSlot(y + 2, "龙池", kSearch15);
    PlaceInFreeSlot(20 - y, "凤阁", kSearch15);
}

void ZiWeiChart::PlaceKong() {
    PlaceInFreeSlot(YearBranch() + 11, "天空", kSearch15);
    const int parity = FloorMod(LunarYear(), 2);
    PlaceInFreeSlot(CellOfBranch(kJieKongBranch[YearStem() % 5][parity]), "截空", kSearch15);
}

void ZiWeiChart::PlaceLuanXi() {
    const Branch y = YearBranch();
    PlaceInFreeSlot(CellOfBranch(HongLuanBranch(y)), "红鸾", kSearch20);
    PlaceInFreeSlot(CellOfBranch(TianXiBranch(y)), "天喜", kSearch20);
}

void ZiWeiChart::PlaceXuKu() {
    const Branch y = YearBranch();
    PlaceInFreeSlot(y + 4, "天虚", kSearch20);
    PlaceInFreeSlot(16 - y, "天哭", kSearch20);
}

void ZiWeiChart::PlaceGuSu() {
    const int b = BranchIndex(m_strYearBranch);
    if (b < 0) return;
    const GuSu& g = kGuSuBranch[FloorMod(b - 2, 12) / 3];
    PlaceInFreeSlot(CellOfBranch(g.guChen), "孤辰", kSearch20);
    PlaceInFreeSlot(CellOfBranch(g.suGua), "宿寡", kSearch20);
}

void ZiWeiChart::PlaceFeiPo() {
    const Branch y = YearBranch();
    PlaceInFreeSlot(CellOfBranch(kFeiLianBranch[y]), "蜚廉", kSearch20);
    PlaceInFreeSlot(CellOfBranch(kPoSuiBranch[y % 3]), "破碎", kSearch20);
}

void ZiWeiChart::PlaceCaiShou() {
    const Branch y = YearBranch();
    if (const auto p = FindPalaceCell({"本命宫", "命★身"}))
        PlaceInFreeSlot(*p + y, "天才", kSearch20);
    if (const auto b = FindPalaceCell({"命★身", "财★身", "迁★身", "官★身", "夫★身", "福★身"}))
        PlaceInFreeSlot(*b + y, "天寿", kSearch20);
}

void ZiWeiChart::PlaceTianChu() {
    PlaceInFreeSlot(CellOfBranch(kTianChuBranch[YearStem()]), "天厨", kSearch20);
}

void ZiWeiChart::PlaceShangShi() {
    if (const auto p = FindPalaceCell({"仆役宫"})) PlaceInFreeSlot(*p, "天伤", kSearch20);
    if (const auto p = FindPalaceCell({"疾厄宫"})) PlaceInFreeSlot(*p, "天使", kSearch20);
}

}  // namespace qelvar
