// Chart steps 1-3: the twelve palaces with the body mark, the palace stems,
// the five-element bureau and the decades.
#include <array>
#include <string>

#include "chart/StarTables.h"
#include "chart/Text.h"
#include "chart/ZiWei.h"

namespace qelvar {

namespace {

// The twelve palaces, counted from 命 the way the palace names run forward
// round the ring from the 命宫 cell.
constexpr std::array<std::string_view, 12> kPalaceNames = {"本命宫", "父母宫", "福德宫", "田宅宫",
                                                           "官禄宫", "仆役宫", "迁移宫", "疾厄宫",
                                                           "财帛宫", "子女宫", "夫妻宫", "兄弟宫"};

struct Bureau {
    std::string_view name;
    int number;
};
constexpr std::array<Bureau, 5> kBureaus = {
    {{"水二局", 2}, {"木三局", 3}, {"金四局", 4}, {"土五局", 5}, {"火六局", 6}}};

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

std::string DecadeText(int bureau, int i) {
    const int from = bureau + 10 * i;
    return std::to_string(from) + "-" + std::to_string(from + 9);
}

}  // namespace

void ZiWeiChart::ShowPalaceNames() {
    const int k = LunarMonth() - m_nHour;
    for (PalaceIndex p = 0; p < 12; ++p)
        m_grid.SetSlotText(slot::kPalaceName.Slot(p), std::string(kPalaceNames[Ring(13 - k + p)]));

    const PalaceIndex body = Ring(LunarMonth() + m_nHour + 23);
    const int id = slot::kPalaceName.Slot(body);
    const std::string_view first = FirstChar(Text(id));
    std::string mark = first == "本" ? std::string("命") : std::string(first);
    mark += "★身";
    m_grid.SetSlotText(id, std::move(mark));
}

void ZiWeiChart::ShowPalaceStems() {
    const Stem s = YearStem();  // [0, 9]
    for (PalaceIndex p = 0; p < 12; ++p)
        m_grid.SetSlotText(slot::kPalaceStem.Slot(p), std::string(StemName(PalaceStemOf(s, p))));
    m_strYearStem = std::string(StemName(s));
}

void ZiWeiChart::ShowBureauAndDecades() {
    const std::optional<PalaceIndex> life = FindPalaceCell({"命★身", "本命宫"});
    if (!life) return;
    const PalaceIndex p = *life;
    const int stem = StemIndex(Text(slot::kPalaceStem.Slot(p)));
    if (stem >= 0) {
        const Bureau& b = kBureaus[kBureauTable[stem / 2][BranchGroupOfCell(p)]];
        m_grid.SetSlotText(slot::kBureau, std::string(b.name));
    }

    int n = 0;
    for (const Bureau& b : kBureaus)
        if (Text(slot::kBureau) == b.name) n = b.number;
    if (n == 0) return;
    const bool forward = IsForward();
    for (PalaceIndex m = 0; m < 12; ++m) {
        const int i = forward ? Ring(m + 12 - p) : Ring(p + 12 - m);
        m_grid.SetSlotText(slot::kDecade.Slot(m), DecadeText(n, i));
    }
}

int ZiWeiChart::BureauNumber() const {
    const std::string& text = Text(slot::kBureau);
    for (int i = 0; i < 4; ++i)
        if (text == kBureaus[i].name) return kBureaus[i].number;
    return 6;
}

}  // namespace qelvar
