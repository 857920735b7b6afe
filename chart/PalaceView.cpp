#include "chart/PalaceView.h"

#include <string_view>

#include "chart/Text.h"

namespace qelvar {

namespace {

constexpr int kMarkedColumns = 6;

bool IsBrightnessWord(std::string_view t) {
    return t == "庙" || t == "旺" || t == "平" || t == "闲" || t == "陷" || t == "地" || t == "  ";
}

bool IsMarkOrFiller(std::string_view ch) {
    return ch == "禄" || ch == "权" || ch == "科" || ch == "忌" || ch == "█";
}

struct Transformed {
    std::string_view star;
    std::string_view mark;
};

// The four stars of the centre line "廉贞[禄]破军[权]武曲[科]太阳[忌]".
std::array<Transformed, 4> ParseCentreLine(std::string_view line) {
    std::array<Transformed, 4> out{};
    for (Transformed& t : out) {
        const std::size_t open = line.find('[');
        const std::size_t close = line.find(']');
        if (open == std::string_view::npos || close == std::string_view::npos || close < open)
            break;
        t = {line.substr(0, open), line.substr(open + 1, close - open - 1)};
        line.remove_prefix(close + 1);
    }
    return out;
}

}  // namespace

std::array<PalaceView, 12> ReadPalaces(const ChartGrid& grid) {
    const auto transformed = ParseCentreLine(grid.GetSlotText(slot::kFourTransformations));
    std::array<PalaceView, 12> cells;
    for (PalaceIndex p = 0; p < 12; ++p) {
        PalaceView& v = cells[p];
        v.cell = p;
        v.branch = std::string(BranchName(BranchOfCell(p)));
        v.name = grid.GetSlotText(slot::kPalaceName.Slot(p));
        v.stem = grid.GetSlotText(slot::kPalaceStem.Slot(p));
        for (int c = 0; c < slot::kStarColumns; ++c) {
            const std::string& star = grid.GetSlotText(slot::StarColumn(c).Slot(p));
            if (star.empty()) continue;
            StarView s{star, {}, {}, c};
            if (c < slot::kBrightnessColumns) {
                const std::string& b = grid.GetSlotText(slot::BrightnessColumn(c).Slot(p));
                if (b != "  " && IsBrightnessWord(b)) s.brightness = b;
            }
            if (c < kMarkedColumns)
                for (const Transformed& t : transformed)
                    if (!t.star.empty() && t.star == star) s.mark = std::string(t.mark);
            v.stars.push_back(std::move(s));
        }
        // A star that overflowed into the mark slot leads its text.
        const std::string& marks = grid.GetSlotText(slot::kMarks.Slot(p));
        std::string_view rest = marks;
        std::string overflow;
        while (!rest.empty() && !IsMarkOrFiller(FirstChar(rest))) {
            overflow += FirstChar(rest);
            rest.remove_prefix(FirstChar(rest).size());
        }
        if (!overflow.empty()) v.stars.push_back({overflow, {}, {}, 14});
        for (int j : {18, 19}) {
            const std::string& t = grid.GetSlotText(slot::StarSequence(p, j));
            if (!t.empty() && !IsBrightnessWord(t)) v.stars.push_back({t, {}, {}, j});
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
