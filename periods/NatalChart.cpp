// Reading the cast chart once: the 命宫, palace stems, decade ranges,
// 子年斗君 and the cells of the stars a transformation can name.
#include <charconv>

#include "chart/StarTables.h"
#include "chart/Text.h"
#include "periods/Periods.h"

namespace qelvar {

namespace {

// Every star some stem transforms: the fourteen main stars and 昌 曲 辅 弼.
constexpr std::array<std::string_view, 18> kTransformableStars = {
    "紫微", "天机", "太阳", "武曲", "天同", "廉贞", "天府", "太阴", "贪狼",
    "巨门", "天相", "天梁", "七杀", "破军", "文昌", "文曲", "左辅", "右弼"};

// The stars are placed in star columns 0..9 (main stars in 0 and 1, the
// four auxiliaries by a ten-slot search).
constexpr int kSearchedColumns = 10;

// "a-b" -> (a, b); (0, 0) when the text is no range.
std::pair<int, int> ParseRange(std::string_view text) {
    int a = 0, b = 0;
    const char* end = text.data() + text.size();
    auto [p, ec] = std::from_chars(text.data(), end, a);
    if (ec != std::errc{} || p == end || *p != '-') return {0, 0};
    auto [q, ec2] = std::from_chars(p + 1, end, b);
    if (ec2 != std::errc{} || q != end) return {0, 0};
    return {a, b};
}

}  // namespace

Branch NatalChart::CellOfStar(std::string_view star) const {
    const std::uint64_t key = ShortKey(star);
    for (std::size_t i = 0; i < starKey.size(); ++i)
        if (starKey[i] == key) return starCell[i];
    return kNoCell;
}

NatalChart ReadNatalChart(const ChartGrid& grid, const BirthData& birth) {
    NatalChart n;
    n.lunarYear = ParseDecimal(birth.g_strLunarYear);
    n.sex = birth.g_nSex;
    for (PalaceIndex p = 0; p < 12; ++p) {
        const Branch b = BranchOfCell(p);
        const std::string& name = grid.GetSlotText(slot::kPalaceName.Slot(p));
        if (name == "本命宫" || name == "命★身") n.life = b;
        const int stem = StemIndex(grid.GetSlotText(slot::kPalaceStem.Slot(p)));
        n.palaceStem[b] = stem < 0 ? 0 : stem;
        const auto [first, last] = ParseRange(grid.GetSlotText(slot::kDecade.Slot(p)));
        n.decadeFirst[b] = first;
        n.decadeLast[b] = last;
    }
    const int douJun = BranchIndex(LastChar(grid.GetSlotText(slot::kDouJun)));
    n.douJun = douJun < 0 ? 0 : douJun;

    for (std::size_t i = 0; i < kTransformableStars.size(); ++i) {
        n.starKey[i] = ShortKey(kTransformableStars[i]);
        n.starCell[i] = kNoCell;
    }
    // Column by column, as the chart looks stars up; all eighteen usually
    // stand in the first few columns.
    std::size_t found = 0;
    for (int column = 0; column < kSearchedColumns && found < n.starKey.size(); ++column) {
        for (PalaceIndex p = 0; p < 12; ++p) {
            const std::uint64_t key = ShortKey(grid.GetSlotText(slot::StarColumn(column).Slot(p)));
            if (key == 0) continue;
            for (std::size_t i = 0; i < n.starKey.size(); ++i) {
                if (n.starKey[i] != key || n.starCell[i] != kNoCell) continue;
                n.starCell[i] = BranchOfCell(p);
                ++found;
                break;
            }
        }
    }
    return n;
}

FourTransformations TransformationsOf(const NatalChart& natal, Stem stem) {
    FourTransformations t{};
    const auto& row = kFourTransformationTable[FloorMod(stem, 10)];
    for (int k = 0; k < 4; ++k) t[k] = {k, row[k], natal.CellOfStar(row[k])};
    return t;
}

}  // namespace qelvar
