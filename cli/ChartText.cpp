#include "cli/ChartText.h"

#include <array>
#include <vector>

#include "chart/ChartNames.h"
#include "chart/Text.h"

namespace qelvar::cli {

namespace {

constexpr int kCellWidth = 22;  // columns inside a cell
constexpr int kCellLines = 8;
constexpr int kCentreWidth = 2 * kCellWidth + 1;
constexpr int kCentreLines = 2 * kCellLines + 1;

// `text` padded with spaces to `width` columns (left-aligned, or right).
std::string Pad(std::string_view text, int width, bool right = false) {
    const int gap = width - DisplayWidth(text);
    std::string s;
    if (right && gap > 0) s.append(gap, ' ');
    s.append(text);
    if (!right && gap > 0) s.append(gap, ' ');
    return s;
}

// Character `k` of a vertically written name, padded to two columns.
std::string Vertical(std::string_view name, int k) {
    for (int i = 0; i < k && !name.empty(); ++i) name.remove_prefix(FirstChar(name).size());
    return Pad(FirstChar(name), 2);
}

// The name of the star at `position` of the cell, "" when none stands there.
std::string_view StarAt(const Palace& p, int position, Language language) {
    for (int i = 0; i < p.starCount; ++i)
        if (p.stars[i].position == position) return Term(language, StarName(p.stars[i].star));
    return {};
}

std::array<std::string, kCellLines> CellLines(const Chart& chart, const ChartGrid& g, PalaceIndex p,
                                              Language language) {
    auto text = [&g, p, language](int base) { return Localize(language, g.GetSlotText(base + p)); };
    const Palace& palace = chart.palaces[p];
    std::array<std::string, kCellLines> lines;
    // Star columns 0..7, each name written downwards, its brightness below
    // and its transformation under that.
    std::array<std::string_view, 8> brightness{};
    std::array<std::string_view, 8> marks{};
    for (int i = 0; i < palace.starCount; ++i) {
        const PlacedStar& s = palace.stars[i];
        if (s.position >= 8) continue;
        brightness[s.position] = Term(language, BrightnessName(s.brightness));
        marks[s.position] = Term(language, MutagenName(s.mutagen));
    }
    for (int row = 0; row < 2; ++row)
        for (int c = 0; c < 8; ++c) lines[row] += Vertical(StarAt(palace, c, language), row);
    for (int c = 0; c < 8; ++c) lines[2] += Pad(brightness[c], 2);
    std::string markLine;
    for (int c = 0; c < 6; ++c) markLine += Pad(marks[c], 2);
    lines[3] = Pad(markLine, 15) + Pad(text(slot::kNayin.base), 6);
    // Star columns 8..12, then any star a crowded cell overflowed with.
    for (int row = 0; row < 2; ++row) {
        std::string s;
        for (int c = 8; c < 13; ++c) s += Vertical(StarAt(palace, c, language), row);
        for (const int j : {14, 18, 19})
            if (const std::string_view star = StarAt(palace, j, language); !star.empty())
                s += Vertical(star, row);
        lines[4 + row] = Pad(s, 20) + Vertical(text(slot::kLifeStage.base), row);
    }
    for (int row = 0; row < 2; ++row) {
        std::string s;
        for (const SlotFamily god : {slot::kBoShi, slot::kSuiQian, slot::kJiangQian})
            s += Vertical(text(god.base), row);
        lines[6 + row] = s + " ";
    }
    lines[6] +=
        Pad(text(slot::kPalaceName.base), 12, true) + " " + Pad(text(slot::kPalaceStem.base), 2);
    lines[7] += Pad(text(slot::kDecade.base), 12, true) + " " +
                std::string(Term(language, BranchName(BranchOfCell(p))));
    for (auto& l : lines) l = Pad(l, kCellWidth);
    return lines;
}

std::vector<std::string> CentreLines(const ChartGrid& g, Language language) {
    auto t = [&g, language](int id) { return Localize(language, g.GetSlotText(id)); };
    std::vector<std::string> lines;
    lines.push_back(std::string(Term(language, "命局：")) + t(slot::kBureau) + "    " +
                    t(slot::kDouJun));
    lines.push_back(t(slot::kSolarLine));
    lines.push_back(t(slot::kLunarLine));
    lines.push_back(t(slot::kLifeRuler) + "    " + t(slot::kBodyRuler));
    lines.push_back(t(slot::kFourTransformations));
    lines.emplace_back();
    lines.push_back(t(slot::kPillarNayin));
    lines.push_back(t(slot::kFivePillars));
    const std::string pillarStars = t(slot::kPillarStars);
    std::string_view stars = pillarStars;
    while (!stars.empty()) {
        const std::size_t end = stars.find("\r\n");
        lines.emplace_back(stars.substr(0, end));
        stars.remove_prefix(end == std::string_view::npos ? stars.size() : end + 2);
    }
    lines.emplace_back();
    lines.push_back(t(slot::kDaysLived));
    lines.resize(kCentreLines);
    for (auto& l : lines) l = Pad(l, kCentreWidth - 1).insert(0, 1, ' ');
    return lines;
}

std::string Rule(int cells) {
    std::string s = "+";
    for (int i = 0; i < cells; ++i) s += std::string(kCellWidth, '-') + "+";
    return s + "\n";
}

}  // namespace

void AppendChartText(std::string& out, const Chart& chart, const ChartGrid& grid,
                     Language language) {
    std::array<std::array<std::string, kCellLines>, 12> cells;
    for (PalaceIndex p = 0; p < 12; ++p) cells[p] = CellLines(chart, grid, p, language);
    const std::vector<std::string> centre = CentreLines(grid, language);

    // Top row 巳午未申, bottom row 寅丑子亥; the sides 辰卯 and 酉戌.
    constexpr std::array<PalaceIndex, 4> kTop = {3, 4, 5, 6};
    constexpr std::array<PalaceIndex, 4> kBottom = {0, 11, 10, 9};
    constexpr std::array<PalaceIndex, 2> kLeft = {2, 1};
    constexpr std::array<PalaceIndex, 2> kRight = {7, 8};

    auto row = [&](const std::array<PalaceIndex, 4>& ids) {
        for (int l = 0; l < kCellLines; ++l) {
            out += '|';
            for (const PalaceIndex p : ids) out += cells[p][l] + "|";
            out += '\n';
        }
    };
    out += Rule(4);
    row(kTop);
    out += Rule(4);
    for (int side = 0; side < 2; ++side) {
        for (int l = 0; l < kCellLines; ++l) {
            const int c = side * (kCellLines + 1) + l;
            out += "|" + cells[kLeft[side]][l] + "|" + centre[c] + "|" + cells[kRight[side]][l] +
                   "|\n";
        }
        if (side == 0) {
            out += "+" + std::string(kCellWidth, '-') + "+" + centre[kCellLines] + "+" +
                   std::string(kCellWidth, '-') + "+\n";
        }
    }
    out += Rule(4);
    row(kBottom);
    out += Rule(4);
    if (chart.school.stars == StarSet::Extended) {
        // The 小限 ages of each cell, one line per cell 寅..丑.
        for (PalaceIndex p = 0; p < 12; ++p) {
            out.append("小限 ").append(BranchName(BranchOfCell(p))).append(":");
            for (const int age : chart.SmallLimitAges(p)) out += ' ' + std::to_string(age);
            out += '\n';
        }
    }
}

}  // namespace qelvar::cli
