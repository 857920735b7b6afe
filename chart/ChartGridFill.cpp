// The grid of slot texts made from a typed chart: the names of the typed
// values at the slots of the chart window.
#include <charconv>

#include "chart/ChartGrid.h"
#include "chart/ChartNames.h"
#include "chart/PillarStars.h"
#include "chart/Pillars.h"
#include "chart/Text.h"

namespace qelvar {

namespace {

void AppendNumber(std::string& s, long long n) {
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, n);
    s.append(buf, r.ptr);
}

// "本命宫", or the body mark: the palace's first character and "★身", 命
// for the 命宫; "来因" after the name of the 来因宫.
void PalaceNameText(std::string& s, const Palace& p) {
    const std::string_view name = kPalaceNames[p.name];
    if (!p.isBody) {
        s.assign(name);
    } else {
        s.assign(p.name == 0 ? std::string_view("命") : FirstChar(name));
        s.append("★身");
    }
    if (p.isOrigin) s.append("来因");
}

// The marks of a cell at the character positions of their stars' columns,
// fillers between, after any star that overflowed into the mark slot.
void MarksText(std::string& s, const Palace& p) {
    constexpr std::string_view kFiller = "█";
    for (int i = 0; i < p.starCount; ++i) {
        const PlacedStar& star = p.stars[i];
        if (star.mutagen == Mutagen::None) continue;
        const int c = star.position;
        if (c == 0) {
            s.assign(MutagenName(star.mutagen));
            continue;
        }
        for (int n = GbkLength(s) / 2; n < c; ++n) s.append(kFiller);
        s.append(MutagenName(star.mutagen));
    }
}

}  // namespace

ChartGrid ChartGrid::Of(const Chart& chart) {
    ChartGrid grid;
    grid.Fill(chart);
    return grid;
}

void ChartGrid::Fill(const Chart& c) {
    using detail::PositionOf;
    auto at = [this](int id) -> std::string& { return m_texts[PositionOf(id)]; };
    auto keep = [this, &at](int id) { at(id) = InitialText(id); };
    const bool cleared = c.Done(0);

    for (PalaceIndex cell = 0; cell < 12; ++cell) {
        const Palace& p = c.palaces[cell];
        auto slotOf = [cell](SlotFamily f) { return f.Slot(cell); };
        // The star-slot sequence: star columns, then what a crowded cell's
        // stars overflow into.
        for (int j = 0; j < kStarPositions; ++j)
            if (!IsFixedPosition(j)) keep(slot::StarSequence(cell, j));
        if (cleared) {
            at(slotOf(slot::kMarks)).clear();
            at(slotOf(slot::BrightnessColumn(0))).clear();
        }
        for (int i = 0; i < p.starCount; ++i)
            at(slot::StarSequence(cell, p.stars[i].position)) = StarName(p.stars[i].star);
        for (int col = 2; col < slot::kBrightnessColumns; ++col)
            at(slotOf(slot::BrightnessColumn(col))).clear();
        if (c.Done(35))
            for (int i = 0; i < p.starCount; ++i) {
                const PlacedStar& s = p.stars[i];
                if (s.position < slot::kBrightnessColumns && s.brightness != Brightness::None)
                    at(slotOf(slot::BrightnessColumn(s.position))) = BrightnessName(s.brightness);
            }
        if (c.Done(39)) MarksText(at(slotOf(slot::kMarks)), p);

        if (c.Done(1))
            PalaceNameText(at(slotOf(slot::kPalaceName)), p);
        else
            keep(slotOf(slot::kPalaceName));
        if (c.Done(2))
            at(slotOf(slot::kPalaceStem)) = StemName(p.stem);
        else
            keep(slotOf(slot::kPalaceStem));
        std::string& decade = at(slotOf(slot::kDecade));
        if (c.Done(3)) {
            decade.clear();
            AppendNumber(decade, p.decadeFrom);
            decade += '-';
            AppendNumber(decade, p.decadeTo);
        } else {
            keep(slotOf(slot::kDecade));
        }
        if (c.Done(5))
            at(slotOf(slot::kLifeStage)) = kLifeStages[p.stage];
        else
            keep(slotOf(slot::kLifeStage));
        if (c.Done(32))
            at(slotOf(slot::kBoShi)) = BoShiCycle(c.school.godNames)[p.boShi];
        else
            keep(slotOf(slot::kBoShi));
        if (c.Done(33))
            at(slotOf(slot::kSuiQian)) = SuiQianCycle(c.school.godNames)[p.suiQian];
        else
            keep(slotOf(slot::kSuiQian));
        if (c.Done(34))
            at(slotOf(slot::kJiangQian)) = JiangQianCycle(c.school.godNames)[p.jiangQian];
        else
            keep(slotOf(slot::kJiangQian));
        if (c.Done(40))
            at(slotOf(slot::kNayin)) = NayinOf(StemBranch{p.stem, BranchOfCell(cell)});
        else
            keep(slotOf(slot::kNayin));
    }

    if (c.Done(3))
        at(slot::kBureau) = BureauName(c.bureau);
    else
        keep(slot::kBureau);

    std::string& life = at(slot::kLifeRuler);
    std::string& body = at(slot::kBodyRuler);
    life.clear();
    body.clear();
    if (c.Done(36)) {
        life.append("命主").append(StarName(c.lifeRuler));
        body.append("身主").append(StarName(c.bodyRuler));
    }

    std::string& douJun = at(slot::kDouJun);
    std::string& solar = at(slot::kSolarLine);
    std::string& lunar = at(slot::kLunarLine);
    douJun.clear();
    solar.clear();
    lunar.clear();
    if (c.Done(37)) {
        const ChartBirth& b = c.birth;
        douJun.append("子年斗君：").append(BranchName(c.douJun));
        solar.append("阳历：");
        AppendNumber(solar, static_cast<int>(b.solar.year()));
        solar.append("年");
        AppendNumber(solar, unsigned{b.solar.month()});
        solar.append("月");
        AppendNumber(solar, unsigned{b.solar.day()});
        solar.append("日 ");
        if (b.solarTerm > 0 && b.solarTerm < kNoSolarTerm)
            solar.append(SolarTermNames[b.solarTerm]);
        lunar.append("农历：").append(LunarCalendar::FormatLunarDate(b.lunar));
    }

    std::string& pillars = at(slot::kFivePillars);
    std::string& nayin = at(slot::kPillarNayin);
    pillars.clear();
    nayin.clear();
    if (c.Done(38)) {
        const auto& p = c.pillars;
        for (int i = 0; i < 4; ++i) {
            if (i) pillars.append(5, ' ');
            pillars.append(StemName(p[i].stem)).append(BranchName(p[i].branch));
        }
        pillars.append("⑤").append(StemName(p[4].stem)).append(BranchName(p[4].branch));
        for (int i = 0; i < 4; ++i) {
            if (i) nayin.append(3, ' ');
            nayin.append(NayinOf(p[i]));
        }
    }

    std::string& transformations = at(slot::kFourTransformations);
    transformations.clear();
    if (c.Done(39)) {
        const std::array<Star, 4> row = c.Transformations();
        for (int k = 0; k < 4; ++k)
            transformations.append(StarName(row[k]))
                .append("[")
                .append(kTransformationMarks[k])
                .append("]");
    }

    std::string& stars = at(slot::kPillarStars);
    stars.clear();
    if (c.Done(41))
        for (const auto& line : c.pillarStars)
            for (int col = 0; col < 4; ++col)
                stars.append(PaddedPillarStarName(line[col])).append(col < 3 ? " " : "\r\n");

    std::string& days = at(slot::kDaysLived);
    days.clear();
    if (c.Done(42)) {
        days.append("距离今天，你已经活了");
        AppendNumber(days, c.daysLived);
        days.append("天！");
    }
}

}  // namespace qelvar
