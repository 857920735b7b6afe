// The periods as terminal text: one block per layer.
#include <cstdio>

#include "chart/StarTables.h"
#include "cli/PeriodsOutput.h"

namespace qelvar::cli {

namespace {

constexpr std::array<Branch, 12> kRing = {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0, 1};

std::string StemBranchText(StemBranch sb) {
    return std::string(StemName(sb.stem)) + std::string(BranchName(sb.branch));
}

std::string CellText(Branch b) {
    return b < 0 ? std::string("-") : std::string(BranchName(b));
}

// "寅官禄 卯田宅 ...": a name per cell in ring order.
void ByCell(std::string& out, std::string_view label,
            const std::array<std::string_view, 12>& names) {
    out += "  ";
    out += label;
    for (const Branch b : kRing) {
        out += ' ';
        out += BranchName(b);
        out += names[b];
    }
    out += '\n';
}

void LayerBlock(std::string& out, const PeriodLayer& l) {
    out += LayerName(l.kind);
    out += ' ' + StemBranchText(l.stemBranch) + " 在" + CellText(l.cell);
    if (l.child) out += "（童限）";
    out += '\n';
    ByCell(out, "宫位", l.palaces);
    out += "  四化";
    for (const Transformation& t : l.transformations) {
        out += ' ';
        out += t.star;
        out += kTransformationMarks[t.mark];
        out += "→" + CellText(t.cell);
    }
    out += '\n';
    if (!l.stars.empty()) {
        out += "  流耀";
        for (const MovingStar& s : l.stars) {
            out += ' ';
            out += s.name;
            out += CellText(s.cell);
        }
        out += '\n';
    }
    if (l.kind == LayerKind::Year) {
        ByCell(out, "岁前", l.suiQian);
        ByCell(out, "将前", l.jiangQian);
    }
}

}  // namespace

std::string ConventionsText(const ChartConventions& c) {
    std::string text;
    auto add = [&text](std::string_view name, std::string_view value) {
        if (!text.empty()) text += ' ';
        text.append(name).append("=").append(value);
    };
    if (c.lateZi != LateZi::SameDay) add("lateZi", ConventionName(c.lateZi));
    if (c.leapMonth != LeapMonthRule::Whole) add("leapMonth", ConventionName(c.leapMonth));
    if (c.yearStart != YearStart::NewYear) add("yearStart", ConventionName(c.yearStart));
    if (!c.school.IsDefault()) {
        if (!text.empty()) text += ' ';
        text += SchoolText(c.school);
    }
    return text;
}

void AppendPeriodsText(std::string& out, const ChartConventions& c, const Horoscope* h) {
    if (!c.IsDefault()) out += "约定：" + ConventionsText(c) + '\n';
    if (!h) return;
    const HoroscopeTarget& t = h->target;
    char line[128];
    std::snprintf(line, sizeof line, "运限：%04d-%02d-%02d 农历%d年%s%d月%d日", int{t.solar.year},
                  int{t.solar.month}, int{t.solar.day}, int{t.lunar.year}, t.lunar.leap ? "闰" : "",
                  int{t.lunar.month}, int{t.lunar.day});
    out += line;
    if (t.hour) out += ' ' + std::string(BranchName(*t.hour)) + "时";
    out += "  虚岁" + std::to_string(h->age) + '\n';
    for (const PeriodLayer& l : h->layers) LayerBlock(out, l);
}

}  // namespace qelvar::cli
