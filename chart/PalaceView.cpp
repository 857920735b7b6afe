#include "chart/PalaceView.h"

#include <string_view>

#include "chart/Text.h"

namespace qelvar {

namespace {

constexpr int kMarkedColumns = 6;

// The mark of character position `c` of a cell's mark text, "" when that
// position holds no mark.
std::string MarkAt(std::string_view marks, int c) {
    for (int i = 0; i < c && !marks.empty(); ++i) marks.remove_prefix(FirstChar(marks).size());
    const std::string_view ch = FirstChar(marks);
    if (ch == "禄" || ch == "权" || ch == "科" || ch == "忌") return std::string(ch);
    return {};
}

bool IsBrightnessWord(std::string_view t) {
    return t == "庙" || t == "旺" || t == "平" || t == "闲" || t == "陷" || t == "地";
}

}  // namespace

std::array<PalaceView, 12> ReadPalaces(const ChartGrid& grid) {
    std::array<PalaceView, 12> cells;
    for (PalaceIndex p = 0; p < 12; ++p) {
        PalaceView& v = cells[p];
        v.cell = p;
        v.branch = std::string(BranchName(BranchOfCell(p)));
        v.name = grid.GetSlotText(slot::kPalaceName.Slot(p));
        v.stem = grid.GetSlotText(slot::kPalaceStem.Slot(p));
        const std::string& marks = grid.GetSlotText(slot::kMarks.Slot(p));
        for (int c = 0; c < slot::kStarColumns; ++c) {
            const std::string& star = grid.GetSlotText(slot::StarColumn(c).Slot(p));
            if (star.empty()) continue;
            StarView s{star, {}, {}, c};
            if (c < slot::kBrightnessColumns) {
                const std::string& b = grid.GetSlotText(slot::BrightnessColumn(c).Slot(p));
                if (IsBrightnessWord(b)) s.brightness = b;
            }
            if (c < kMarkedColumns) s.mark = MarkAt(marks, c);
            v.stars.push_back(std::move(s));
        }
        v.nayin = grid.GetSlotText(slot::kNayin.Slot(p));
        v.stage = grid.GetSlotText(slot::kLifeStage.Slot(p));
        v.boShi = grid.GetSlotText(slot::kBoShi.Slot(p));
        v.suiQian = grid.GetSlotText(slot::kSuiQian.Slot(p));
        v.jiangQian = grid.GetSlotText(slot::kJiangQian.Slot(p));
        v.decade = grid.GetSlotText(slot::kDecade.Slot(p));
    }
    return cells;
}

}  // namespace qelvar
