// Placing the period layers into bands added along the bottom of the cells
// (see PeriodOverlay.h).  A band is a grid of eight character columns, 8
// dialog units each from x 5 of the cell, and as many 8-unit lines as its
// fullest cell needs; marks take the column of their star in the first
// line where it is free, labels two free columns from the right.
#include "periods/PeriodOverlay.h"

#include <algorithm>
#include <array>
#include <optional>

#include "calendar/CalendarNames.h"
#include "chart/ChartGrid.h"
#include "chart/Cycle.h"
#include "chart/Text.h"

namespace qelvar {

namespace {

constexpr int kCharDu = 8;  // a CJK character of the dialog font is 8 units wide
constexpr int kLineDu = 8;
constexpr int kBandColumns = 8;
constexpr int kStarSequenceLength = 20;  // star columns 0..12, then the overflow slots
constexpr std::array<std::string_view, 4> kMarkNames = {"禄", "权", "科", "忌"};

int ColumnX(int j) {
    return 5 + kCharDu * j;
}

// The grid of one layer's band in one cell: which columns each line has
// taken, and the texts placed.
class BandGrid {
public:
    struct Placed {
        int line = 0, column = 0, chars = 1;
        std::string text;
        OverlayStyle style = OverlayStyle::kLabel;
    };

    // A mark in `column`, in the first line where the column is free.
    void PutAt(int column, std::string text, OverlayStyle style) {
        int line = 0;
        while (Taken(line, column)) ++line;
        Take(line, column);
        m_placed.push_back({line, column, 1, std::move(text), style});
    }

    // A label of `chars` characters, in the first line with room, as far
    // right as it goes.
    void PutLabel(int chars, std::string text) {
        for (int line = 0;; ++line) {
            for (int column = kBandColumns - chars; column >= 0; --column) {
                bool free = true;
                for (int k = 0; k < chars; ++k) free = free && !Taken(line, column + k);
                if (!free) continue;
                for (int k = 0; k < chars; ++k) Take(line, column + k);
                m_placed.push_back({line, column, chars, std::move(text), OverlayStyle::kLabel});
                return;
            }
        }
    }

    int Lines() const { return static_cast<int>(m_taken.size()); }
    const std::vector<Placed>& PlacedTexts() const { return m_placed; }

private:
    bool Taken(int line, int column) const {
        return line < Lines() && m_taken[static_cast<std::size_t>(line)][column];
    }
    void Take(int line, int column) {
        if (line >= Lines()) m_taken.resize(static_cast<std::size_t>(line) + 1);
        m_taken[static_cast<std::size_t>(line)][column] = true;
    }

    std::vector<std::array<bool, kBandColumns>> m_taken;
    std::vector<Placed> m_placed;
};

std::string Cat(std::initializer_list<std::string_view> parts) {
    std::string s;
    for (std::string_view p : parts) s += p;
    return s;
}

}  // namespace

Rgb LayerColour(LayerKind kind) {
    switch (kind) {
        case LayerKind::Decade:
            return {150, 75, 0};  // brown
        case LayerKind::Minor:
            return {110, 110, 110};
        case LayerKind::Year:
            return {0, 0, 200};  // blue
        case LayerKind::Month:
            return {0, 130, 130};  // teal
        case LayerKind::Day:
            return {150, 0, 75};  // wine
        case LayerKind::Hour:
            return {90, 90, 0};  // olive
    }
    return {};
}

std::string_view LayerPrefix(LayerKind kind) {
    static constexpr std::array<std::string_view, 6> kPrefix = {"限", "小", "年", "月", "日", "时"};
    return kPrefix[static_cast<int>(kind)];
}

std::optional<int> StarBandColumn(std::string_view star, PalaceIndex cell,
                                  const NatalSlotText& natal) {
    for (int j = 0; j < kStarSequenceLength; ++j) {
        const int id = slot::StarSequence(cell, j);
        const std::string_view text = natal(id);
        // A star that overflowed into the mark slot leads its text.
        const bool shown = j == 14 ? text.substr(0, star.size()) == star : text == star;
        if (!shown || star.empty()) continue;
        if (const std::optional<SlotPlace> place = FindSlotPlace(id)) {
            const int column = (place->rect.x - CellCorner(cell).x - ColumnX(0)) / kCharDu;
            return std::clamp(column, 0, kBandColumns - 1);
        }
    }
    return std::nullopt;
}

std::string LayerPalaceLabel(LayerKind kind, std::string_view palace) {
    return Cat({LayerPrefix(kind), FirstChar(palace)});
}

PeriodOverlay LayOutPeriodOverlay(const Horoscope& horoscope, std::span<const LayerKind> shown,
                                  const NatalSlotText& natal) {
    PeriodOverlay out;
    std::vector<const PeriodLayer*> layers;
    for (const PeriodLayer& l : horoscope.layers)
        if (std::find(shown.begin(), shown.end(), l.kind) != shown.end()) layers.push_back(&l);
    if (layers.empty()) return out;

    // Each layer's grid in each cell (by Branch).
    std::vector<std::array<BandGrid, 12>> grids(layers.size());
    for (std::size_t k = 0; k < layers.size(); ++k) {
        const PeriodLayer& l = *layers[k];
        std::array<BandGrid, 12>& grid = grids[k];
        for (const Transformation& t : l.transformations) {
            if (t.cell == kNoCell) continue;
            const std::string_view mark = kMarkNames[static_cast<std::size_t>(t.mark)];
            if (const std::optional<int> column =
                    StarBandColumn(t.star, CellOfBranch(t.cell), natal))
                grid[t.cell].PutAt(*column, std::string(mark), OverlayStyle::kMark);
            else  // a star the cell could not show: the mark with its name
                grid[t.cell].PutLabel(3, Cat({t.star, mark}));
        }
        for (Branch b = 0; b < 12; ++b) {
            grid[b].PutLabel(2, LayerPalaceLabel(l.kind, l.palaces[b]));
            if (!l.suiQian[b].empty()) grid[b].PutLabel(2, std::string(l.suiQian[b]));
            if (!l.jiangQian[b].empty()) grid[b].PutLabel(2, std::string(l.jiangQian[b]));
        }
        for (const MovingStar& s : l.stars) grid[s.cell].PutLabel(2, std::string(s.name));
    }

    // The bands one under the other, each as deep as its fullest cell.
    int line = 0;
    for (std::size_t k = 0; k < layers.size(); ++k) {
        int lines = 1;
        for (const BandGrid& g : grids[k]) lines = std::max(lines, g.Lines());
        out.bands.push_back({layers[k]->kind, line, lines});
        line += lines;
    }
    out.extra = line * kLineDu;
    for (std::size_t k = 0; k < layers.size(); ++k) {
        for (Branch b = 0; b < 12; ++b) {
            const DuPoint corner = GrownCellCorner(CellOfBranch(b), out.extra);
            for (const BandGrid::Placed& p : grids[k][b].PlacedTexts()) {
                const DuRect r{corner.x + ColumnX(p.column),
                               corner.y + kBandTopDu + kLineDu * (out.bands[k].firstLine + p.line),
                               kCharDu * p.chars, kLineDu};
                out.texts.push_back({r, p.text, layers[k]->kind, p.style, SlotFlow::kLine, b});
            }
        }
    }

    // The centre, below its natal texts: the target, then each layer's
    // stem-branch in its colour ("流年丙午"), which is also the legend of the
    // colours, three to a line.
    const DuRect below = GrownRect({91, 234, 152, 9}, -1, out.extra);
    out.texts.push_back({below, TargetText(horoscope), layers.front()->kind, OverlayStyle::kLabel,
                         SlotFlow::kLine, kNoCell});
    constexpr int kPerLine = 3, kStemChars = 4, kStemGap = 4;
    for (std::size_t k = 0; k < layers.size(); ++k) {
        const PeriodLayer& l = *layers[k];
        const int column = static_cast<int>(k) % kPerLine;
        const int row = static_cast<int>(k) / kPerLine;
        const DuRect r{below.x + column * (kStemChars * kCharDu + kStemGap),
                       below.y + 10 * (row + 1), kStemChars * kCharDu, 9};
        out.texts.push_back(
            {r,
             Cat({LayerName(l.kind), StemName(l.stemBranch.stem), BranchName(l.stemBranch.branch)}),
             l.kind, OverlayStyle::kLabel, SlotFlow::kLine, kNoCell});
    }
    return out;
}

std::string TargetText(const Horoscope& h) {
    const HoroscopeTarget& t = h.target;
    std::string s = std::to_string(t.solar.year) + "年" + std::to_string(t.solar.month) + "月" +
                    std::to_string(t.solar.day) + "日 ";
    if (t.lunar.leap) s += "闰";
    s += Cat({LunarMonthNames[t.lunar.month], "月", LunarDayNames[t.lunar.day], " "});
    if (t.hour) s += Cat({BranchName(*t.hour), "时 "});
    s += "虚岁" + std::to_string(h.age);
    return s;
}

}  // namespace qelvar
