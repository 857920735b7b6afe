// Chart step 39: 四化, the four stars the year stem turns into 禄 权 科 忌,
// listed in the centre and marked in the cells at their star column.
#include <array>
#include <string>

#include "chart/StarTables.h"
#include "chart/Text.h"
#include "chart/ZiWei.h"

namespace qelvar {

namespace {

constexpr std::array<std::string_view, 4> kCentreMarks = {"[禄]", "[权]", "[科]", "[忌]"};
constexpr std::string_view kFiller = "█";
constexpr int kMarkedColumns = 6;  // star columns 0..5 carry cell marks

}  // namespace

void ZiWeiChart::ShowFourTransformations() {
    const auto& row = kFourTransformationTable[YearStem()];  // uncorrected lunar year
    std::string centre;
    centre.reserve(64);
    for (int k = 0; k < 4; ++k) centre.append(row[k]).append(kCentreMarks[k]);
    m_grid.SetSlotText(slot::kFourTransformations, std::move(centre));

    std::array<std::uint64_t, 4> keys{};
    for (int k = 0; k < 4; ++k) keys[k] = ShortKey(row[k]);
    for (int c = 0; c < kMarkedColumns; ++c) {
        for (PalaceIndex p = 0; p < 12; ++p) {
            const std::uint64_t star = ShortKey(Text(slot::StarColumn(c).Slot(p)));
            if (star == 0) continue;
            int k = 0;
            while (k < 4 && keys[k] != star) ++k;
            if (k == 4) continue;
            const int id = slot::kMarks.Slot(p);
            if (c == 0) {
                m_grid.SetSlotText(id, std::string(kTransformationMarks[k]));
                continue;
            }
            std::string marks = Text(id);
            // Pad with fillers to c characters (two GBK bytes each).
            for (int n = GbkLength(marks) / 2; n < c; ++n) marks.append(kFiller);
            marks.append(kTransformationMarks[k]);
            m_grid.SetSlotText(id, std::move(marks));
        }
    }
}

}  // namespace qelvar
