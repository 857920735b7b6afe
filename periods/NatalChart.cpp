// What the periods read of a cast chart: the 命宫, palace stems, decade
// ranges, 子年斗君 and the cells of the stars a transformation can name.

#include "chart/StarTables.h"
#include "chart/Text.h"
#include "periods/Periods.h"

namespace qelvar {

namespace {

// Every star some stem transforms: the fourteen main stars and 昌 曲 辅 弼.
constexpr std::array<Star, 18> kTransformableStars = {
    Star::ZiWei,  Star::TianJi, Star::TaiYang,  Star::WuQu,  Star::TianTong,  Star::LianZhen,
    Star::TianFu, Star::TaiYin, Star::TanLang,  Star::JuMen, Star::TianXiang, Star::TianLiang,
    Star::QiSha,  Star::PoJun,  Star::WenChang, Star::WenQu, Star::ZuoFu,     Star::YouBi};

// Index in kTransformableStars by Star, -1 for the others.
constexpr std::array<int, kStarCount> MakeTransformableIndex() {
    std::array<int, kStarCount> index{};
    for (int& i : index) i = -1;
    for (std::size_t i = 0; i < kTransformableStars.size(); ++i)
        index[static_cast<int>(kTransformableStars[i])] = static_cast<int>(i);
    return index;
}
constexpr auto kTransformableIndex = MakeTransformableIndex();

// The lookup keys of the names of kTransformableStars.
constexpr std::array<std::uint64_t, 18> MakeTransformableKeys() {
    std::array<std::uint64_t, 18> keys{};
    for (std::size_t i = 0; i < kTransformableStars.size(); ++i)
        keys[i] = ShortKey(StarName(kTransformableStars[i]));
    return keys;
}
constexpr auto kTransformableKeys = MakeTransformableKeys();

// The stars are placed in star columns 0..9 (main stars in 0 and 1, the
// four auxiliaries by a ten-slot search); a star further on is not looked at.
constexpr int kSearchedColumns = 10;

}  // namespace

Branch NatalChart::CellOfStar(std::string_view star) const {
    const std::uint64_t key = ShortKey(star);
    for (std::size_t i = 0; i < starKey.size(); ++i)
        if (starKey[i] == key) return starCell[i];
    return kNoCell;
}

NatalChart ReadNatalChart(const Chart& chart) {
    NatalChart n;
    n.lunarYear = chart.birth.lunarYear;
    n.school = chart.school;
    n.sex = chart.birth.sex;
    n.life = BranchOfCell(chart.life);
    n.douJun = chart.douJun;
    n.starKey = kTransformableKeys;
    n.starCell.fill(kNoCell);
    for (PalaceIndex p = 0; p < 12; ++p) {
        const Palace& palace = chart.palaces[p];
        const Branch b = BranchOfCell(p);
        n.palaceStem[b] = palace.stem;
        n.decadeFirst[b] = palace.decadeFrom;
        n.decadeLast[b] = palace.decadeTo;
        for (int k = 0; k < palace.starCount; ++k) {
            const PlacedStar& s = palace.stars[k];
            const int i = kTransformableIndex[static_cast<int>(s.star)];
            if (i >= 0 && s.position < kSearchedColumns) n.starCell[i] = b;
        }
    }
    return n;
}

FourTransformations TransformationsOf(const NatalChart& natal, Stem stem) {
    FourTransformations t{};
    const auto row = TransformationRow(stem, natal.school);
    for (int k = 0; k < 4; ++k) {
        // Every star of a row is one of the transformable stars.
        const int i = kTransformableIndex[static_cast<int>(row[k])];
        t[k] = {k, StarName(row[k]), i >= 0 ? natal.starCell[i] : kNoCell};
    }
    return t;
}

}  // namespace qelvar
