#include "cli/ChartText.h"

#include <array>
#include <vector>

#include "chart/Text.h"

namespace qelvar::cli {

namespace {

constexpr int kCellWidth = 22;  // columns inside a cell
constexpr int kCellLines = 8;
constexpr int kCentreWidth = 2 * kCellWidth + 1;
constexpr int kCentreLines = 2 * kCellLines + 1;

// Decodes the code point starting at text[i] and advances i.
char32_t NextCodePoint(std::string_view text, std::size_t& i) {
    const auto c = static_cast<unsigned char>(text[i++]);
    if (c < 0x80) return c;
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : 1;
    char32_t cp = c & (0x3F >> extra);
    while (extra-- > 0 && i < text.size())
        cp = (cp << 6) | (static_cast<unsigned char>(text[i++]) & 0x3F);
    return cp;
}

bool IsWide(char32_t cp) {
    return (cp >= 0x1100 && cp <= 0x115F) || (cp >= 0x2E80 && cp <= 0x303E) ||
           (cp >= 0x3041 && cp <= 0xA4CF) || (cp >= 0xAC00 && cp <= 0xD7A3) ||
           (cp >= 0xF900 && cp <= 0xFAFF) || (cp >= 0xFE30 && cp <= 0xFE4F) ||
           (cp >= 0xFF00 && cp <= 0xFF60) || (cp >= 0xFFE0 && cp <= 0xFFE6);
}

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

std::array<std::string, kCellLines> CellLines(const ChartGrid& g, PalaceIndex p) {
    auto text = [&g, p](int base) -> const std::string& { return g.GetSlotText(base + p); };
    std::array<std::string, kCellLines> lines;
    for (int row = 0; row < 2; ++row)
        for (int c = 0; c < 8; ++c) lines[row] += Vertical(text(slot::StarColumn(c).base), row);
    for (int c = 0; c < 8; ++c) lines[2] += Pad(text(slot::BrightnessColumn(c).base), 2);
    lines[3] = Pad(text(slot::kMarks.base), 15) + Pad(text(slot::kNayin.base), 6);
    for (int row = 0; row < 2; ++row) {
        std::string s;
        for (int c = 8; c < 13; ++c) s += Vertical(text(slot::StarColumn(c).base), row);
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
    lines[7] +=
        Pad(text(slot::kDecade.base), 12, true) + " " + std::string(BranchName(BranchOfCell(p)));
    for (auto& l : lines) l = Pad(l, kCellWidth);
    return lines;
}

std::vector<std::string> CentreLines(const ChartGrid& g) {
    auto t = [&g](int id) -> const std::string& { return g.GetSlotText(id); };
    std::vector<std::string> lines;
    lines.push_back("命局：" + t(slot::kBureau) + "    " + t(slot::kDouJun));
    lines.push_back(t(slot::kSolarLine));
    lines.push_back(t(slot::kLunarLine));
    lines.push_back(t(slot::kLifeRuler) + "    " + t(slot::kBodyRuler));
    lines.push_back(t(slot::kFourTransformations));
    lines.emplace_back();
    lines.push_back(t(slot::kPillarNayin));
    lines.push_back(t(slot::kFivePillars));
    std::string_view stars = t(slot::kPillarStars);
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

int DisplayWidth(std::string_view text) {
    int w = 0;
    for (std::size_t i = 0; i < text.size();) w += IsWide(NextCodePoint(text, i)) ? 2 : 1;
    return w;
}

void AppendChartText(std::string& out, const ChartGrid& natal, Language language) {
    ChartGrid localized;
    if (IsTraditional(language))
        for (const int id : ChartGrid::SlotIds())
            localized.SetSlotText(id, Localize(language, natal.GetSlotText(id)));
    const ChartGrid& grid = IsTraditional(language) ? localized : natal;
    std::array<std::array<std::string, kCellLines>, 12> cells;
    for (PalaceIndex p = 0; p < 12; ++p) cells[p] = CellLines(grid, p);
    const std::vector<std::string> centre = CentreLines(grid);

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
}

}  // namespace qelvar::cli
