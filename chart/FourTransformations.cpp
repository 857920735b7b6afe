// Chart step 39: 四化, the four stars the year stem turns into 禄 权 科 忌,
// marked on those of them that stand in star columns 0..5.
#include <array>

#include "chart/StarTables.h"
#include "chart/ZiWei.h"

namespace qelvar {

namespace {

constexpr int kMarkedColumns = 6;  // star columns 0..5 carry cell marks

}  // namespace

std::array<Star, 4> Chart::Transformations() const {
    // The lunar year as it is, without the 立春 turn of the year pillar.
    return TransformationRow(YearStemOf(birth.lunarYear), school);
}

std::vector<int> Chart::SmallLimitAges(PalaceIndex cell) const {
    std::vector<int> ages;
    const Branch b = BranchOfCell(cell);
    for (int age = 1; age <= 120; ++age)
        if (MinorLimitBranch(YearBranchOf(birth.lunarYear), birth.sex, age) == b)
            ages.push_back(age);
    return ages;
}

void ZiWeiChart::ShowFourTransformations() {
    const std::array<Star, 4> row = m_chart.Transformations();
    for (Palace& p : m_chart.palaces) {
        for (int i = 0; i < p.starCount; ++i) {
            PlacedStar& s = p.stars[i];
            if (s.position >= kMarkedColumns) continue;
            for (int k = 0; k < 4; ++k)
                if (row[k] == s.star) {
                    s.mutagen = static_cast<Mutagen>(k);
                    break;
                }
        }
    }
    m_chart.done |= 1ULL << 39;
}

}  // namespace qelvar
